// The level table cut into parts for a load on two threads: where each part starts in
// the file, what a part's reader writes, and that every damaged item is reported as a
// load on one thread reports it, however the table is cut.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/data/level_parts.h"
#include "core/data/load_sharing.h"
#include "data_fixtures.h"

namespace quillane::data {
namespace {

using testing::MemoryFiles;
using testing::writeAtVersion;

constexpr const char* kLev = "DAT\\bzenLEV.DAT";

// A project of four players whose level table has enough steps for the bulk reader's
// windows.
ProjectDatabase levelProject(int steps = 23) {
  ProjectDatabase db = testing::richDatabase();
  db.max.players = 3;
  db.max.levels = steps;
  db.fitToCounts();
  float next = 1;
  for (auto* c : {&db.levels.hpGain, &db.levels.mpGain, &db.levels.attackGain, &db.levels.defenceGain,
                  &db.levels.speedGain, &db.levels.magicLearned, &db.levels.magicDefenceGain, &db.levels.hitGain})
    for (auto row : *c)
      for (float& f : row) f = next++;
  for (auto row : db.levels.experience)
    for (auto& e : row) e = static_cast<std::int32_t>(next++) * -3;
  return db;
}

// Where each item of `bytes` ends (its comma).
std::vector<std::size_t> commasOf(const std::string& bytes) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == ',') out.push_back(i);
  return out;
}

// The error a load reports, as tools print it; empty when it loads.
std::string errorOf(MemoryFiles& files, LoadThreads threads) {
  return testing::errorOf([&] {
    RandomSource random(11);
    ProjectDatabase db;
    loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), db, random, nullptr, threads);
  });
}

// Cuts the level table into parts of `items` while it lives.
struct PartItems {
  explicit PartItems(std::size_t items) : before(useLevelPartItems(items)) {}
  ~PartItems() { useLevelPartItems(before); }
  std::size_t before;
};

// Where part p of `parts` starts in a file whose items end at `commas`.
std::size_t startOf(const std::vector<LevelPart>& parts, std::size_t p, const std::vector<std::size_t>& commas) {
  return p == 0 ? 0 : commas[parts[p].items - 1] + 1;
}

TEST(LevelParts, PartsCoverTheSegmentsInOrderAndAreFoundBackwardFromThePartAfterThem) {
  const ProjectDatabase db = levelProject();
  const std::string bytes = writeAtVersion(db, 340).read(kLev);
  const std::vector<std::size_t> commas = commasOf(bytes);
  const LevelSegments layout(db.max, 340);
  ASSERT_EQ(layout.count(), 2 * 4 + 1);
  for (std::size_t partItems : {std::size_t{1}, std::size_t{200}, std::size_t{400}, std::size_t{1} << 20}) {
    SCOPED_TRACE(partItems);
    std::vector<LevelPart> parts = planLevelParts(layout, partItems);
    ASSERT_FALSE(parts.empty());
    EXPECT_EQ(parts.front().from, 0);
    EXPECT_EQ(parts.back().to, layout.count());
    std::size_t items = 0;
    for (std::size_t p = 0; p < parts.size(); ++p) {
      if (p > 0) {
        EXPECT_EQ(parts[p].from, parts[p - 1].to);
      }
      EXPECT_EQ(parts[p].items, items);
      std::size_t inPart = 0;
      for (int s = parts[p].from; s < parts[p].to; ++s) inPart += layout.items(s);
      if (p + 1 < parts.size()) {
        EXPECT_GE(inPart, partItems);
      }
      items += inPart;
    }
    ASSERT_EQ(items, commas.size());
    // Each part counted back from the start of the next one (the last from the end).
    for (std::size_t p = parts.size(); p-- > 0;) {
      const bool last = p + 1 == parts.size();
      const std::size_t to = last ? bytes.size() : startOf(parts, p + 1, commas);
      std::size_t start = 12345;
      ASSERT_TRUE(startBefore(bytes, to, (last ? items : parts[p + 1].items) - parts[p].items, start)) << p;
      EXPECT_EQ(start, startOf(parts, p, commas)) << p;
    }
  }
}

TEST(LevelParts, CountingBackGivesUpAtAnyByteAQuotedTextOrALineBreakMayHoldAndAtTheStart) {
  const ProjectDatabase db = levelProject();
  const std::string good = writeAtVersion(db, 340).read(kLev);
  const std::vector<std::size_t> commas = commasOf(good);
  // Runs of every length up to two hundred items ending at items 300 and 310 (their
  // bytes then cross blocks of 64 bytes at every place).
  for (const std::size_t last : {std::size_t{300}, std::size_t{310}}) {
    const std::size_t to = commas[last] + 1;
    for (std::size_t items = 1; items <= 200; ++items) {
      const std::size_t want = commas[last - items] + 1;
      std::size_t start = 0;
      ASSERT_TRUE(startBefore(good, to, items, start)) << items;
      ASSERT_EQ(start, want) << items;
      // A stop anywhere from the comma before the run to its last byte, of each kind,
      // makes it give up; one just before that comma does not.
      for (const char stop : {'"', '\r', '\n', '\t', '\0', '!', '\x81', '\xff'}) {
        for (const std::size_t at : {want - 1, want, (want + to) / 2, to - 2}) {
          std::string bytes = good;
          bytes[at] = stop;
          ASSERT_FALSE(startBefore(bytes, to, items, start)) << items << " items, stop at " << at;
        }
        std::string bytes = good;
        bytes[want - 2] = stop;
        ASSERT_TRUE(startBefore(bytes, to, items, start) && start == want) << items;
      }
    }
  }
  std::size_t start = 99;
  // The run from the first item: found at byte 0; one item more than the file holds: not.
  EXPECT_TRUE(startBefore(good, commas[40] + 1, 41, start));
  EXPECT_EQ(start, 0u);
  EXPECT_FALSE(startBefore(good, commas[40] + 1, 42, start));
  for (const std::size_t at : {std::size_t{0}, std::size_t{5}}) {
    std::string bytes = good;
    bytes[at] = '"';
    EXPECT_FALSE(startBefore(bytes, commas[40] + 1, 41, start)) << at;
  }
  EXPECT_FALSE(startBefore(good, commas[100] + 1, 102, start));
  // Not ending after a comma, or outside the bytes.
  EXPECT_FALSE(startBefore(good, commas[100], 3, start));
  EXPECT_FALSE(startBefore(good.substr(0, good.size() - 1), good.size() - 1, 3, start));
  EXPECT_FALSE(startBefore(good, good.size() + 1, 3, start));
  EXPECT_FALSE(startBefore(good, 0, 0, start));
}

// The rows of segment s of `from` copied into `to` (the kept row holds none).
void copySegment(const LevelTable& from, LevelTable& to, const LevelSegments& layout, int s) {
  const auto copy = [](const auto& a, auto& b, std::size_t row) { std::ranges::copy(a[row], b[row].begin()); };
  if (s < layout.players) {
    const auto p = static_cast<std::size_t>(s);
    for (auto c : {&LevelTable::hpGain, &LevelTable::mpGain, &LevelTable::attackGain, &LevelTable::defenceGain,
                   &LevelTable::speedGain, &LevelTable::magicLearned})
      copy(from.*c, to.*c, p);
    copy(from.experience, to.experience, p);
  } else if (s > layout.players) {
    const auto p = static_cast<std::size_t>(s - layout.players - 1);
    copy(from.magicDefenceGain, to.magicDefenceGain, p);
    copy(from.hitGain, to.hitGain, p);
  }
}

TEST(LevelParts, APartReadsOnlyItsOwnSegmentsAndZeroesWhatItLeavesUnread) {
  const ProjectDatabase source = levelProject();
  const std::string bytes = writeAtVersion(source, 340).read(kLev);
  const std::vector<std::size_t> commas = commasOf(bytes);
  const LevelSegments layout(source.max, 340);
  std::vector<LevelPart> parts = planLevelParts(layout, 1);
  for (std::size_t p = 0; p < parts.size(); ++p) parts[p].offset = startOf(parts, p, commas);
  // Every cell 77: memory that held something else.
  ProjectDatabase before;
  before.max = source.max;
  before.levels = source.levels;
  for (auto* c : {&before.levels.hpGain, &before.levels.mpGain, &before.levels.attackGain,
                  &before.levels.defenceGain, &before.levels.speedGain, &before.levels.magicLearned,
                  &before.levels.magicDefenceGain, &before.levels.hitGain})
    std::fill_n(c->data(), c->size() * c->columns(), 77.f);
  std::fill_n(before.levels.experience.data(), 4 * 23, 77);
  ProjectDatabase zero = before;
  for (auto* c : {&zero.levels.hpGain, &zero.levels.mpGain, &zero.levels.attackGain, &zero.levels.defenceGain,
                  &zero.levels.speedGain, &zero.levels.magicLearned, &zero.levels.magicDefenceGain,
                  &zero.levels.hitGain})
    c->zeroFrom(0);
  zero.levels.experience.zeroFrom(0);

  // Single segments of either pass, and a part of two segments across the kept row.
  std::vector<LevelPart> cases = {parts[1], parts[3], parts[6]};
  cases.push_back(parts[3]);
  cases.back().to = 6;
  for (const LevelPart& part : cases) {
    SCOPED_TRACE(part.from);
    // Read whole: its segments are the source's, every other cell stays as it was.
    ProjectDatabase db = before;
    FieldReader reader(bytes, kLev, 340, db.hidden);
    reader.items().startAt(part.offset, part.items);
    walkLevelSegments(reader, db, part.from, part.to);
    LevelTable want = before.levels;
    for (int s = part.from; s < part.to; ++s) copySegment(source.levels, want, layout, s);
    want.reserved = part.to > layout.players ? source.levels.reserved : before.levels.reserved;
    EXPECT_TRUE(db.levels == want);

    // Damaged at its second item: the error is the one a reader of the whole file
    // meets, the part's cells from that item on are zero and nothing outside it changes.
    std::string broken = bytes;
    broken.replace(commas[part.items] + 1, commas[part.items + 1] - commas[part.items] - 1, " 4x ");
    std::size_t wholeItem = 0;
    try {
      ProjectDatabase whole = before;
      FieldReader all(broken, kLev, 340, whole.hidden);
      walkLevels(all, whole);
    } catch (const text::ReadError& e) {
      wholeItem = e.item();
    }
    ASSERT_EQ(wholeItem, part.items + 2);
    ProjectDatabase damaged = before;
    FieldReader failing(broken, kLev, 340, damaged.hidden);
    failing.items().startAt(part.offset, part.items);
    try {
      walkLevelSegments(failing, damaged, part.from, part.to);
      ADD_FAILURE() << "no error";
    } catch (const text::ReadError& e) {
      EXPECT_EQ(e.item(), wholeItem);
      EXPECT_EQ(e.file(), kLev);
    }
    want = before.levels;
    for (int s = part.from; s < part.to; ++s) copySegment(zero.levels, want, layout, s);
    if (part.from < layout.players)
      want.hpGain[static_cast<std::size_t>(part.from)][0] = source.levels.hpGain[static_cast<std::size_t>(part.from)][0];
    else
      want.magicDefenceGain[static_cast<std::size_t>(part.from - layout.players - 1)][0] =
          source.levels.magicDefenceGain[static_cast<std::size_t>(part.from - layout.players - 1)][0];
    want.reserved = before.levels.reserved;
    EXPECT_TRUE(damaged.levels == want);
  }
}

// The level file as items, each with what ends it.
std::vector<std::string> itemsOf(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == ',') out.push_back(bytes.substr(start, i + 1 - start)), start = i + 1;
  return out;
}
std::string joined(const std::vector<std::string>& items, std::size_t end) {
  std::string out;
  for (std::size_t i = 0; i < end && i < items.size(); ++i) out += items[i];
  return out;
}

TEST(LevelParts, EveryDamagedOrCutItemIsReportedAsOnOneThreadHoweverTheTableIsCut) {
  const MemoryFiles good = writeAtVersion(levelProject(12), 340);
  const std::vector<std::string> items = itemsOf(good.files.at(testing::upper(kLev)));
  const std::size_t gains = 4 * 12 * 7;
  const auto filler = [&](std::size_t k) {
    const auto& row = reservedSlots(ReservedRow::Lev);
    return k >= gains && k < gains + row.size() && row[k - gains].kind == SlotRef::Filler;
  };
  for (const std::size_t partItems : {std::size_t{1}, std::size_t{300}}) {
    PartItems cut(partItems);
    // Every item with single segments; with larger parts, a sample.
    for (std::size_t k = 0; k < items.size(); k += partItems == 1 ? 1 : 11) {
      std::vector<std::string> damaged = items;
      damaged[k] = " 4x ,";
      // Damaged; cut off there; damaged with a later table damaged too; damaged after a
      // line break or a quoted text that the parts cannot be counted over.
      std::vector<MemoryFiles> cases(5, good);
      cases[0][kLev] = joined(damaged, items.size());
      cases[1][kLev] = joined(items, k);
      cases[2][kLev] = cases[0][kLev];
      cases[2]["DAT\bzenITM.DAT"].resize(10);
      std::vector<std::string> broken = damaged;
      broken[k / 2].back() = '\n';
      cases[3][kLev] = joined(broken, items.size());
      broken[k / 2] = "\"a,b\",";
      cases[4][kLev] = joined(broken, items.size());
      for (std::size_t c = 0; c < (k % 3 == 0 ? cases.size() : 2); ++c) {
        const std::string one = errorOf(cases[c], LoadThreads::One);
        // Only the kept row's fillers take any item.
        if (!filler(k) || c == 1 || c == 4) {
          ASSERT_EQ(one.rfind(kLev, 0), 0u) << one << ", case " << c << ", item " << k;
        }
        ASSERT_EQ(errorOf(cases[c], LoadThreads::Two), one)
            << "case " << c << ", item " << k << ", parts of " << partItems;
      }
    }
  }
}

// The tables after the counts read through a shared load on this thread, the sides
// taking turns: `back` pieces from the back, `front` from the front, then the rest
// from the back. Returns the error, as errorOf() does.
std::string readInTurns(MemoryFiles& files, const ProjectDatabase& counts, std::size_t back, std::size_t front,
                        ProjectDatabase& db) {
  db.max = counts.max;
  db.formatVersion = 340;
  const std::vector<const TableFile*> rest(loadOrder().begin() + 2, loadOrder().end());
  SharedLoad load(files, db, rest, 1);
  load.work(false, back);
  load.work(true, front);
  load.work(false);
  load.finishLevelParts();
  if (const std::exception_ptr failure = load.firstError()) {
    try {
      std::rethrow_exception(failure);
    } catch (const text::ReadError& e) {
      return describe(e);
    }
  }
  return "";
}

TEST(LevelParts, SidesTakingTurnsReadWhatOneThreadReads) {
  // The level table in single segments, the sides meeting before, inside and after it;
  // the file as written, with bytes after its last item (its parts then cannot be
  // counted back from the end), with a line break or a quoted text (which counting
  // cannot pass), and damaged before, at or after the place the sides meet.
  const ProjectDatabase source = levelProject(12);
  const MemoryFiles good = writeAtVersion(source, 340);
  const std::vector<std::string> items = itemsOf(good.files.at(testing::upper(kLev)));
  std::vector<std::pair<std::string, MemoryFiles>> cases;
  cases.emplace_back("as written", good);
  cases.emplace_back("more after it", good);
  cases.back().second[kLev] += " 5 , 6 ,";
  cases.emplace_back("a line break at its end", good);
  cases.back().second[kLev].back() = '\n';
  for (const std::size_t k : {std::size_t{20}, std::size_t{200}, std::size_t{330}, std::size_t{420}}) {
    std::vector<std::string> changed = items;
    changed[k] = " 4x ,";
    cases.emplace_back("damaged at " + std::to_string(k), good);
    cases.back().second[kLev] = joined(changed, items.size());
    changed = items;
    changed[k].back() = '\n';
    cases.emplace_back("a line break at " + std::to_string(k), good);
    cases.back().second[kLev] = joined(changed, items.size());
    changed[k] = "\"a,b\",";
    cases.emplace_back("a quoted text at " + std::to_string(k), good);
    cases.back().second[kLev] = joined(changed, items.size());
  }
  const LevelSegments layout(source.max, 340);
  const std::size_t pieces = static_cast<std::size_t>(layout.count()) + 10;  // level parts and other tables
  for (auto& [name, files] : cases) {
    SCOPED_TRACE(name);
    ProjectDatabase one;
    const std::string want = errorOf(files, LoadThreads::One);
    if (want.empty()) {
      RandomSource random(11);
      loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), one, random, nullptr, LoadThreads::One);
    }
    for (std::size_t back = 0; back <= pieces; ++back) {
      for (const std::size_t front : {std::size_t{0}, std::size_t{1}, std::size_t{4}, pieces}) {
        ProjectDatabase db;
        ASSERT_EQ(readInTurns(files, source, back, front, db), want) << back << " from the back, " << front;
        if (want.empty()) {
          ASSERT_TRUE(db.levels == one.levels) << back << " from the back, " << front;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillane::data
