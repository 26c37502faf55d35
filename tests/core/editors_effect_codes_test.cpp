// Effect codes of items and magic: what the selectors show for a stored code and the
// code a commit writes.
#include <gtest/gtest.h>

#include "core/editors/effect_codes.h"

namespace quillane::editors {
namespace {

using text::sj;

EffectInput picked(std::optional<int> target, std::optional<int> effect, double power = 0) {
  EffectInput in;
  in.targetRow = target;
  in.effectRow = effect;
  in.power = power;
  in.powerTyped = true;
  return in;
}

TEST(EffectCodes, TableHasTheTwentyFiveEffectsInOrder) {
  auto rows = effectRows();
  ASSERT_EQ(rows.size(), 25u);
  EXPECT_EQ(rows[0], sj("攻撃・回復"));
  EXPECT_EQ(rows[21], sj("魔力回復"));
  EXPECT_EQ(rows[24], sj("攻撃命中率"));
  EXPECT_EQ(kEffects[9].letter, 'W');
  EXPECT_EQ(kEffects[22].letter, '1');
  EXPECT_EQ(itemTargetRows().size(), 7u);
  ASSERT_EQ(magicTargetRows().size(), 6u);
  EXPECT_EQ(magicTargetRows()[0], sj("瞬間移動"));
}

TEST(EffectCodes, ItemCompositionExamples) {
  // One ally, power 50, HP and MP recovery.
  EXPECT_EQ(composeItemEffect("--", picked(3, 9, 50)), "PO0050W");
  // The power keeps its last four digits, without sign.
  EXPECT_EQ(composeItemEffect("--", picked(3, 9, 12345)), "PO2345W");
  EXPECT_EQ(composeItemEffect("--", picked(5, 1, -7)), "EO0007S");
  // Teleport with attack-or-heal: the power box is read-only and empty.
  EXPECT_EQ(composeItemEffect("PO0050W", picked(1, 0, 0)), "WP-0000-");
  // MP recovery always aims at allies: all enemies becomes all allies.
  EXPECT_EQ(composeItemEffect("--", picked(6, kManaRecovery, 30)), "PA0030M");
  EXPECT_EQ(composeItemEffect("--", picked(5, kManaRecovery, 30)), "PO0030M");
  // ... and a head without a target writes one ally.
  EXPECT_EQ(composeItemEffect("--", picked(1, kManaRecovery, 0)), "PO0000M");
  // Effects 22-24 write their letters.
  EXPECT_EQ(composeItemEffect("--", picked(4, 22, 100)), "PA01001");
  EXPECT_EQ(composeItemEffect("--", picked(4, 24, 5)), "PA00053");
}

TEST(EffectCodes, WithoutPicksTheStoredPartsStay) {
  // Nothing touched: byte-identical, even for codes the composition would not write.
  EXPECT_EQ(composeItemEffect("--", EffectInput{}), "--");
  EXPECT_EQ(composeItemEffect("EX12Q", EffectInput{}), "EX12Q");
  // Only the power typed: head and letter stay, unknown letter included.
  EffectInput power;
  power.power = 77;
  power.powerTyped = true;
  EXPECT_EQ(composeItemEffect("EA0010Q", power), "EA0077Q");
  // A head that takes no power writes zeros.
  EXPECT_EQ(composeItemEffect("WP-0050-", power), "WP-0000-");
  // Heads normalise: "--" , "WP-" and "RA-" as such, others by two characters.
  EXPECT_EQ(composeItemEffect("-", picked(std::nullopt, 1)), "--0000S");
  EXPECT_EQ(composeItemEffect("RA", picked(std::nullopt, 0)), "RA-0000-");
  EXPECT_EQ(composeItemEffect("XY0001S", picked(std::nullopt, 2, 5)), "XY0000H");
}

TEST(EffectCodes, ReadingShowsTargetPowerAndEffect) {
  EffectView v = readEffectCode("PO0050W");
  EXPECT_EQ(v.itemTargetRow, 3);
  EXPECT_EQ(v.magicTargetRow, 2);
  EXPECT_TRUE(v.powerEditable);
  EXPECT_EQ(v.power, 50);
  EXPECT_EQ(v.effectRow, 9);

  v = readEffectCode("WP-0000-");
  EXPECT_EQ(v.targetCaption, sj("瞬間移動"));
  EXPECT_FALSE(v.powerEditable);
  EXPECT_EQ(v.effectRow, 0);

  // "--" is "なし": the item list has it, the magic list does not.
  v = readEffectCode("--");
  EXPECT_EQ(v.targetCaption, sj("なし"));
  EXPECT_EQ(v.itemTargetRow, 0);
  EXPECT_FALSE(v.magicTargetRow);

  // Other heads compose their caption: "E" is the enemy side, "O" one.
  v = readEffectCode("EX0001S");
  EXPECT_EQ(v.targetCaption, sj("敵全員"));
  EXPECT_FALSE(v.powerEditable);
  v = readEffectCode("QO1");
  EXPECT_EQ(v.targetCaption, sj("味方一人"));
  EXPECT_EQ(v.effectRow, 22);

  // An unknown letter names no effect; an empty code shows nothing.
  EXPECT_FALSE(readEffectCode("PO0050Q").effectRow);
  EXPECT_FALSE(readEffectCode("").itemTargetRow);
}

TEST(EffectCodes, DoubleByteCharactersAreNeverTakenForLetters) {
  // "ソ" is 0x83 0x5C and "ャ" 0x83 0x83; "Ｏ" 0x82 0x6E: a trail byte that is an ASCII
  // letter is still part of its character.
  const Bytes code = sj("Eソ") + sj("Ｍ");
  EffectView v = readEffectCode(code);
  EXPECT_EQ(v.targetCaption, sj("敵全員"));
  EXPECT_FALSE(v.effectRow);
  EXPECT_EQ(currentHead(code), sj("Eソ"));
  EXPECT_EQ(lastCharacter(code), sj("Ｍ"));
}

TEST(EffectCodes, MagicComposition) {
  // All enemies, sleep: head and letter, no power digits.
  EXPECT_EQ(composeMagicEffect("--", picked(5, 1)), "EAS");
  // "--" shown as なし and kept while no target is picked.
  EXPECT_EQ(composeMagicEffect("--", picked(std::nullopt, 1)), "--S");
  EXPECT_EQ(composeMagicEffect("--", EffectInput{}), "--");
  // MP recovery keeps a chosen head with a target, and aims a targetless one at one ally.
  EXPECT_EQ(composeMagicEffect("--", picked(5, kManaRecovery)), "EAM");
  EXPECT_EQ(composeMagicEffect("--", picked(0, kManaRecovery)), "POM");
  // After composing, reading shows the same effect again.
  EXPECT_EQ(readEffectCode(composeMagicEffect("--", picked(3, kManaRecovery))).effectRow, kManaRecovery);
  EXPECT_EQ(readEffectCode(composeMagicEffect("--", picked(3, 23))).effectRow, 23);
}

TEST(EffectCodes, PowerDigits) {
  EXPECT_EQ(powerDigits(0), "0000");
  EXPECT_EQ(powerDigits(7.5), "0008");
  EXPECT_EQ(powerDigits(-12345), "2345");
  EXPECT_EQ(powerDigits(9999999), "9999");
}

}  // namespace
}  // namespace quillane::editors
