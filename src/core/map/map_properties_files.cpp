#include "core/map/map_properties_files.h"

#include <algorithm>
#include <optional>

#include "core/text/project_files.h"

namespace quillane::map {

namespace {

// Whether the bytes read back from CP932 without a replacement character.
bool validCp932(std::string_view bytes) {
  return text::toUtf8(bytes).find("\xEF\xBF\xBD") == std::string::npos;
}

}  // namespace

std::optional<text::Bytes> stemOfFileName(const std::string& fileName) {
  if (fileName.size() <= 4) return std::nullopt;
  // Plain ASCII names are the same bytes in both forms: no conversion needed.
  if (std::all_of(fileName.begin(), fileName.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return fileName.substr(0, fileName.size() - 4);
  std::optional<text::Bytes> name = text::fromUtf8(fileName);
  if (!name) {
    if (!validCp932(fileName)) return std::nullopt;
    name = fileName;
  }
  // The extension is four ASCII bytes in either form.
  if (name->size() <= 4) return std::nullopt;
  name->resize(name->size() - 4);
  return name;
}

std::vector<text::Bytes> listStems(const std::filesystem::path& folder, std::string_view subfolder,
                                   std::string_view pattern) {
  std::vector<text::Bytes> stems;
  std::optional<std::filesystem::path> dir = files::findExisting(folder, subfolder);
  if (!dir) return stems;
  std::error_code error;
  if (!std::filesystem::is_directory(*dir, error)) return stems;
  for (const auto& path : files::listMatching(*dir, pattern)) {
    if (auto stem = stemOfFileName(path.filename().string())) stems.push_back(std::move(*stem));
  }
  std::sort(stems.begin(), stems.end());
  stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
  return stems;
}

}  // namespace quillane::map
