#pragma once
// The generators of every bitmap and sound the project ships. Each writes its files
// into the folder it is given and returns the names it wrote.
#include <string>
#include <vector>

namespace make_assets {

using Written = std::vector<std::string>;

// Program folder: TITLE.BMP, FONT.BMP, SYMBOL.BMP.
Written makeProgramAssets(const std::string& dir);
// The font sheet alone (also the sample project's font.BMP).
void makeFontSheet(const std::string& path);

// Desktop icons quillane-<size>.png (16 to 256 pixels square, RGBA).
Written makeIcons(const std::string& dir);

// Sample project GRP folder.
Written makeTileSets(const std::string& grpDir);     // MAP, MAP2, MAP2_1, MAP2_2, SKY, SKYm
Written makeCharacters(const std::string& grpDir);   // CHR, faces, enemies
Written makeScenes(const std::string& grpDir);       // battle backgrounds, distant view, animations

// Sample project WAV and mid folders.
Written makeSounds(const std::string& wavDir);
Written makeMusic(const std::string& midDir);

}  // namespace make_assets
