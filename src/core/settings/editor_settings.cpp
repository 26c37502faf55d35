#include "core/settings/editor_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "core/settings/folder_path.h"
#include "core/map/view_geometry.h"
#include "core/text/item_reader.h"
#include "core/text/item_writer.h"
#include "core/text/project_files.h"

namespace quillane::settings {

namespace fs = std::filesystem;

text::Bytes defaultSettingsLine() { return "\"\",\"\",\"\",75,1,1,"; }

void makeValid(EditorSettings& s) {
  s.zoom = map::snapZoom(s.zoom);
  s.scrollSpeed = std::clamp(s.scrollSpeed, 0, 3);
  s.scale = s.scale != 0 ? 1 : 0;
}

namespace {
// Numbers far outside int range must not overflow the cast.
int toInt(double v) { return static_cast<int>(std::clamp(v, -1e6, 1e6)); }
}  // namespace

std::optional<EditorSettings> parseSettings(std::string_view bytes) {
  EditorSettings s;
  text::ItemReader reader(bytes, kSettingsFileName);
  try {
    // The folder is a file-system path: stored in CP932 like the rest of the file.
    s.folder = slashSeparators(text::toUtf8(reader.text()));
    s.reserved = reader.text();
    s.password = reader.text();
  } catch (const text::ReadError&) {
    return std::nullopt;
  }
  try {
    double zoom = reader.number();
    double speed = reader.number();
    double scale = reader.number();
    s.zoom = zoom;
    s.scrollSpeed = toInt(speed);
    s.scale = toInt(scale);
  } catch (const text::ReadError&) {
    s.zoom = 100;
    s.scrollSpeed = 1;
    s.scale = 0;
  }
  makeValid(s);
  return s;
}

text::Bytes formatSettings(const EditorSettings& s) {
  text::ItemWriter w;
  std::string folder = slashSeparators(s.folder);
  // A path CP932 cannot hold is kept as its UTF-8 bytes rather than lost.
  w.text(text::fromUtf8(folder).value_or(folder));
  w.text(s.reserved);
  w.text(s.password);
  w.number(s.zoom);
  w.number(s.scrollSpeed);
  w.number(s.scale);
  return w.take();
}

void writeSettingsBytes(const fs::path& dir, std::string_view bytes) {
  // The file holds the editing password: private to its owner.
  fs::path tmp = dir / "zov.ini.tmp";
  files::writeFileSynced(tmp, bytes, 0600);
  try {
    files::replaceWith(dir, kSettingsFileName, tmp);
  } catch (...) {
    ::unlink(tmp.c_str());
    throw;
  }
}

void saveSettings(const fs::path& dir, const EditorSettings& s) { writeSettingsBytes(dir, formatSettings(s)); }

SettingsRead loadSettings(const fs::path& dir) {
  SettingsRead result;
  if (auto bytes = files::readProjectFile(dir, kSettingsFileName)) {
    if (auto parsed = parseSettings(*bytes)) {
      result.settings = *parsed;
      return result;
    }
  }
  result.created = true;
  try {
    writeSettingsBytes(dir, defaultSettingsLine());
  } catch (const std::exception&) {
    // A read-only program folder: the defaults still hold for this run.
  }
  return result;
}

}  // namespace quillane::settings
