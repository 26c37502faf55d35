#include "core/data/hidden_fields.h"

#include "core/text/cp932.h"

namespace quillane::data {

Registration makeRegistration(Bytes password, RandomSource& random) {
  Registration r;
  r.password = std::move(password);
  for (int& n : r.keyNumbers) n = random.below(50);
  return r;
}

void installRegistration(HiddenFields& h, const Registration& r) {
  h.editingPassword = r.password;
  for (int n = 0; n < 6; ++n) {
    h.keyParts[n] = {r.keyNumbers[2 * n], r.keyNumbers[2 * n + 1]};
    h.keys[n] = h.keyParts[n][0] + h.keyParts[n][1];
  }
}

std::array<int, 12> passwordCodes(const Bytes& password) {
  std::array<int, 12> codes;
  codes.fill(' ');
  std::size_t pos = 0;
  for (int k = 0; k < 12 && pos < password.size(); ++k) {
    std::size_t len = text::charLength(password, pos);
    auto b0 = static_cast<unsigned char>(password[pos]);
    codes[k] = len == 2 ? (b0 << 8) | static_cast<unsigned char>(password[pos + 1]) : b0;
    pos += len;
  }
  return codes;
}

std::optional<Bytes> decodeHiddenText(const std::array<HiddenFields::Triple, 12>& triples) {
  const auto& first = triples[0];
  if (first[0] == 0 && first[1] == 0 && first[2] == 0) return Bytes{};
  Bytes out;
  for (const auto& t : triples) {
    long long n = static_cast<long long>(t[0]) + t[1] + t[2];
    if (n < 0) n += 65536;  // a double-byte code stored as a negative 16-bit value
    if (n < 0 || n > 0xFFFF) return std::nullopt;
    if (n > 0xFF) out.push_back(static_cast<char>(n >> 8));
    out.push_back(static_cast<char>(n & 0xFF));
  }
  return out;
}

namespace {

void encodeText(Bytes& text, std::array<HiddenFields::Triple, 12>& triples, RandomSource& random) {
  auto codes = passwordCodes(text);
  Bytes rebuilt;
  for (int k = 0; k < 12; ++k) {
    int n = codes[k];
    int u = random.below(n);
    int v = random.below(n - u);
    triples[k] = {u, v, n - u - v};
    if (n > 0xFF) rebuilt.push_back(static_cast<char>(n >> 8));
    rebuilt.push_back(static_cast<char>(n & 0xFF));
  }
  text = rebuilt;
}

}  // namespace

void encodeHidden(HiddenFields& h, RandomSource& random) {
  encodeText(h.gamePassword, h.gameTriples, random);
  encodeText(h.editingPassword, h.editingTriples, random);
  for (int n = 0; n < 6; ++n) {
    int x = random.below(h.keys[n]);
    h.keyParts[n] = {x, h.keys[n] - x};
  }
  for (int& f : h.fillers) f = random.filler();
}

std::pair<int, int> expectedCheckSums(const HiddenFields& h) {
  return {h.keys[0] + h.keys[2] + h.keys[5], h.keys[1] + h.keys[3] + h.keys[4]};
}

bool checkSumsMatch(const HiddenFields& h) {
  auto [opening, ending] = expectedCheckSums(h);
  return h.openingCheck == static_cast<float>(opening) && h.endingCheck == static_cast<float>(ending);
}

void acceptCheckSums(HiddenFields& h) {
  auto [opening, ending] = expectedCheckSums(h);
  h.openingCheck = static_cast<float>(opening);
  h.endingCheck = static_cast<float>(ending);
}

bool passwordMatches(const HiddenFields& h, const Bytes& typed) {
  return text::trimRight(h.editingPassword) == typed;
}

bool needsRegistration(const ProjectDatabase& db) {
  auto emptyAt = [](const auto& column, auto pick) { return column.empty() || pick(column.front()).empty(); };
  auto self = [](const Bytes& s) -> const Bytes& { return s; };
  auto first = [](const auto& texts) -> const Bytes& { return texts[0]; };
  return text::trimRight(db.hidden.editingPassword).empty() && emptyAt(db.players.name, self) &&
         emptyAt(db.maps.name, self) && emptyAt(db.items.text, first) && emptyAt(db.magic.text, first) &&
         emptyAt(db.enemies.name, self);
}

}  // namespace quillane::data
