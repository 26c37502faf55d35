#pragma once
// The names of a map's three files, built from its number written as three digits.
#include <string>
#include <vector>

namespace quillane::map {

// "000" + number, last three characters: 7 → "007", 120 → "120". Map numbers are
// 0..998 ("マップ数" is at most 999).
std::string mapNumberText(int number);

std::string mapBodyFileName(int number);   // "DAT\BZENM<nnn>.DAT"
std::string mapEventFileName(int number);  // "DAT\BZENT<nnn>.DAT"
std::string mapFlagFileName(int number);   // "DAT\BZENE<nnn>.dat"
// The body file's name without its folder, the title of the creation question.
std::string mapBodyLeafName(int number);   // "BZENM<nnn>.DAT"

// The three files in the order a deletion removes them: flags, events, body.
std::vector<std::string> mapFileNamesForDeletion(int number);

}  // namespace quillane::map
