// writeNewFiles: several new files written as one group (every one created and written
// before the first is flushed), and nothing left behind, written or open, when any
// step fails.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/text/file_system.h"
#include "core/text/project_files.h"
#include "fault_file_system.h"

namespace quillane::files {
namespace {

namespace fs = std::filesystem;

struct Folder {
  fs::path dir = fs::temp_directory_path() /
                 ("quillane-newfiles-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Folder() {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~Folder() { fs::remove_all(dir); }
  std::size_t entries() const {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
  }
};

std::size_t openDescriptors() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

// Contents of every length class: empty, short, one that is not a multiple of a page.
std::vector<std::string> contents(std::size_t count) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < count; ++i)
    out.push_back(i % 3 == 0 ? std::string() : std::string(i * 331 % 9000 + 1, static_cast<char>('a' + i % 26)));
  return out;
}

std::vector<NewFile> filesIn(const fs::path& dir, const std::vector<std::string>& bytes) {
  std::vector<NewFile> files;
  for (std::size_t i = 0; i < bytes.size(); ++i) files.push_back({dir / ("f" + std::to_string(i)), bytes[i]});
  return files;
}

// Records the order of the steps: 'c'reate, 'w'rite, 'f'lush, 'x' close.
struct OrderLayer : testing::FaultFileSystem {
  std::string order;
  std::error_code create(const fs::path& p, unsigned m, int& h) override {
    order += 'c';
    return FaultFileSystem::create(p, m, h);
  }
  std::error_code write(int h, std::string_view b) override {
    order += 'w';
    return FaultFileSystem::write(h, b);
  }
  std::error_code flush(int h) override {
    order += 'f';
    return FaultFileSystem::flush(h);
  }
  std::error_code close(int h) override {
    order += 'x';
    return FaultFileSystem::close(h);
  }
};

TEST(WriteNewFiles, WritesEveryFileOfEachGroupBeforeTheFirstFlushAndClosesThemAll) {
  Folder folder;
  const std::size_t before = openDescriptors();
  // More files than one group holds open at once.
  const auto bytes = contents(70);
  OrderLayer layer;
  {
    FileSystemOverride use(layer);
    writeNewFiles(filesIn(folder.dir, bytes));
  }
  for (std::size_t i = 0; i < bytes.size(); ++i)
    EXPECT_EQ(readFile(folder.dir / ("f" + std::to_string(i))), bytes[i]) << i;
  EXPECT_EQ(folder.entries(), bytes.size());
  EXPECT_EQ(openDescriptors(), before);
  // A group of 64, then the remaining 6.
  std::string expected;
  for (std::size_t group : {64, 6}) {
    for (std::size_t i = 0; i < group; ++i) expected += "cw";
    for (std::size_t i = 0; i < group; ++i) expected += "fx";
  }
  EXPECT_EQ(layer.order, expected);
}

TEST(WriteNewFiles, AFailureAtAnyStepRemovesEveryFileItMadeAndLeavesNoneOpen) {
  Folder folder;
  const auto bytes = contents(5);
  testing::FaultFileSystem counter;
  {
    FileSystemOverride use(counter);
    writeNewFiles(filesIn(folder.dir, bytes));
  }
  const int steps = counter.steps;
  ASSERT_EQ(steps, 5 * 4);  // create, write, flush, close of each
  for (int at = 0; at < steps; ++at) {
    fs::remove_all(folder.dir);
    fs::create_directories(folder.dir);
    const std::size_t before = openDescriptors();
    testing::FaultFileSystem layer;
    layer.mode = testing::FaultFileSystem::Mode::FailAt;
    layer.at = at;
    // The failing file: the step's file in the create-and-write half, or in the
    // flush-and-close half.
    const int file = at < 10 ? at / 2 : (at - 10) / 2;
    try {
      FileSystemOverride use(layer);
      writeNewFiles(filesIn(folder.dir, bytes));
      ADD_FAILURE() << "step " << at << " failed without an error";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("f" + std::to_string(file) + ":"), std::string::npos)
          << "step " << at << ": " << e.what();
    }
    EXPECT_EQ(folder.entries(), 0u) << "step " << at;
    EXPECT_EQ(openDescriptors(), before) << "step " << at;
  }
}

}  // namespace
}  // namespace quillane::files
