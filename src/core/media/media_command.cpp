#include "core/media/media_command.h"

#include <vector>

namespace quillane::media {

std::string openCommand(std::string_view path, std::string_view alias) {
  std::string c = "open \"";
  c += path;
  c += "\" alias ";
  c += alias;
  return c;
}

std::string playCommand(std::string_view alias, bool waitForEnd) {
  std::string c = "play ";
  c += alias;
  if (waitForEnd) c += " notify wait";
  return c;
}

std::string closeCommand(std::string_view alias) {
  std::string c = "close ";
  c += alias;
  return c;
}

namespace {

std::vector<std::string> words(std::string_view s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) out.emplace_back(s.substr(start, i - start));
  }
  return out;
}

bool equalsWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

MediaCommand parseMediaCommand(std::string_view command) {
  MediaCommand out;
  std::size_t space = command.find(' ');
  if (space == std::string_view::npos) return out;
  std::string_view verb = command.substr(0, space);
  std::string_view rest = command.substr(space + 1);

  if (equalsWord(verb, "open")) {
    // The path runs from the first to the last double quote; the alias follows.
    std::size_t open = rest.find('"');
    std::size_t close = rest.rfind('"');
    if (open == std::string_view::npos || close == open) return out;
    auto tail = words(rest.substr(close + 1));
    if (tail.size() != 2 || !equalsWord(tail[0], "alias")) return out;
    out.verb = MediaCommand::Verb::Open;
    out.path = std::string(rest.substr(open + 1, close - open - 1));
    out.alias = tail[1];
    return out;
  }
  auto w = words(rest);
  if (w.empty()) return out;
  if (equalsWord(verb, "play")) {
    if (w.size() == 1) {
      out.verb = MediaCommand::Verb::Play;
    } else if (w.size() == 3 && equalsWord(w[1], "notify") && equalsWord(w[2], "wait")) {
      out.verb = MediaCommand::Verb::Play;
      out.wait = true;
    } else {
      return out;
    }
  } else if (equalsWord(verb, "close") && w.size() == 1) {
    out.verb = MediaCommand::Verb::Close;
  } else {
    return out;
  }
  out.alias = w[0];
  return out;
}

}  // namespace quillane::media
