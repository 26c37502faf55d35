#include "core/data/load_sharing.h"

#include <atomic>
#include <chrono>
#include <limits>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

namespace quillane::data {

SharedLoad::SharedLoad(FileSource& files, ProjectDatabase& fresh, const std::vector<const TableFile*>& tables,
                       std::size_t levelPartItems)
    : files_(files), fresh_(fresh), firstFailed_(std::numeric_limits<std::size_t>::max()) {
  const LevelSegments layout(fresh.max, fresh.formatVersion);
  for (const TableFile* t : tables) {
    if (t->read == &walkLevels<FieldReader> && fresh.formatVersion > 210) {
      levels_ = t;
      firstPart_ = pieces_.size();
      parts_ = planLevelParts(layout, levelPartItems);
      for (int s = 0; s < layout.count(); ++s) levelItems_ += layout.items(s);
      for (std::size_t p = 0; p < parts_.size(); ++p) pieces_.push_back({t, static_cast<int>(p), nullptr});
    } else {
      pieces_.push_back({t, -1, nullptr});
    }
  }
  back_ = pieces_.size();
}

bool SharedLoad::claim(bool front, std::size_t& index) {
  std::lock_guard<std::mutex> hold(lock_);
  if (front_ >= back_) return false;
  index = front ? front_ : back_ - 1;
  // After a failed piece only the pieces before it are read: one of them may fail first.
  if (index > firstFailed_) return false;
  front ? ++front_ : --back_;
  return true;
}

void SharedLoad::work(bool front, std::size_t most) {
  const auto slot = front ? FileSource::Slot::First : FileSource::Slot::Second;
  for (std::size_t index; most != 0 && claim(front, index); --most) read(index, slot);
}

void SharedLoad::read(std::size_t index, FileSource::Slot slot) {
  Piece& piece = pieces_[index];
  try {
    if (piece.part >= 0) {
      readLevelPart(piece.part, slot == FileSource::Slot::First);
    } else {
      const TableFile& t = *piece.table;
      clearReadInto(t, fresh_);
      FieldReader reader(files_.view(t.readName, slot), t.readName, fresh_.formatVersion, fresh_.hidden);
      t.read(reader, fresh_);
    }
  } catch (...) {
    piece.error = std::current_exception();
    std::lock_guard<std::mutex> hold(lock_);
    if (index < firstFailed_) firstFailed_ = index;
  }
}

void SharedLoad::prepareLevels() {
  fresh_.levels.clearKeepingMemory();
  fresh_.levels.resizeForOverwrite(fresh_.max.players + 1, fresh_.max.levels);
  try {
    levelBytes_ = files_.view(levels_->readName, FileSource::Slot::Kept);
  } catch (...) {
    levelFileError_ = std::current_exception();
  }
}

void SharedLoad::readLevelPart(int part, bool front) {
  std::call_once(levelsPrepared_, [this] { prepareLevels(); });
  // A file that cannot be read is the first part's error.
  if (levelFileError_) {
    if (part == 0) std::rethrow_exception(levelFileError_);
    return;
  }
  const auto p = static_cast<std::size_t>(part);
  LevelPart& at = parts_[p];
  if (front) {
    // From the start of the file, or where the part before it (read on this side) ended;
    // after a part that failed, nothing.
    if (p > 0 && !parts_[p - 1].read) return;
    at.offset = p == 0 ? 0 : parts_[p - 1].end;
  } else {
    // Counted back from the start of the part after it (read on this side) or from the
    // end of the file; when that cannot be done, it is left to finishLevelParts().
    const bool lastPart = p + 1 == parts_.size();
    if (!lastPart && !parts_[p + 1].placed) return;
    const std::size_t to = lastPart ? levelBytes_.size() : parts_[p + 1].offset;
    const std::size_t items = (lastPart ? levelItems_ : parts_[p + 1].items) - at.items;
    if (!startBefore(levelBytes_, to, items, at.offset)) return;
  }
  at.placed = true;
  readPlacedPart(at);
}

void SharedLoad::readPlacedPart(LevelPart& part) {
  FieldReader reader(levelBytes_, levels_->readName, fresh_.formatVersion, fresh_.hidden);
  reader.items().startAt(part.offset, part.items);
  walkLevelSegments(reader, fresh_, part.from, part.to);
  part.end = reader.items().position();
  part.read = true;
}

void SharedLoad::finishLevelParts() {
  if (parts_.empty() || levelFileError_) return;
  // Nothing after a piece before the level table that failed is needed.
  for (std::size_t i = 0; i < firstPart_; ++i)
    if (pieces_[i].error) return;
  std::call_once(levelsPrepared_, [this] { prepareLevels(); });
  if (levelFileError_) return;
  std::size_t expected = 0;  // where the part after the last one checked starts
  for (std::size_t p = 0; p < parts_.size(); ++p) {
    LevelPart& at = parts_[p];
    Piece& piece = pieces_[firstPart_ + p];
    if (!(at.placed && at.offset == expected)) {
      // Read where it starts, as the part after the one before it.
      piece.error = nullptr;
      at.offset = expected;
      at.placed = true;
      at.read = false;
      try {
        readPlacedPart(at);
      } catch (...) {
        piece.error = std::current_exception();
      }
    }
    if (!at.read) return;  // its error is the first one of the level table
    expected = at.end;
  }
}

std::exception_ptr SharedLoad::firstError() const {
  for (const Piece& p : pieces_)
    if (p.error) return p.error;
  return nullptr;
}

void clearReadInto(const TableFile& table, ProjectDatabase& db) {
  const auto read = table.read;
  if (read == &walkIni<FieldReader>) db.initial = InitialValues{};
  else if (read == &walkMax<FieldReader>) db.max = MaxValues{};
  else if (read == &walkOpening<FieldReader>) db.opening = Script{};
  else if (read == &walkEnding<FieldReader>) db.ending = Script{};
  else if (read == &walkLevels<FieldReader>) db.levels.clearKeepingMemory();
  // These readers size their columns and set every cell (the message list is emptied
  // by its reader): their records, rows and texts are overwritten in place.
  else if (read == &walkPlayers<FieldReader> || read == &walkEnemies<FieldReader> || read == &walkMaps<FieldReader> ||
           read == &walkScenery<FieldReader> || read == &walkItems<FieldReader> || read == &walkArms<FieldReader> ||
           read == &walkMagic<FieldReader> || read == &walkAttackRates<FieldReader>) {
  } else {
    throw std::logic_error(std::string(table.readName) + ": a table whose columns are not emptied for a load");
  }
}

namespace {

// Waits while `busy()` holds, at most about `most`, without giving up the processor:
// the other thread is expected to change it within microseconds, and a thread that
// sleeps may be woken only tens of microseconds after the change.
template <class Busy>
void spinWhile(Busy busy, std::chrono::microseconds most) {
  const auto until = std::chrono::steady_clock::now() + most;
  for (unsigned n = 1; busy(); ++n) {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
    if (n % 64 == 0 && std::chrono::steady_clock::now() >= until) return;
  }
}

// How long a woken helper waits for its load, and a load for the helper's last piece,
// before sleeping: longer than a load takes to read its counts or a piece of a large
// table, short against the load itself.
constexpr std::chrono::microseconds kSpin{300};

// The second thread of every load, started once and kept for the process: a load wakes
// it instead of starting a thread, which on a virtual machine may first run only at
// the next scheduler tick, on the processor of the thread that started it. It serves
// one load at a time.
class LoadHelper {
 public:
  // The process's helper; nullptr when no thread could be started.
  static LoadHelper* get() {
    static LoadHelper* const helper = start();
    return helper;
  }
  // Wakes the helper to wait for an offer (spinning, for kSpin at most).
  void expect() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (job_ != nullptr || running_ || expecting_) return;
      expecting_ = true;
    }
    wake_.notify_one();
  }
  // Hands `load` over for its back pieces; false while another load has it.
  bool offer(SharedLoad& load) {
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (job_ != nullptr) return false;
      job_ = &load;
      ++offers_;
      expecting_ = false;  // the offer it was woken for (once taken back, nothing to wait for)
    }
    wake_.notify_one();
    return true;
  }
  // Takes the load back: at once when the helper has not begun it, else once it is
  // done with it. The helper does not touch it after this returns.
  void withdraw() {
    std::unique_lock<std::mutex> hold(lock_);
    if (!running_) {
      job_ = nullptr;
      return;
    }
    hold.unlock();
    spinWhile([this] { return running_.load(std::memory_order_acquire); }, kSpin);
    hold.lock();
    done_.wait(hold, [this] { return !running_; });
  }

 private:
  static LoadHelper* start() {
    // Never destroyed: the thread waits for work until the process ends.
    auto* helper = new LoadHelper;
    try {
      std::thread([helper] { helper->run(); }).detach();
    } catch (const std::system_error&) {
      delete helper;
      return nullptr;
    }
    return helper;
  }
  void run() {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
      wake_.wait(hold, [this] { return job_ != nullptr || expecting_; });
      if (job_ == nullptr) {
        expecting_ = false;
        // Woken ahead of a load: its offer follows shortly (or not at all). An offer
        // taken back before this thread saw it ends the wait as well: that load is over.
        const unsigned seen = offers_.load(std::memory_order_relaxed);
        hold.unlock();
        spinWhile(
            [this, seen] {
              return job_.load(std::memory_order_acquire) == nullptr &&
                     offers_.load(std::memory_order_acquire) == seen;
            },
            kSpin);
        hold.lock();
        if (job_ == nullptr) continue;  // none came, or it was taken back
      }
      SharedLoad* load = job_;
      running_ = true;
      hold.unlock();
      load->work(false);
      hold.lock();
      running_ = false;
      job_ = nullptr;
      done_.notify_all();
    }
  }

  std::mutex lock_;
  std::condition_variable wake_, done_;
  // Written under lock_; read without it only while spinning.
  std::atomic<SharedLoad*> job_{nullptr};
  std::atomic<bool> running_{false};
  std::atomic<unsigned> offers_{0};  // loads offered so far
  bool expecting_ = false;
};

}  // namespace

void expectSharedLoad() {
  if (LoadHelper* helper = LoadHelper::get()) helper->expect();
}

void readShared(SharedLoad& load) {
  LoadHelper* helper = LoadHelper::get();
  const bool shared = helper && helper->offer(load);
  load.work(true);
  if (shared) helper->withdraw();
  load.finishLevelParts();
}

}  // namespace quillane::data
