#pragma once
// The tables of a load after the counts, shared between the calling thread and a second
// thread that the process keeps for loads.
//
// The work is cut into pieces in load order: each table whole, and the level table (most
// of a large project's bytes) in parts of whole segments. The calling thread takes
// pieces from the front, the second thread from the back, until they meet. Neither
// waits for the other, but for the one piece the other is reading when nothing is left:
// a second thread that starts late, or shares its processor with other programs, only
// leaves more pieces to the calling thread. Each piece writes only its own table (the
// level table's grids are sized before any part is read, each part writes its own
// rows) and the hidden slots of its own reserved row.
//
// Errors do not depend on who read what: every piece keeps its own, and the first one in
// load order is the load's, with the file and item number a load on one thread reports
// (a part of the level table is read by a reader that starts where the file holds it,
// counting the items before it).
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string_view>
#include <vector>

#include "core/data/level_parts.h"
#include "core/data/load_all.h"
#include "core/data/table_walks.h"

namespace quillane::data {

class SharedLoad {
 public:
  // `tables` in load order, the counts read into `fresh` already. The level table is cut
  // into parts of at least `levelPartItems` items (from version 211 on; before, the
  // second pass of its file is made from the first, and it is one piece).
  SharedLoad(FileSource& files, ProjectDatabase& fresh, const std::vector<const TableFile*>& tables,
             std::size_t levelPartItems);
  SharedLoad(const SharedLoad&) = delete;
  SharedLoad& operator=(const SharedLoad&) = delete;

  // Reads pieces until none is left for this side: the calling thread's (true, from the
  // front) or the second thread's (false, from the back); at most `most` of them.
  void work(bool front, std::size_t most = ~std::size_t{0});
  // Once both sides are done, on the calling thread: the level parts whose start was
  // not known where they were read, or not where the part before them ended (a table
  // with more bytes after its last item, or with an item counting cannot pass), are read
  // again in order from where the part before them ended, until one fails.
  void finishLevelParts();
  // Then: the first error in load order, if any.
  std::exception_ptr firstError() const;

  std::size_t pieces() const { return pieces_.size(); }

 private:
  struct Piece {
    const TableFile* table;
    int part;  // a level part, or -1 for the whole table
    std::exception_ptr error;
  };
  bool claim(bool front, std::size_t& index);
  void read(std::size_t index, FileSource::Slot slot);
  void readLevelPart(int part, bool front);
  void readPlacedPart(LevelPart& part);  // from its offset, once placed
  void prepareLevels();

  FileSource& files_;
  ProjectDatabase& fresh_;
  std::vector<Piece> pieces_;

  std::mutex lock_;  // guards the three below
  std::size_t front_ = 0, back_ = 0;
  std::size_t firstFailed_;  // no piece after it is needed

  // The level table's file and its parts, prepared by the first part read; each part is
  // read by one side at a time (the calling thread's parts each follow one it read
  // itself, the second thread's each come before one it read itself).
  const TableFile* levels_ = nullptr;
  std::size_t firstPart_ = 0;  // the piece of part 0
  std::size_t levelItems_ = 0;
  std::vector<LevelPart> parts_;
  std::once_flag levelsPrepared_;
  std::string_view levelBytes_;
  std::exception_ptr levelFileError_;
};

// Readies what `table` reads into for its reader: a load fills the database a load
// before it replaced, each table readied by the thread that reads it, just before. The
// settings, counts and scripts start anew; the level grids are kept for a reader that
// writes every cell; the other tables' readers size their columns and set every cell
// themselves, so their columns and texts are kept as they are, their memory reused.
void clearReadInto(const TableFile& table, ProjectDatabase& db);

// Wakes the thread kept for loads ahead of a load that is likely to share its work
// (readShared): a woken thread may first run some tens of microseconds later, on a
// virtual machine especially, and the load reads its counts meanwhile instead of waiting.
// The woken thread waits a little while for the work, then sleeps again.
void expectSharedLoad();

// Reads every piece of `load`, on the calling thread and the thread kept for loads
// (started by the first call; when none can be started, or it is busy with another
// load, the calling thread reads them all). Returns once neither thread reads any more.
void readShared(SharedLoad& load);

}  // namespace quillane::data
