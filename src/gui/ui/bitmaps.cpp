#include "gui/ui/bitmaps.h"

#include "core/text/project_files.h"

namespace quillane::ui {

namespace fs = std::filesystem;

QImage blankBitmap(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

std::optional<QImage> loadBitmapFile(const fs::path& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path.string()))) return std::nullopt;
  return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<fs::path> installedAssetDir() {
  // The installed layout is <prefix>/bin/quillane with <prefix>/share/quillane; the build
  // tree stages the same folder at its top, one or two levels above the executables.
  std::error_code ec;
  fs::path dir = fs::read_symlink("/proc/self/exe", ec).parent_path();
  if (ec) return std::nullopt;
  for (int level = 0; level < 3 && !dir.empty(); ++level, dir = dir.parent_path()) {
    fs::path candidate = dir.parent_path() / "share" / "quillane";
    if (fs::is_directory(candidate, ec)) return candidate;
    if (dir == dir.parent_path()) break;
  }
  return std::nullopt;
}

std::optional<QImage> programBitmap(const fs::path& programDir, const QString& name) {
  std::string n = name.toStdString();
  if (auto p = files::findExisting(programDir, n))
    if (auto image = loadBitmapFile(*p)) return image;
  if (auto dir = installedAssetDir())
    if (auto p = files::findExisting(*dir, n))
      if (auto image = loadBitmapFile(*p)) return image;
  return std::nullopt;
}

std::optional<fs::path> findProjectFile(const fs::path& folder, const char* relativeDir,
                                        const text::Bytes& stem, const char* suffix) {
  if (stem.empty()) return std::nullopt;
  std::string utf8 = text::toUtf8(stem);
  for (const std::string& name : {utf8, std::string(stem)}) {
    std::string relative = std::string(relativeDir) + "/" + name + suffix;
    if (auto p = files::findExisting(folder, relative)) return p;
  }
  return std::nullopt;
}

std::optional<QImage> projectBitmap(const fs::path& folder, const char* relativeDir, const text::Bytes& stem,
                                    const char* suffix) {
  auto path = findProjectFile(folder, relativeDir, stem, suffix);
  if (!path) return std::nullopt;
  return loadBitmapFile(*path);
}

}  // namespace quillane::ui
