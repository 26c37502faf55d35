#include "core/event/command_reference.h"

#include <algorithm>

namespace quillane::event {

namespace {
const Bytes& commandKeyPrefix() {
  static const Bytes prefix = text::sj("形式　");
  return prefix;
}
const Bytes& descriptionPrefix() {
  static const Bytes prefix = text::sj("説明");
  return prefix;
}
// Byte offsets of the characters of a CP932 text.
std::vector<std::size_t> charStarts(std::string_view s) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); i += text::charLength(s, i)) starts.push_back(i);
  return starts;
}
}  // namespace

CommandReference::CommandReference(const std::vector<Bytes>& resource) {
  for (const Bytes& line : resource) {
    if (line == "END" || lines_.size() >= kReferenceCapacity) break;
    lines_.push_back(line);
  }
}

const CommandReference& CommandReference::builtIn() {
  static const CommandReference reference = [] {
    std::vector<Bytes> converted;
    for (std::string_view line : referenceResourceLines()) converted.push_back(text::sj(line));
    return CommandReference(converted);
  }();
  return reference;
}

int CommandReference::findCommand(std::string_view search, int current) const {
  const Bytes key = commandKeyPrefix() + text::upperAscii(search);
  // The key must be the prefix and exactly one mnemonic: nine bytes.
  if (key.size() != commandKeyPrefix().size() + 3) return current;
  int result = current;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].starts_with(key)) result = static_cast<int>(i);
  return result;
}

int CommandReference::nextDescription(int current) const {
  const int n = static_cast<int>(lines_.size());
  if (n == 0) return current;
  int i = current + 1;
  for (int steps = 0; steps < n; ++steps, ++i) {
    if (i >= n || i < 0) i = 0;
    if (lines_[static_cast<std::size_t>(i)].starts_with(descriptionPrefix())) return i;
  }
  return current;
}

int CommandReference::findText(std::string_view needle, int current) const {
  const int n = static_cast<int>(lines_.size());
  if (n == 0) return current;
  int start = current + 1;
  if (start >= n || start < 0) start = 0;
  int i = start;
  do {
    if (text::findAtCharStart(lines_[static_cast<std::size_t>(i)], needle) != Bytes::npos) return i;
    i = i + 1 >= n ? 0 : i + 1;
  } while (i != start);
  return current;
}

bool CommandReference::isCommandLine(int index, std::string_view search) const {
  const Bytes key = commandKeyPrefix() + text::upperAscii(search);
  return index >= 0 && index < static_cast<int>(lines_.size()) && key.size() == commandKeyPrefix().size() + 3 &&
         lines_[static_cast<std::size_t>(index)].starts_with(key);
}

bool CommandReference::lineHolds(int index, std::string_view needle) const {
  return index >= 0 && index < static_cast<int>(lines_.size()) &&
         text::findAtCharStart(lines_[static_cast<std::size_t>(index)], needle) != Bytes::npos;
}

Bytes mnemonicAtCaret(std::string_view command, int caret) {
  const std::vector<std::size_t> starts = charStarts(command);
  if (starts.empty()) return {};
  const int count = static_cast<int>(starts.size());
  // 1-based character position, as the caret counts the characters before it.
  int p = std::clamp(caret < 1 ? 1 : caret, 1, count);
  auto charAt = [&](int pos) {
    const std::size_t b = starts[static_cast<std::size_t>(pos - 1)];
    return command.substr(b, text::charLength(command, b));
  };
  while (p > 1 && charAt(p) != ":") --p;
  if (charAt(p) == ":") ++p;
  Bytes out;
  for (int k = p; k < p + 3 && k <= count; ++k) out += charAt(k);
  return out;
}

}  // namespace quillane::event
