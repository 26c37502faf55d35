#include "core/lint/script_checker.h"

#include <algorithm>
#include <charconv>

#include "core/text/cp932.h"

namespace quillane::lint {

namespace {

using event::ScriptLine;

// The lines of a script up to (not including) its end marker; all of them when it has none.
std::span<const ScriptLine> scriptBody(std::span<const ScriptLine> lines, bool& hasEnd) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].message == event::kEndMarker) {
      hasEnd = true;
      return lines.first(i);
    }
  hasEnd = false;
  return lines;
}

// Calls f(command) for each ":"-separated command of a command text. ":" and "," are
// single-byte characters that never occur inside a double-byte one.
template <class F>
void forEachCommand(std::string_view text, F&& f) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(':', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view command = text.substr(start, end - start);
    if (!command.empty()) f(command);
    start = end + 1;
  }
}

std::string_view mnemonicOf(std::string_view command) { return command.substr(0, command.find(',')); }

// The first argument of a command ("LBL,Y1" -> "Y1").
std::string_view firstArgument(std::string_view command) {
  std::size_t comma = command.find(',');
  if (comma == std::string_view::npos) return {};
  std::string_view rest = command.substr(comma + 1);
  return rest.substr(0, rest.find(','));
}

void splitArguments(std::string_view command, std::vector<std::string_view>& args) {
  args.clear();
  std::size_t comma = command.find(',');
  while (comma != std::string_view::npos) {
    std::size_t next = command.find(',', comma + 1);
    args.push_back(command.substr(comma + 1, next == std::string_view::npos ? std::string_view::npos
                                                                            : next - comma - 1));
    comma = next;
  }
}

// A whole number as the engine reads a plain argument: an optional "-" and digits.
bool wholeNumber(std::string_view s, long long& value) {
  if (s.empty() || s.size() > 12) return false;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && ptr == s.data() + s.size();
}

bool fits(const CommandForm& form, const std::vector<std::string_view>& args) {
  if (form.variadic) return !args.empty();
  std::size_t i = 0;
  for (const FormArg& expected : form.args) {
    if (i >= args.size()) return false;
    if (expected.literal) {
      if (args[i] != expected.name) return false;
    } else if (expected.kind == ArgKind::Enemy && args[i] == "S") {
      long long count = 0;  // "S", the count, then that many enemy numbers
      if (i + 1 >= args.size() || !wholeNumber(args[i + 1], count) || count < 0 ||
          count > static_cast<long long>(args.size() - i - 2))
        return false;
      i += 1 + static_cast<std::size_t>(count);
    }
    ++i;
  }
  return i == args.size();
}

const char* tablePlural(ArgKind kind) {
  switch (kind) {
    case ArgKind::Enemy: return "enemies";
    case ArgKind::Magic: return "magic";
    case ArgKind::Map: return "maps";
    case ArgKind::Event: return "events";
    case ArgKind::Player: return "players";
    case ArgKind::Item: return "items";
    case ArgKind::Free: break;
  }
  return "";
}

const char* tableName(ArgKind kind) {
  switch (kind) {
    case ArgKind::Map: return "map";
    case ArgKind::Event: return "event";
    case ArgKind::Player: return "player";
    case ArgKind::Item: return "item";
    case ArgKind::Magic: return "magic";
    case ArgKind::Enemy: return "enemy";
    case ArgKind::Free: break;
  }
  return "";
}

std::string formsText(const CommandInfo& info) {
  std::string s;
  for (const CommandForm& f : info.forms) s += (s.empty() ? "" : " / ") + f.text;
  return s;
}

}  // namespace

Limits Limits::of(const data::MaxValues& max) {
  Limits l;
  l.maps = max.maps;
  l.lastEvent = std::min(event::kMaxEventNumber, max.events);
  l.players = max.players;
  l.items = max.itemKinds;
  l.magic = max.magicKinds;
  l.enemies = max.enemyKinds;
  return l;
}

namespace {

bool contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}
// Each name once: scripts define the same label on many lines.
void addOnce(std::vector<std::string_view>& names, std::string_view name) {
  if (!contains(names, name)) names.push_back(name);
}

// Findings in script order (event, line), as a scan appends label findings late.
void sortFrom(std::vector<Finding>& out, std::size_t first) {
  std::stable_sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(), [](const Finding& a, const Finding& b) {
    return a.place.event != b.place.event ? a.place.event < b.place.event : a.place.line < b.place.line;
  });
}

}  // namespace

struct ScriptChecker::Scan {
  // A jump to a label ("*name") waiting for the labels of its event or map.
  struct Jump {
    Place place;
    const CommandInfo* info;
    std::string_view name;
  };
  std::vector<std::string_view> lineLabels;   // "LBL" names of the script being scanned
  std::vector<std::string_view> eventLabels;  // "ELB" names of the map (or script)
  std::vector<Jump> lineJumps, eventJumps;

  void resolveEventJumps(std::vector<Finding>& out) const {
    for (const Jump& j : eventJumps)
      if (!contains(eventLabels, j.name))
        out.push_back({j.place, j.info->mnemonic, FindingKind::MissingEventLabel,
                       "event label *" + text::toUtf8(j.name) + " is defined by no event of this " +
                           (j.place.script == Place::Script::Map ? "map" : "script"),
                       {ArgKind::Free, 0, -1, text::toUtf8(j.name)}});
  }
};

std::string formatFinding(const Finding& f) {
  std::string s;
  switch (f.place.script) {
    case Place::Script::Map:
      s = "map " + std::to_string(f.place.map) + " event " + std::to_string(f.place.event);
      break;
    case Place::Script::Opening: s = "opening"; break;
    case Place::Script::Ending: s = "ending"; break;
  }
  if (f.place.line >= 0) s += " line " + std::to_string(f.place.line);
  s += ": ";
  if (!f.command.empty()) s += f.command + ": ";
  return s + f.message;
}

const char* kindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::UnknownCommand: return "unknown-command";
    case FindingKind::ArgumentCount: return "argument-count";
    case FindingKind::MissingLabel: return "missing-label";
    case FindingKind::MissingEventLabel: return "missing-event-label";
    case FindingKind::BeyondTable: return "beyond-table";
    case FindingKind::NoEndMarker: return "no-end-marker";
  }
  return "";
}

ScriptChecker::ScriptChecker(Limits limits, const CommandForms& forms) : limits_(limits), forms_(forms) {}

void ScriptChecker::checkMap(int map, const event::MapEvents& events, std::vector<Finding>& out) const {
  const int last = std::min(events.lastNumber, static_cast<int>(events.records.size()) - 1);
  const std::size_t first = out.size();
  Scan scan;
  for (int e = 0; e <= last; ++e)
    checkLines({Place::Script::Map, map, e, -1}, events.records[static_cast<std::size_t>(e)].lines, scan, out);
  scan.resolveEventJumps(out);
  sortFrom(out, first);
}

void ScriptChecker::checkScript(Place::Script which, std::span<const ScriptLine> lines,
                                std::vector<Finding>& out) const {
  checkEdited({which, -1, -1, -1}, lines, {}, out);
}

void collectEventLabels(std::span<const ScriptLine> lines, std::vector<std::string>& names) {
  bool hasEnd = false;
  for (const ScriptLine& line : scriptBody(lines, hasEnd))
    forEachCommand(line.command, [&](std::string_view c) {
      if (mnemonicOf(c) != "ELB") return;
      std::string_view name = firstArgument(c);
      if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
    });
}

std::vector<std::string> eventLabelsOfMap(const event::MapEvents& events, int except) {
  std::vector<std::string> names;
  const int last = std::min(events.lastNumber, static_cast<int>(events.records.size()) - 1);
  for (int e = 0; e <= last; ++e)
    if (e != except) collectEventLabels(events.records[static_cast<std::size_t>(e)].lines, names);
  return names;
}

void ScriptChecker::checkEdited(Place place, std::span<const ScriptLine> lines,
                                std::span<const std::string> otherEventLabels, std::vector<Finding>& out) const {
  const std::size_t first = out.size();
  Scan scan;
  scan.eventLabels.assign(otherEventLabels.begin(), otherEventLabels.end());
  checkLines(place, lines, scan, out);
  scan.resolveEventJumps(out);
  sortFrom(out, first);
}

void ScriptChecker::checkLines(Place place, std::span<const ScriptLine> lines, Scan& scan,
                               std::vector<Finding>& out) const {
  bool hasEnd = false;
  std::span<const ScriptLine> body = scriptBody(lines, hasEnd);
  if (!hasEnd) out.push_back({place, "", FindingKind::NoEndMarker, "the script has no end marker (a line \"99\")"});
  scan.lineLabels.clear();
  scan.lineJumps.clear();
  for (std::size_t i = 0; i < body.size(); ++i) {
    place.line = static_cast<int>(i);
    forEachCommand(body[i].command, [&](std::string_view c) { checkCommand(place, c, scan, out); });
  }
  for (const Scan::Jump& j : scan.lineJumps)
    if (!contains(scan.lineLabels, j.name))
      out.push_back({j.place, j.info->mnemonic, FindingKind::MissingLabel,
                     "label *" + text::toUtf8(j.name) + " is defined nowhere in this event",
                     {ArgKind::Free, 0, -1, text::toUtf8(j.name)}});
}

void ScriptChecker::checkCommand(Place place, std::string_view command, Scan& scan,
                                 std::vector<Finding>& out) const {
  thread_local std::vector<std::string_view> args;
  std::string_view mnemonic = mnemonicOf(command);
  if (mnemonic == "LBL") addOnce(scan.lineLabels, firstArgument(command));
  else if (mnemonic == "ELB") addOnce(scan.eventLabels, firstArgument(command));
  const CommandInfo* info = forms_.find(mnemonic);
  if (!info) {
    out.push_back({place, text::toUtf8(mnemonic), FindingKind::UnknownCommand, "no such command"});
    return;
  }
  splitArguments(command, args);
  const CommandForm* form = nullptr;
  for (const CommandForm& f : info->forms)
    if (fits(f, args)) {
      form = &f;
      break;
    }
  if (!form) {
    std::string forms = formsText(*info);
    out.push_back({place, info->mnemonic, FindingKind::ArgumentCount,
                   std::to_string(args.size()) + (args.size() == 1 ? " argument fits" : " arguments fit") +
                       " none of its forms (" + forms + ")",
                   {ArgKind::Free, static_cast<long long>(args.size()), -1, forms}});
    return;
  }

  auto checkNumber = [&](ArgKind kind, std::string_view arg) {
    long long v = 0;
    if (kind == ArgKind::Free || !wholeNumber(arg, v)) return;
    long long top = -1;
    bool special = false;
    switch (kind) {
      case ArgKind::Map: top = limits_.maps - 1; break;
      case ArgKind::Event: top = limits_.lastEvent, special = v == -1 || v == 98 || v == 99; break;
      case ArgKind::Player: top = limits_.players - 1, special = v == 98 || v == 99; break;
      case ArgKind::Item: top = limits_.items - 1; break;
      case ArgKind::Magic: top = limits_.magic - 1; break;
      case ArgKind::Enemy: top = limits_.enemies - 1; break;
      case ArgKind::Free: return;
    }
    if (special || (v >= 0 && v <= top)) return;
    std::string range = top < 0 ? "none" : "0.." + std::to_string(top);
    out.push_back({place, info->mnemonic, FindingKind::BeyondTable,
                   std::string(tableName(kind)) + " " + std::to_string(v) + " is beyond the project's " +
                       tablePlural(kind) + " (" + range + ")",
                   {kind, v, top, {}}});
  };

  // Numbers the form names, walked as `fits` walked them ("S" lists of enemies included).
  std::size_t i = 0;
  for (std::size_t j = 0; j < form->args.size() && i < args.size(); ++j, ++i) {
    const FormArg& expected = form->args[j];
    if (!form->variadic && expected.kind == ArgKind::Enemy && args[i] == "S") {
      long long count = 0;
      wholeNumber(args[i + 1], count);
      for (long long k = 0; k < count; ++k) checkNumber(ArgKind::Enemy, args[i + 2 + static_cast<std::size_t>(k)]);
      i += 1 + static_cast<std::size_t>(count);
      continue;
    }
    if (form->restKind != ArgKind::Free && j >= form->restFrom) break;
    checkNumber(expected.kind, args[i]);
  }
  if (form->restKind != ArgKind::Free)
    for (std::size_t k = form->restFrom; k < args.size(); ++k) checkNumber(form->restKind, args[k]);

  if (info->labels == LabelKind::None) return;
  for (std::string_view arg : args)
    if (arg.starts_with('*'))
      (info->labels == LabelKind::Line ? scan.lineJumps : scan.eventJumps).push_back({place, info, arg.substr(1)});
}

}  // namespace quillane::lint
