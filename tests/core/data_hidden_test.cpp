// Passwords, file keys and check numbers hidden in the reserved slots.
#include <gtest/gtest.h>

#include <set>

#include "core/data/reserved_slots.h"
#include "data_fixtures.h"

namespace quillane::data {
namespace {

using testing::loadMemory;
using testing::MemoryFiles;
using testing::richDatabase;
using testing::saveToMemory;
using testing::writeAtVersion;

TEST(DataHidden, EverySlotOfThePasswordsAndKeysIsStoredExactlyOnce) {
  std::multiset<std::tuple<int, int, int>> seen;
  int fillers = 0, kept = 0;
  for (int r = 0; r < static_cast<int>(ReservedRow::Count); ++r)
    for (const SlotRef& s : reservedSlots(static_cast<ReservedRow>(r))) {
      if (s.kind == SlotRef::Filler) ++fillers;
      else if (s.kind == SlotRef::Kept) ++kept;
      else seen.insert({s.kind, s.index, s.part});
    }
  EXPECT_EQ(fillers, 12);
  EXPECT_EQ(kept, 8);
  EXPECT_EQ(seen.size(), 2u * 12 * 3 + 12);
  for (int k = 0; k < 12; ++k)
    for (int part = 0; part < 3; ++part) {
      EXPECT_EQ(seen.count({SlotRef::Editing, k, part}), 1u);
      EXPECT_EQ(seen.count({SlotRef::Game, k, part}), 1u);
    }
  for (int n = 0; n < 6; ++n) {
    EXPECT_EQ(seen.count({SlotRef::KeyX, n, 0}), 1u);
    EXPECT_EQ(seen.count({SlotRef::KeyY, n, 0}), 1u);
  }
}

TEST(DataHidden, TextsDecodeFromTripleSums) {
  std::array<HiddenFields::Triple, 12> t{};
  t[1] = {10, 20, 35};
  EXPECT_EQ(decodeHiddenText(t), Bytes{});  // first triple 0, 0, 0: empty whatever follows
  for (auto& x : t) x = {16, 8, 8};
  t[0] = {65, 0, 0};
  t[1] = {0x82A0 - 5, 3, 2};   // a double-byte character
  t[2] = {-32096, 0, 0};       // the same code as a negative 16-bit value
  EXPECT_EQ(decodeHiddenText(t), Bytes("A\x82\xA0\x82\xA0") + std::string(9, ' '));
  t[3] = {70000, 0, 0};
  EXPECT_FALSE(decodeHiddenText(t).has_value());
}

TEST(DataHidden, EncodingKeepsSumsAndDrawsNewParts) {
  HiddenFields h;
  h.editingPassword = "abc";
  h.gamePassword = "";
  h.keys = {10, 20, 30, 40, 50, 60};
  RandomSource random(1);
  encodeHidden(h, random);
  auto first = h;
  encodeHidden(h, random);
  EXPECT_EQ(h.editingPassword, "abc         ");
  EXPECT_EQ(decodeHiddenText(h.editingTriples), h.editingPassword);
  EXPECT_EQ(decodeHiddenText(h.gameTriples), std::string(12, ' '));
  for (int n = 0; n < 6; ++n) EXPECT_EQ(h.keyParts[n][0] + h.keyParts[n][1], h.keys[n]);
  EXPECT_NE(first.editingTriples, h.editingTriples);
  EXPECT_NE(first.keyParts, h.keyParts);
  EXPECT_EQ(expectedCheckSums(h), (std::pair<int, int>{10 + 30 + 60, 20 + 40 + 50}));
}

TEST(DataHidden, TwoSavesDifferInReservedNumbersButNotInPasswordsOrCheckNumbers) {
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  ProjectDatabase db = loadMemory(files);
  MemoryFiles a = saveToMemory(db, 1), b = saveToMemory(db, 2);
  EXPECT_NE(a.read("DAT\\bzenPLY.DAT"), b.read("DAT\\bzenPLY.DAT"));
  ProjectDatabase da = loadMemory(a), dbb = loadMemory(b);
  EXPECT_EQ(da.hidden.editingPassword, dbb.hidden.editingPassword);
  EXPECT_EQ(da.hidden.gamePassword, dbb.hidden.gamePassword);
  EXPECT_EQ(da.hidden.keys, dbb.hidden.keys);
  EXPECT_TRUE(checkSumsMatch(da.hidden));
  EXPECT_TRUE(checkSumsMatch(dbb.hidden));
  EXPECT_EQ(da.hidden.openingCheck, dbb.hidden.openingCheck);
  EXPECT_TRUE(passwordMatches(da.hidden, "secret"));
  EXPECT_FALSE(passwordMatches(da.hidden, "secret "));  // trailing blanks count on the typed side
}

TEST(DataHidden, ARegistrationAtLoadInstallsThePasswordAndTheKeys) {
  ProjectDatabase blank = richDatabase();
  blank.hidden = HiddenFields{};  // nothing registered: all hidden numbers 0
  MemoryFiles files = writeAtVersion(blank, 340);
  ProjectDatabase db = loadMemory(files);
  EXPECT_EQ(text::trimRight(db.hidden.editingPassword), "");
  EXPECT_TRUE(checkSumsMatch(db.hidden));  // keys 0, check numbers 0

  RandomSource random(4);
  Registration reg = makeRegistration("newpass", random);
  for (int n : reg.keyNumbers) EXPECT_TRUE(n >= 0 && n < 50);
  ProjectDatabase registered;
  loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), registered, random, &reg);
  EXPECT_TRUE(passwordMatches(registered.hidden, "newpass"));
  for (int n = 0; n < 6; ++n) EXPECT_EQ(registered.hidden.keys[n], reg.keyNumbers[2 * n] + reg.keyNumbers[2 * n + 1]);
  EXPECT_FALSE(checkSumsMatch(registered.hidden));  // the files still hold the old check numbers
  acceptCheckSums(registered.hidden);
  EXPECT_TRUE(checkSumsMatch(registered.hidden));

  MemoryFiles saved = saveToMemory(registered);
  ProjectDatabase reloaded = loadMemory(saved);
  EXPECT_TRUE(passwordMatches(reloaded.hidden, "newpass"));
  EXPECT_TRUE(checkSumsMatch(reloaded.hidden));
  EXPECT_EQ(reloaded.hidden.keys, registered.hidden.keys);
}

TEST(DataHidden, AForeignCheckNumberIsNoticed) {
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  std::string& tend = files["DAT\\BZENTEND.DAT"];
  tend.replace(0, tend.find(','), " 40 ");
  EXPECT_FALSE(checkSumsMatch(loadMemory(files).hidden));
}

TEST(DataHidden, OnlyAnEmptyProjectWithoutPasswordNeedsRegistration) {
  ProjectDatabase db;
  db.fitToCounts();
  EXPECT_TRUE(needsRegistration(db));
  db.hidden.editingPassword = std::string(12, ' ');
  EXPECT_TRUE(needsRegistration(db));
  db.enemies.name[0] = "slime";
  EXPECT_FALSE(needsRegistration(db));
  db.enemies.name[0].clear();
  db.hidden.editingPassword = "pw";
  EXPECT_FALSE(needsRegistration(db));
}

}  // namespace
}  // namespace quillane::data
