#include "core/map/map_file_names.h"

namespace quillane::map {

std::string mapNumberText(int number) {
  std::string padded = "000" + std::to_string(number);
  return padded.substr(padded.size() - 3);
}

std::string mapBodyFileName(int number) { return "DAT\\" + mapBodyLeafName(number); }
std::string mapEventFileName(int number) { return "DAT\\BZENT" + mapNumberText(number) + ".DAT"; }
std::string mapFlagFileName(int number) { return "DAT\\BZENE" + mapNumberText(number) + ".dat"; }
std::string mapBodyLeafName(int number) { return "BZENM" + mapNumberText(number) + ".DAT"; }

std::vector<std::string> mapFileNamesForDeletion(int number) {
  return {mapFlagFileName(number), mapEventFileName(number), mapBodyFileName(number)};
}

}  // namespace quillane::map
