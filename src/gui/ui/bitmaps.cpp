#include "gui/ui/bitmaps.h"
#include "source_paths.h"

#include "core/text/named_files.h"
#include "core/text/project_files.h"

namespace quillane::ui {

namespace fs = std::filesystem;

QImage blankBitmap(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

std::optional<QImage> loadBitmapFile(const fs::path& path) {
  // Read as bytes: a name left in CP932 by an archive from Windows is no UTF-8 and would
  // not survive the trip through a QString.
  const std::optional<text::Bytes> bytes = files::readFile(path);
  QImage image;
  if (!bytes || !image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size())))
    return std::nullopt;
  return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<QImage> programBitmap(const fs::path& programDir, const QString& name) {
  std::string n = name.toStdString();
  if (auto p = files::findExisting(programDir, n))
    if (auto image = loadBitmapFile(*p)) return image;
#ifdef QUILLANE_ASSET_DIR
  if (auto p = files::findExisting(fs::path(QUILLANE_ASSET_DIR), n))
    if (auto image = loadBitmapFile(*p)) return image;
#endif
  return std::nullopt;
}

std::optional<QImage> projectBitmap(const fs::path& folder, const char* relativeDir, const text::Bytes& stem,
                                    const char* suffix) {
  auto path = files::findNamedFile(folder, relativeDir, stem, suffix);
  if (!path) return std::nullopt;
  return loadBitmapFile(*path);
}

}  // namespace quillane::ui
