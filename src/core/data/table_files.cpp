#include <cctype>
#include <cstdio>

#include "core/data/load_all.h"

#include "core/data/table_walks.h"

namespace quillane::data {

namespace {

#define QUILLANE_TABLE(var, readName, deleteName, writeName, fn) \
  const TableFile var{readName, deleteName, writeName, &fn<FieldReader>, &fn<FieldWriter>};

// Names as LoadAll opens them, as SaveAll deletes them and as it creates them.
QUILLANE_TABLE(kIni, "DAT\\bzenINI.DAT", "DAT\\bzenINI.DAT", "DAT\\bzenINI.DAT", walkIni)
QUILLANE_TABLE(kMax, "DAT\\bzenMAX.DAT", "DAT\\BZENMAX.DAT", "DAT\\bzenMAX.DAT", walkMax)
QUILLANE_TABLE(kTopn, "DAT\\BZENTOPN.DAT", "DAT\\bzenTOPN.DAT", "DAT\\BZENTOPN.DAT", walkOpening)
QUILLANE_TABLE(kTend, "DAT\\BZENTEND.DAT", "DAT\\bzenTEND.DAT", "DAT\\BZENTEND.DAT", walkEnding)
QUILLANE_TABLE(kPly, "DAT\\bzenPLY.DAT", "DAT\\BZENPLY.DAT", "DAT\\bzenPLY.DAT", walkPlayers)
QUILLANE_TABLE(kLev, "DAT\\bzenLEV.DAT", "DAT\\BZENLEV.DAT", "DAT\\bzenLEV.DAT", walkLevels)
QUILLANE_TABLE(kCty, "DAT\\bzenCTY.DAT", "DAT\\BZENCTY.DAT", "DAT\\BZENCTY.DAT", walkScenery)
QUILLANE_TABLE(kItm, "DAT\\bzenITM.DAT", "DAT\\BZENITM.DAT", "DAT\\bzenITM.DAT", walkItems)
QUILLANE_TABLE(kArm, "DAT\\bzenARM.DAT", "DAT\\BZENARM.DAT", "DAT\\bzenARM.DAT", walkArms)
QUILLANE_TABLE(kEap, "DAT\\bzenEAP.DAT", "DAT\\BZENEAP.DAT", "DAT\\BZENEAP.DAT", walkMaps)
QUILLANE_TABLE(kAts, "DAT\\bzenATS.DAT", "DAT\\BZENATS.DAT", "DAT\\bzenATS.DAT", walkAttackRates)
QUILLANE_TABLE(kMgc, "DAT\\bzenMGC.DAT", "DAT\\BZENMGC.DAT", "DAT\\bzenMGC.DAT", walkMagic)
QUILLANE_TABLE(kEne, "DAT\\bzenene.DAT", "DAT\\BZENENE.DAT", "DAT\\bzenene.DAT", walkEnemies)

}  // namespace

const std::vector<const TableFile*>& loadOrder() {
  static const std::vector<const TableFile*> order = {&kIni, &kMax, &kPly, &kLev, &kCty, &kItm, &kArm,
                                                      &kEap, &kAts, &kMgc, &kEne, &kTopn, &kTend};
  return order;
}

const std::vector<const TableFile*>& saveOrder() {
  // The open map's files are written between MAX and CTY.
  static const std::vector<const TableFile*> order = {&kTopn, &kTend, &kIni, &kMax, &kCty, &kEap, &kItm,
                                                      &kArm,  &kAts,  &kMgc, &kEne, &kPly, &kLev};
  return order;
}

bool isProjectFileName(std::string_view leaf) {
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  };
  for (const TableFile* t : loadOrder())
    if (same(leaf, std::string_view(t->readName).substr(4))) return true;
  // A map's files: BZENM<nnn>.DAT, BZENT<nnn>.DAT, BZENE<nnn>.DAT.
  if (leaf.size() != 12 || !same(leaf.substr(0, 4), "BZEN") || !same(leaf.substr(8), ".DAT")) return false;
  const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(leaf[4])));
  if (kind != 'M' && kind != 'T' && kind != 'E') return false;
  for (char c : leaf.substr(5, 3))
    if (c < '0' || c > '9') return false;
  return true;
}

Bytes hexPair(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(v) & 0xFF);
  return buf;
}

}  // namespace quillane::data
