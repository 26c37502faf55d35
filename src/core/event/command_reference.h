#pragma once
// The built-in reference of the event command language: one block of lines per
// command ("形式　" form, "引数　" arguments, "説明　" description ...), separated by a
// line of dashes, held as CP932 lines. The script editor lists it and searches it.
#include <string_view>
#include <vector>

#include "core/event/event_model.h"

namespace quillane::event {

inline constexpr std::size_t kReferenceCapacity = 2000;

// The resource text of the program as UTF-8 lines, sentinel "END" included.
std::vector<std::string_view> referenceResourceLines();

class CommandReference {
 public:
  // Copies lines in order up to the first "END" line, at most kReferenceCapacity.
  explicit CommandReference(const std::vector<Bytes>& resource);
  // The program's own reference, converted to CP932 at first use.
  static const CommandReference& builtIn();

  const std::vector<Bytes>& lines() const { return lines_; }

  // The index of the last "形式　" line whose mnemonic equals the upper-cased
  // search text (the whole 9-byte prefix must match); `current` when none does.
  int findCommand(std::string_view search, int current) const;
  // The next "説明" line after `current`, wrapping to the top.
  int nextDescription(int current) const;
  // The next line after `current` (wrapping) that holds `needle` at a character
  // start; `current` when no line does.
  int findText(std::string_view needle, int current) const;
  // Whether line `index` is what findCommand / findText look for: the searches return
  // their old position when they find nothing, so a caller tells the two apart here.
  bool isCommandLine(int index, std::string_view search) const;
  bool lineHolds(int index, std::string_view needle) const;

 private:
  std::vector<Bytes> lines_;
};

// The three characters of the command the caret stands in: from the caret (a
// character position, 0 read as 1) left to the character after the nearest ":",
// or to the start of the text.
Bytes mnemonicAtCaret(std::string_view command, int caret);

}  // namespace quillane::event
