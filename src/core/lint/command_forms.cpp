#include "core/lint/command_forms.h"

#include <cctype>

#include "core/event/command_reference.h"

namespace quillane::lint {

namespace {

constexpr std::string_view kForm = "形式　";
constexpr std::string_view kForm2 = "形式2 ";
constexpr std::string_view kForm3 = "形式3 ";
constexpr std::string_view kArgs = "引数　";
constexpr std::string_view kMore = "　　　";
constexpr std::string_view kEllipsis = "･･･";

std::vector<std::string_view> splitOn(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = s.find(sep, start);
    parts.push_back(s.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

bool repeats(std::string_view token) {
  return token.find("...") != std::string_view::npos || token.find(kEllipsis) != std::string_view::npos;
}

// "n1", "c12", "nn", "cc", "x1", "cx", "N1" (one form writes its names upper-case).
bool isPlaceholder(std::string_view t) {
  if (t.size() < 2 || t.size() > 3) return false;
  char first = static_cast<char>(t[0] | 0x20);
  if (first != 'n' && first != 'c' && first != 'x') return false;
  for (char c : t.substr(1)) {
    char l = static_cast<char>(c | 0x20);
    if (!((c >= '0' && c <= '9') || l == 'n' || l == 'c' || l == 'x')) return false;
  }
  return true;
}

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

CommandForm parseForm(std::string_view text) {
  CommandForm form;
  form.text = std::string(text);
  auto tokens = splitOn(text, ',');
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    if (repeats(tokens[i])) {
      form.variadic = true;
      break;
    }
    bool placeholder = isPlaceholder(tokens[i]);
    form.args.push_back({placeholder ? lowered(tokens[i]) : std::string(tokens[i]), !placeholder});
  }
  return form;
}

bool has(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// What an argument description says the argument names. The order matters: offsets
// ("イベントNo.X座標加算値", "イベントNo.加算値") name no event.
ArgKind kindOf(std::string_view description) {
  if (has(description, "加算値") || has(description, "ラベル名")) return ArgKind::Free;
  if (has(description, "マップNo.")) return ArgKind::Map;
  if (has(description, "イベントNo.")) return ArgKind::Event;
  if (has(description, "プレイヤーNo.")) return ArgKind::Player;
  if (has(description, "道具No.")) return ArgKind::Item;
  if (has(description, "魔法No.")) return ArgKind::Magic;
  if (has(description, "敵No.")) return ArgKind::Enemy;
  return ArgKind::Free;
}

void setKind(CommandInfo& info, std::string_view name, ArgKind kind, bool firstFormOnly) {
  std::string key = lowered(name);
  for (std::size_t f = 0; f < info.forms.size(); ++f) {
    if (firstFormOnly && f > 0) break;
    CommandForm& form = info.forms[f];
    for (std::size_t i = 0; i < form.args.size(); ++i)
      if (!form.args[i].literal && form.args[i].name == key) form.args[i].kind = kind;
  }
}

// One argument line: "n1:マップNo.", "c1,c2:...マップNo.とイベントNo.", "n1,n2,n3･･･:商品の道具No.".
void readArgumentLine(CommandInfo& info, std::string_view line) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0) return;
  std::string_view names = line.substr(0, colon), description = line.substr(colon + 1);
  if (!std::isalpha(static_cast<unsigned char>(names[0]))) return;
  for (char c : names)
    if (static_cast<unsigned char>(c) < 0x80 && !(std::isalnum(static_cast<unsigned char>(c)) || c == ','))
      return;  // a continuation of the text above, not an argument
  if (has(description, "(*イベントラベル名")) info.labels = LabelKind::Event;
  else if (has(description, "(*ラベル名") && info.labels == LabelKind::None) info.labels = LabelKind::Line;

  bool rest = has(names, kEllipsis);
  if (rest) names = names.substr(0, names.find(kEllipsis));
  auto list = splitOn(names, ',');
  bool firstFormOnly = description.starts_with("形式1では");
  if (list.size() == 2 && !rest && has(description, "マップNo.とイベントNo.")) {
    setKind(info, list[0], ArgKind::Map, firstFormOnly);
    setKind(info, list[1], ArgKind::Event, firstFormOnly);
    return;
  }
  ArgKind kind = kindOf(description);
  if (kind == ArgKind::Free) return;
  if (rest) {  // every argument from the first listed one on
    for (CommandForm& form : info.forms)
      for (std::size_t i = 0; i < form.args.size(); ++i)
        if (form.args[i].name == lowered(list[0])) {
          form.restKind = kind;
          form.restFrom = i;
        }
    return;
  }
  for (std::string_view name : list) setKind(info, name, kind, firstFormOnly);
}

}  // namespace

CommandForms::CommandForms(const std::vector<std::string_view>& lines) : index_(36 * 36 * 36, -1) {
  CommandInfo* current = nullptr;
  bool inArguments = false;
  for (std::string_view line : lines) {
    if (line == "END") break;
    if (line.starts_with("---")) {
      current = nullptr;
      continue;
    }
    std::string_view formText;
    if (line.starts_with(kForm)) formText = line.substr(kForm.size());
    else if (line.starts_with(kForm2)) formText = line.substr(kForm2.size());
    else if (line.starts_with(kForm3)) formText = line.substr(kForm3.size());
    if (!formText.empty()) {
      std::string_view mnemonic = formText.substr(0, formText.find(','));
      int s = slot(mnemonic);
      if (s < 0) continue;
      if (!current) {
        commands_.push_back({std::string(mnemonic), {}, LabelKind::None});
        current = &commands_.back();
        index_[static_cast<std::size_t>(s)] = static_cast<int>(commands_.size() - 1);
      }
      current->forms.push_back(parseForm(formText));
      inArguments = false;
      continue;
    }
    if (!current) continue;
    if (line.starts_with(kArgs)) {
      inArguments = true;
      readArgumentLine(*current, line.substr(kArgs.size()));
    } else if (inArguments && line.starts_with(kMore)) {
      readArgumentLine(*current, line.substr(kMore.size()));
    } else {
      inArguments = false;
    }
  }
}

const CommandForms& CommandForms::builtIn() {
  static const CommandForms forms(event::referenceResourceLines());
  return forms;
}

int CommandForms::slot(std::string_view m) {
  if (m.size() != 3) return -1;
  int s = 0;
  for (char c : m) {
    int d;
    if (c >= 'A' && c <= 'Z') d = c - 'A';
    else if (c >= '0' && c <= '9') d = 26 + (c - '0');
    else return -1;
    s = s * 36 + d;
  }
  return s;
}

const CommandInfo* CommandForms::find(std::string_view mnemonic) const {
  int s = slot(mnemonic);
  if (s < 0 || index_[static_cast<std::size_t>(s)] < 0) return nullptr;
  return &commands_[static_cast<std::size_t>(index_[static_cast<std::size_t>(s)])];
}

}  // namespace quillane::lint
