#pragma once
// The names the map-properties lists offer: the stems of the project's bitmaps
// (GRP\*.bmp) and music (mid\*.mid), as CP932 project text.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::map {

// Every file of `folder`/`subfolder` (the subfolder matched without regard to case)
// whose name matches `pattern` ("*.bmp") without regard to case, as its name without
// the last four characters. A name is taken as UTF-8 and converted to CP932, or, when it
// is no UTF-8, as the CP932 bytes an archive from Windows leaves; names CP932 cannot
// hold are left out. Sorted, without repeats.
std::vector<text::Bytes> listStems(const std::filesystem::path& folder, std::string_view subfolder,
                                   std::string_view pattern);

// The same for one file name (without its folder); empty optional when left out.
std::optional<text::Bytes> stemOfFileName(const std::string& fileName);

}  // namespace quillane::map
