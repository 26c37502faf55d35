#pragma once
// What the script checker knows of each command, read from the built-in command
// reference (no second copy of the forms): the forms with their argument names, and
// what the arguments refer to, taken from the reference's argument lines ("n1:マップNo.",
// "c1:カウンタ加算値(*ラベル名)", "c1,c2:...マップNo.とイベントNo." ...).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane::lint {

// What an argument names, where the reference says so.
enum class ArgKind { Free, Map, Event, Player, Item, Magic, Enemy };

// Where a "*name" argument of a command jumps to.
enum class LabelKind { None, Line, Event };

struct FormArg {
  std::string name;    // "n1", "c2", "nn"; for a literal the text itself ("ALL", "9")
  bool literal = false;
  ArgKind kind = ArgKind::Free;
};

struct CommandForm {
  std::string text;            // "MAP,n1,n2,c1,c2,c3,c4", as the reference writes it
  std::vector<FormArg> args;   // the fixed leading arguments
  bool variadic = false;       // the form repeats ("...", "･･･"): any count of at least one
  ArgKind restKind = ArgKind::Free;  // what every argument from `restFrom` on names
  std::size_t restFrom = 0;
};

struct CommandInfo {
  std::string mnemonic;
  std::vector<CommandForm> forms;
  LabelKind labels = LabelKind::None;
};

class CommandForms {
 public:
  // From reference lines in UTF-8 (blocks separated by lines of dashes).
  explicit CommandForms(const std::vector<std::string_view>& referenceLines);
  // The program's own reference.
  static const CommandForms& builtIn();

  // The command with this three-character mnemonic, if the language has it.
  const CommandInfo* find(std::string_view mnemonic) const;
  std::size_t size() const { return commands_.size(); }

 private:
  static int slot(std::string_view mnemonic);  // 36^3 slots of upper-case letters and digits
  std::vector<CommandInfo> commands_;
  std::vector<int> index_;  // slot -> position in commands_, or -1
};

}  // namespace quillane::lint
