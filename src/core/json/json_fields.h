#pragma once
// What both walkers of the JSON form share: the kinds of text and the limits that the
// project files put on them.
namespace quillane::json {

enum class TextKind {
  Quoted,   // written between double quotes: no double quote
  Bare,     // written without quotes (cursor file name): no comma, CR or LF either
  Message,  // a message-list text: quoted, and never "END" (it ends the list)
  Script,   // a script message text: quoted, and never "99" (it ends the script)
  Character,  // an event's character code: never "99" (it ends the event list)
  StepKind,   // a flag step's kind: never "99" (it ends the steps)
};

// The version of this JSON form, written as "quillaneProject".
inline constexpr int kDocumentForm = 1;

}  // namespace quillane::json
