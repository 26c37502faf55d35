#pragma once
// A file-system layer for tests: counts every step (create, write, flush, close,
// rename, remove, make folder, flush folder) and can make one step fail, make steps on
// chosen paths fail, or stop at a step as if the program were killed there (that step
// and every later one throw Stopped, so no clean-up code can run either). Flushes are
// counted but not made, which keeps thousands of trials fast.
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "core/text/file_system.h"

namespace quillane::testing {

struct Stopped {};  // not a std::exception: nothing in the program catches it

class FaultFileSystem : public files::FileSystem {
 public:
  enum class Mode { Count, FailAt, StopAt };
  Mode mode = Mode::Count;
  int at = -1;     // the step that fails or stops
  int steps = 0;   // steps taken so far
  // Renames and removes whose source matches fail with "operation not permitted".
  std::function<bool(const std::filesystem::path&)> refuse;

  std::error_code create(const std::filesystem::path& p, unsigned mode, int& h) override {
    if (auto ec = step()) return ec;
    std::error_code ec = real().create(p, mode, h);
    if (!ec) open_.insert(h);
    return ec;
  }
  std::error_code write(int h, std::string_view b) override {
    if (auto ec = step()) return ec;
    return real().write(h, b);
  }
  std::error_code flush(int) override { return step(); }
  std::error_code close(int h) override {
    open_.erase(h);
    real().close(h);
    return step();
  }
  std::error_code rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (auto ec = step()) return ec;
    if (refuse && refuse(from)) return std::make_error_code(std::errc::operation_not_permitted);
    return real().rename(from, to);
  }
  std::error_code remove(const std::filesystem::path& p) override {
    if (auto ec = step()) return ec;
    if (refuse && refuse(p)) return std::make_error_code(std::errc::operation_not_permitted);
    return real().remove(p);
  }
  std::error_code makeFolder(const std::filesystem::path& p) override {
    if (auto ec = step()) return ec;
    return real().makeFolder(p);
  }
  std::error_code flushFolder(const std::filesystem::path&) override { return step(); }

 private:
  static files::FileSystem& real() { return files::systemFileSystem(); }
  std::error_code step() {
    if (dead_) throw Stopped{};
    int n = steps++;
    if (n != at) return {};
    if (mode == Mode::FailAt) return std::make_error_code(std::errc::io_error);
    if (mode == Mode::StopAt) {
      dead_ = true;
      for (int h : open_) real().close(h);  // the killed program's files close
      open_.clear();
      throw Stopped{};
    }
    return {};
  }
  bool dead_ = false;
  std::set<int> open_;
};

}  // namespace quillane::testing
