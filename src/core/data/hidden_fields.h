#pragma once
// The hidden fields: passwords stored as triples of numbers, the six file keys stored
// as pairs, the fillers of the reserved slots, and the two check numbers.
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "core/data/project_database.h"
#include "core/data/random_source.h"

namespace quillane::data {

// A password registered in this run for a new project, with its twelve random
// numbers (0..49) that become the key parts K1x, K1y, K2x, ..., K6y.
struct Registration {
  Bytes password;
  std::array<int, 12> keyNumbers{};
};
Registration makeRegistration(Bytes password, RandomSource& random);
// Installs a registration: the password becomes the EditingPassword and the twelve
// numbers the key parts; K1..K6 are their sums.
void installRegistration(HiddenFields& hidden, const Registration& registration);

// Splits a password into 12 character codes (cut or padded with blanks to 12
// characters; a double-byte character counts as one, code lead * 256 + trail).
std::array<int, 12> passwordCodes(const Bytes& password);
// The text stored by 12 triples: empty when the first triple is 0, 0, 0. Empty optional
// when a sum is no character code.
std::optional<Bytes> decodeHiddenText(const std::array<HiddenFields::Triple, 12>& triples);

// Re-encodes both passwords, re-splits K1..K6 and draws the twelve reserved fillers.
void encodeHidden(HiddenFields& hidden, RandomSource& random);

// (K1 + K3 + K6, K2 + K4 + K5): the first numbers of bzenTOPN.DAT and bzenTEND.DAT.
std::pair<int, int> expectedCheckSums(const HiddenFields& hidden);
// True when the first numbers read from both script files equal the expected values.
bool checkSumsMatch(const HiddenFields& hidden);
// Takes the expected values as the current ones (a password registered in this run).
void acceptCheckSums(HiddenFields& hidden);

// The password test of start-up: the typed password against the stored editing
// password with its trailing blanks removed.
bool passwordMatches(const HiddenFields& hidden, const Bytes& typed);

// True when a password has to be registered: the stored editing password is empty
// after trimming and the project is empty (player 0, map 0, item 0, magic 0 and enemy
// 0 have empty names).
bool needsRegistration(const ProjectDatabase& db);

}  // namespace quillane::data
