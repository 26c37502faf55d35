// Reading whole files into the reused load buffer, and finding them case-insensitively.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/text/project_files.h"
#include "core/text/read_buffer.h"
#include "read_helpers.h"

namespace fs = std::filesystem;
using namespace quillane;

namespace {

struct Sandbox {
  fs::path dir = fs::temp_directory_path() /
                 ("qrb" + std::to_string(::getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Sandbox() {
    fs::remove_all(dir);
    fs::create_directories(dir / "DAT");
  }
  ~Sandbox() { fs::remove_all(dir); }
  fs::path put(const std::string& relative, const std::string& content) {
    std::ofstream(dir / relative, std::ios::binary) << content;
    return dir / relative;
  }
};

// Bytes of every value, so that a shifted or lost block shows.
std::string pattern(std::size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed + i / 4093) & 0xff);
  return s;
}

}  // namespace

TEST(ReadBuffer, ReadsEveryByteOfSmallLargeAndEmptyFilesIntoOneBuffer) {
  Sandbox box;
  const std::string big = pattern(5 * 1024 * 1024 + 17, 1);  // beyond two huge pages
  const std::string small = pattern(70000, 2);                // beyond the first small step
  const auto bigFile = box.put("big", big), smallFile = box.put("small", small), emptyFile = box.put("empty", "");
  files::ReadBuffer buffer;
  ASSERT_TRUE(quillane::testing::readPath(buffer, smallFile, files::kMaxFileBytes));
  EXPECT_EQ(buffer.view(), small);
  ASSERT_TRUE(quillane::testing::readPath(buffer, bigFile, files::kMaxFileBytes));
  EXPECT_EQ(buffer.view(), big);
  const std::size_t room = buffer.capacity();
  ASSERT_TRUE(quillane::testing::readPath(buffer, emptyFile, files::kMaxFileBytes));
  EXPECT_EQ(buffer.view(), "");
  ASSERT_TRUE(quillane::testing::readPath(buffer, smallFile, files::kMaxFileBytes));
  EXPECT_EQ(buffer.view(), small);  // nothing of the larger file left behind
  EXPECT_EQ(buffer.capacity(), room);  // reused, not mapped again

  files::ReadBuffer moved = std::move(buffer);
  EXPECT_EQ(moved.view(), small);
  EXPECT_EQ(buffer.view(), "");
}

TEST(ReadBuffer, RefusesWhatIsNoFileOrTooLarge) {
  Sandbox box;
  files::ReadBuffer buffer;
  ASSERT_TRUE(quillane::testing::readPath(buffer, box.put("ten", "0123456789"), 10));
  EXPECT_FALSE(quillane::testing::readPath(buffer, box.dir / "ten", 9));
  EXPECT_EQ(buffer.view(), "");  // a failed read leaves nothing to parse
  EXPECT_FALSE(quillane::testing::readPath(buffer, box.dir / "missing", 100));
  EXPECT_FALSE(quillane::testing::readPath(buffer, box.dir / "DAT", 100));
  // The size is refused before a byte is read: a sparse file of 64 MB + 1 costs nothing.
  const fs::path huge = box.dir / "huge";
  std::ofstream(huge).close();
  fs::resize_file(huge, files::kMaxFileBytes + 1);
  EXPECT_FALSE(quillane::testing::readPath(buffer, huge, files::kMaxFileBytes));
}

// Files whose size shows 0 while they hold bytes (as system files do) and files that
// grow while they are read take the same way: read on to the end, within the limit.
TEST(ReadBuffer, ReadsPastTheSizeTheFileShowedAndStopsAtTheLimit) {
  files::ReadBuffer buffer;
  if (!quillane::testing::readPath(buffer, "/proc/self/maps", files::kMaxFileBytes)) GTEST_SKIP() << "no /proc";
  EXPECT_EQ(fs::file_size("/proc/self/maps"), 0u);
  ASSERT_FALSE(buffer.view().empty());
  EXPECT_EQ(buffer.view().back(), '\n');
  // smaps, made longer than the buffer's first step by many small mappings, grows the
  // buffer while it is read: the bytes already read stay.
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)), pages = 400;
  char* area = static_cast<char*>(::mmap(nullptr, pages * page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(area, MAP_FAILED);
  for (std::size_t i = 0; i < pages; i += 2) ::mprotect(area + i * page, page, PROT_NONE);
  ASSERT_TRUE(quillane::testing::readPath(buffer, "/proc/self/smaps", files::kMaxFileBytes));
  const std::string first(buffer.view());
  ::munmap(area, pages * page);
  EXPECT_GT(first.size(), 64u * 1024u);
  ASSERT_TRUE(quillane::testing::readPath(buffer, "/proc/self/maps", files::kMaxFileBytes));
  const std::string maps(buffer.view());
  EXPECT_EQ(first.substr(0, maps.find('\n')), maps.substr(0, maps.find('\n')));
  EXPECT_EQ(first.back(), '\n');
  EXPECT_FALSE(quillane::testing::readPath(buffer, "/proc/self/smaps", 100));
  // The same into a string, reused: nothing of a longer file read before is left.
  text::Bytes into(200000, 'x');
  ASSERT_TRUE(files::readFileInto("/proc/self/maps", into));
  EXPECT_EQ(into.substr(0, maps.find('\n')), maps.substr(0, maps.find('\n')));
  EXPECT_EQ(into.back(), '\n');
  EXPECT_LT(into.size(), 200000u);
}

TEST(ReadBuffer, AKeptBufferIsTakenAgainFromItsSlotOnly) {
  Sandbox box;
  const auto file = box.put("f", pattern(100000, 3));
  files::ReadBuffer::takeKept(0), files::ReadBuffer::takeKept(1);  // whatever earlier tests left
  {
    files::KeptReadBuffer first(0);
    ASSERT_TRUE(quillane::testing::readPath(*first, file, files::kMaxFileBytes));
    // Slot 0 is taken while `first` lives: a second user of it starts empty.
    files::KeptReadBuffer again(0);
    EXPECT_EQ(again->capacity(), 0u);
  }
  files::ReadBuffer kept = files::ReadBuffer::takeKept(0);
  EXPECT_GE(kept.capacity(), 100000u);
  EXPECT_EQ(kept.view(), "");  // no bytes of the last file come with it
  EXPECT_EQ(files::ReadBuffer::takeKept(1).capacity(), 0u);
  // A buffer beyond the bound is given back to the system, not kept.
  const auto big = box.put("big", pattern((std::size_t{16} << 20) + 1, 4));
  ASSERT_TRUE(quillane::testing::readPath(kept, big, files::kMaxFileBytes));
  files::ReadBuffer::keep(0, std::move(kept));
  EXPECT_EQ(files::ReadBuffer::takeKept(0).capacity(), 0u);
}

TEST(FolderReader, FindsNamesAsFindExistingDoesAndListsAFolderOnce) {
  Sandbox box;
  box.put("DAT/BZENCTY.DAT", "upper");
  box.put("DAT/bzenPLY.DAT", "exact");
  box.put("DAT/BZENPLY.DAT", "other case");
  files::FolderReader reader(box.dir);
  files::ReadBuffer buffer;
  ASSERT_TRUE(quillane::testing::readFromFolder(reader, "DAT\\bzenCTY.DAT", buffer));
  EXPECT_EQ(buffer.view(), "upper");
  ASSERT_TRUE(quillane::testing::readFromFolder(reader, "dat/bzenPLY.DAT", buffer));
  EXPECT_EQ(buffer.view(), "exact");  // the exact name wins over a case-variant
  EXPECT_FALSE(quillane::testing::readFromFolder(reader, "DAT\\bzenEAP.DAT", buffer));
  // Files come and go between loads, not within one: a new reader sees them.
  box.put("DAT/bzenEAP.dat", "later");
  files::FolderReader fresh(box.dir);
  EXPECT_TRUE(quillane::testing::readFromFolder(fresh, "DAT\\bzenEAP.DAT", buffer));
  EXPECT_EQ(buffer.view(), "later");
  EXPECT_EQ(*files::findExisting(box.dir, "DAT\\BZENeap.DAT"), box.dir / "DAT" / "bzenEAP.dat");
}
