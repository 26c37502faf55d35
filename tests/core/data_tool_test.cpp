// quillane-tool on real folders: new, check and resave with their exit codes; a wrong
// password writes nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/wait.h>

#include "core/text/project_files.h"

namespace {

namespace fs = std::filesystem;

// The tool is built beside the tests: <build>/src/cli/quillane-tool.
fs::path toolPath() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src/cli/quillane-tool"; }

struct ToolRun {
  int status;
  std::string out;
};

ToolRun run(const std::string& args) {
  std::string cmd = toolPath().string() + " " + args + " 2>&1";
  ToolRun r{-1, {}};
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 512> buf;
  while (std::fgets(buf.data(), buf.size(), p)) r.out += buf.data();
  int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) out[e.path().string()] = *quillane::files::readFile(e.path());
  return out;
}

TEST(DataTool, NewCheckAndResaveWorkAsTheEditorDoes) {
  if (!fs::exists(toolPath())) GTEST_SKIP() << "quillane-tool not built";
  fs::path dir = fs::temp_directory_path() / ("quillane-tool-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const std::string d = dir.string();

  EXPECT_EQ(run("new " + d + " --password pw").status, 0);
  EXPECT_EQ(run("new " + d).status, 1);  // never over an existing project
  ToolRun ok = run("check " + d + " --password pw");
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "OK\n");

  auto before = snapshot(dir);
  ToolRun wrong = run("resave " + d + " --password nope");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.out.find("password"), std::string::npos);
  EXPECT_EQ(snapshot(dir), before);
  EXPECT_EQ(run("resave " + d + " --password pw --map 3").status, 1);  // no such map
  EXPECT_EQ(snapshot(dir), before);

  ToolRun saved = run("resave " + d + " --password pw");
  EXPECT_EQ(saved.status, 0);
  EXPECT_TRUE(fs::exists(dir / "DATbk" / "bzenPLY.DAT"));
  EXPECT_EQ(run("check " + d + " --password pw").status, 0);

  // A damaged table: the first problem, with file and item.
  {
    std::ofstream f(dir / "DAT" / "bzenMAX.DAT", std::ios::trunc);
    f << " 4 , 10 , 10 , 99 , 10 , 20 , 10 , 10 , 20 ,";
  }
  ToolRun bad = run("check " + d);
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("DAT\\bzenMAX.DAT, item 10"), std::string::npos) << bad.out;
  fs::remove_all(dir);
}

void put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A project carrying a crafted staging folder (complete, naming a file beside the
// project) and, in a second round, a genuine save cut short: with a wrong password
// nothing at all is written; with the right one the crafted staging is reported and
// ignored, the genuine save is finished, and nothing outside the project changes.
TEST(DataTool, AStagedSaveIsSettledOnlyAfterThePasswordAndNeverOutsideTheProject) {
  if (!fs::exists(toolPath())) GTEST_SKIP() << "quillane-tool not built";
  fs::path sandbox = fs::temp_directory_path() / ("quillane-tool-staged-" + std::to_string(::getpid()));
  fs::remove_all(sandbox);
  fs::path dir = sandbox / "project";
  const std::string d = dir.string();
  ASSERT_EQ(run("new " + d + " --password pw").status, 0);
  put(sandbox / "victim.txt", "precious");
  fs::path staging = dir / ".quillane-save";
  fs::create_directories(staging);
  put(staging / "manifest", "D\t..\\victim.txt\tf0\nW\t..\\planted.txt\tf1\n");
  put(staging / "f1", "planted");
  put(staging / "COMPLETE", "1");

  auto before = snapshot(sandbox);
  ToolRun wrong = run("check " + d + " --password nope");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(snapshot(sandbox), before);
  ToolRun right = run("check " + d + " --password pw");
  EXPECT_EQ(right.status, 0) << right.out;
  EXPECT_NE(right.out.find("ignored"), std::string::npos) << right.out;
  EXPECT_EQ(snapshot(sandbox), before);

  // A genuine save cut short after staging: read as finished, put in place only once
  // the password is accepted.
  fs::remove_all(staging);
  auto ply = *quillane::files::readFile(dir / "DAT" / "bzenPLY.DAT");
  fs::create_directories(staging);
  std::string changed = ply;
  changed.replace(changed.find("\"\""), 2, "\"renamed\"");
  put(staging / "f0", changed);
  put(staging / "manifest", "W\tDAT\\bzenPLY.DAT\tf0\n");
  put(staging / "COMPLETE", "1");
  before = snapshot(sandbox);
  EXPECT_EQ(run("check " + d + " --password nope").status, 1);
  EXPECT_EQ(run("check " + d).status, 0);  // no password given: nothing settled either
  EXPECT_EQ(snapshot(sandbox), before);
  EXPECT_EQ(run("check " + d + " --password pw").status, 0);
  EXPECT_FALSE(fs::exists(staging));
  EXPECT_EQ(*quillane::files::readFile(dir / "DAT" / "bzenPLY.DAT"), changed);
  EXPECT_EQ(*quillane::files::readFile(sandbox / "victim.txt"), "precious");
  fs::remove_all(sandbox);
}

}  // namespace
