// Files mapped into memory: every byte as in the file, a readable zero past the end at
// any size, and a file that shrinks under the mapping seen as damaged instead of ending
// the process.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/text/mapped_file.h"

namespace fs = std::filesystem;
using quillane::files::MappedFile;

namespace {

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

struct Sandbox {
  fs::path dir = fs::temp_directory_path() /
                 ("qmf" + std::to_string(::getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Sandbox() {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~Sandbox() { fs::remove_all(dir); }
  fs::path put(const std::string& name, const std::string& content) {
    std::ofstream(dir / name, std::ios::binary) << content;
    return dir / name;
  }
};

std::string pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 4093) % 26);
  return s;
}

int openRead(const fs::path& p) { return ::open(p.c_str(), O_RDONLY | O_CLOEXEC); }

// Every byte of the view and the one after it, read as a parser would.
unsigned long sumWithByteAfter(const MappedFile& m) {
  unsigned long sum = 0;
  const char* p = m.view().data();
  for (std::size_t i = 0; i <= m.view().size(); ++i) sum += static_cast<unsigned char>(p[i]);
  return sum;
}

}  // namespace

TEST(MappedFile, HoldsEveryByteAndAReadableZeroPastTheEndAtEverySize) {
  Sandbox box;
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, kPage - 1, kPage, kPage + 1, 3 * kPage, 5 * kPage + 77}) {
    SCOPED_TRACE(size);
    const std::string content = pattern(size);
    const int fd = openRead(box.put("f" + std::to_string(size), content));
    MappedFile m;
    ASSERT_TRUE(m.map(fd, 0, 1 << 20));
    EXPECT_EQ(m.view(), content);
    EXPECT_EQ(m.view().data()[size], '\0');  // past the end: in the last page or a zero page after it
    EXPECT_TRUE(m.intact());
    // Moved, the mapping goes along; released, the next one maps anew.
    MappedFile moved = std::move(m);
    EXPECT_FALSE(m.mapped());
    EXPECT_EQ(moved.view(), content);
  }
}

TEST(MappedFile, LeavesWhatItRefusesToTheCaller) {
  Sandbox box;
  const int fd = openRead(box.put("ten", "0123456789"));
  MappedFile m;
  EXPECT_FALSE(m.map(fd, 11, 100));  // smaller than asked for
  EXPECT_FALSE(m.map(fd, 0, 9));     // larger than the limit
  // The file stays open for a read instead.
  char first = 0;
  ASSERT_EQ(::pread(fd, &first, 1, 0), 1);
  EXPECT_EQ(first, '0');
  ::close(fd);
  const int dir = ::open(box.dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  EXPECT_FALSE(m.map(dir, 0, 100));
  ::close(dir);
  EXPECT_FALSE(m.mapped());
}

TEST(MappedFile, AFileThatShrinksUnderItReadsAsZerosAndIsNotIntact) {
  Sandbox box;
  const std::string content = pattern(6 * kPage + 10);
  const fs::path path = box.put("shrinks", content);
  // To a page and a half: the pages past it fault; to a byte less: no fault, only the
  // size shows it; to nothing: every page faults.
  for (std::size_t to : {kPage + kPage / 2, content.size() - 1, std::size_t{0}}) {
    SCOPED_TRACE(to);
    std::ofstream(path, std::ios::binary) << content;
    MappedFile m;
    ASSERT_TRUE(m.map(openRead(path), 1, 1 << 20));
    EXPECT_EQ(m.view()[3 * kPage], content[3 * kPage]);
    fs::resize_file(path, to);
    unsigned long sum = sumWithByteAfter(m);  // would end the process without the handler
    EXPECT_FALSE(m.intact());
    unsigned long kept = 0;
    for (std::size_t i = 0; i < std::min(to, kPage); ++i) kept += static_cast<unsigned char>(content[i]);
    EXPECT_GE(sum, kept);  // the first page still holds the file
    for (std::size_t i = 2 * kPage; i < content.size(); ++i) ASSERT_EQ(m.view()[i], to > i ? content[i] : '\0') << i;
  }
}

TEST(MappedFile, ShrinkingWhileAnotherThreadReadsEndsOnlyThatMapping) {
  Sandbox box;
  const std::string content = pattern(64 * kPage);
  const fs::path path = box.put("race", content);
  const std::string other = pattern(8 * kPage);
  MappedFile untouched;
  ASSERT_TRUE(untouched.map(openRead(box.put("other", other)), 1, 1 << 20));
  for (int round = 0; round < 20; ++round) {
    std::ofstream(path, std::ios::binary) << content;
    MappedFile m;
    ASSERT_TRUE(m.map(openRead(path), 1, 1 << 20));
    std::atomic<bool> started{false};
    std::thread reader([&] {
      for (int pass = 0; pass < 50; ++pass) {
        sumWithByteAfter(m);
        started = true;
      }
    });
    while (!started) std::this_thread::yield();
    ::truncate(path.c_str(), static_cast<off_t>(round * kPage));
    reader.join();
    EXPECT_FALSE(m.intact());
  }
  EXPECT_TRUE(untouched.intact());
  EXPECT_EQ(untouched.view(), other);
}

TEST(MappedFile, ShrinkingFromAnotherProcessIsSeenToo) {
  Sandbox box;
  const std::string content = pattern(16 * kPage);
  const fs::path path = box.put("forked", content);
  MappedFile m;
  ASSERT_TRUE(m.map(openRead(path), 1, 1 << 20));
  const pid_t child = ::fork();
  if (child == 0) _exit(::truncate(path.c_str(), 0) == 0 ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(sumWithByteAfter(m), 0u);
  EXPECT_FALSE(m.intact());
}

namespace {

void exitWith42(int) { _exit(42); }

// A bus error outside every mapping of ours, after one of ours was made.
void busErrorElsewhere(const fs::path& dir) {
  const fs::path ours = dir / "ours", plain = dir / "plain";
  std::ofstream(ours, std::ios::binary) << pattern(2 * kPage);
  std::ofstream(plain, std::ios::binary) << pattern(2 * kPage);
  static MappedFile kept;
  if (!kept.map(openRead(ours), 1, 1 << 20)) _exit(3);
  const int fd = openRead(plain);
  auto* p = static_cast<volatile char*>(::mmap(nullptr, 2 * kPage, PROT_READ, MAP_PRIVATE, fd, 0));
  ::truncate(plain.c_str(), 0);
  (void)p[kPage];
  _exit(0);
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

TEST(MappedFileDeathTest, FaultsOutsideItsMappingsGoWhereTheyWentBefore) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a child that starts afresh
  Sandbox box;
  // Ended by the signal (under a sanitizer, whose handler was there first, by its report).
  EXPECT_EXIT(busErrorElsewhere(box.dir),
              [](int status) {
                return (WIFSIGNALED(status) && WTERMSIG(status) == SIGBUS) ||
                       (kSanitized && WIFEXITED(status) && WEXITSTATUS(status) != 0);
              },
              "");
  EXPECT_EXIT(
      {
        ::signal(SIGBUS, &exitWith42);
        busErrorElsewhere(box.dir);
      },
      ::testing::ExitedWithCode(42), "");
  // A handler installed after it leaves no file mapped: it would not be ours to catch.
  EXPECT_EXIT(
      {
        MappedFile first;
        if (!first.map(openRead(box.put("a", "abc")), 1, 100)) _exit(1);
        ::signal(SIGBUS, &exitWith42);
        MappedFile second;
        _exit(second.map(openRead(box.dir / "a"), 1, 100) ? 2 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}
