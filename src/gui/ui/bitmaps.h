#pragma once
// Bitmaps the editor reads: the program folder's own (TITLE.BMP, FONT.BMP, SYMBOL.BMP),
// taken from the installed assets when the program folder lacks them, and the
// project's GRP bitmaps named by CP932 stems.
#include <QImage>
#include <QString>
#include <filesystem>
#include <optional>

#include "core/text/cp932.h"

namespace quillane::ui {

// A white bitmap of the given size (what the program uses where a file is missing).
QImage blankBitmap(int width, int height, QColor fill = Qt::white);

// Loads a BMP file; empty optional when it is missing or unreadable.
std::optional<QImage> loadBitmapFile(const std::filesystem::path& path);

// The program's own pictures shipped beside the executable: <prefix>/share/quillane for
// <prefix>/bin/quillane (also in the build tree); empty when there is none.
std::optional<std::filesystem::path> installedAssetDir();

// `name` ("TITLE.BMP") from the program folder (any case), else from the installed
// assets folder; empty optional when neither has it.
std::optional<QImage> programBitmap(const std::filesystem::path& programDir, const QString& name);

// `folder`/`relativeDir`/<stem><suffix>, the stem being project text: the UTF-8 file
// name is tried first, then the raw CP932 bytes an archive from Windows leaves.
// Case-insensitive.
std::optional<QImage> projectBitmap(const std::filesystem::path& folder, const char* relativeDir,
                                    const text::Bytes& stem, const char* suffix);

// The path of such a file, when one exists.
std::optional<std::filesystem::path> findProjectFile(const std::filesystem::path& folder,
                                                     const char* relativeDir, const text::Bytes& stem,
                                                     const char* suffix);

}  // namespace quillane::ui
