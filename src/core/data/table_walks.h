#pragma once
// The layout of every table file, walked by FieldReader (load) and FieldWriter (save),
// and the list of the thirteen files with their names.
#include <algorithm>
#include <string>
#include <vector>

#include "core/data/field_io.h"
#include "core/data/project_database.h"

namespace quillane::data {

template <class IO> void walkIni(IO& io, ProjectDatabase& db);
template <class IO> void walkMax(IO& io, ProjectDatabase& db);
template <class IO> void walkOpening(IO& io, ProjectDatabase& db);
template <class IO> void walkEnding(IO& io, ProjectDatabase& db);
template <class IO> void walkPlayers(IO& io, ProjectDatabase& db);
template <class IO> void walkLevels(IO& io, ProjectDatabase& db);
template <class IO> void walkEnemies(IO& io, ProjectDatabase& db);
template <class IO> void walkMaps(IO& io, ProjectDatabase& db);
template <class IO> void walkScenery(IO& io, ProjectDatabase& db);
template <class IO> void walkItems(IO& io, ProjectDatabase& db);
template <class IO> void walkArms(IO& io, ProjectDatabase& db);
template <class IO> void walkAttackRates(IO& io, ProjectDatabase& db);
template <class IO> void walkMagic(IO& io, ProjectDatabase& db);

// n consecutive texts, read and written as a run.
template <class IO>
void textRun(IO& io, Bytes* v, int n) {
  io.texts(v, n);
}

// A table's reader sets every cell of the columns it sizes: read from the file, or the
// default of a format that lacks the field. Its columns may hold the records of an
// earlier load (a load fills the database the one before it replaced), so nothing may
// be left to the zero or empty of new memory. These set the defaults.
template <class... Column>
void zeroNumbers(Column&... columns) {
  ((std::fill(columns.begin(), columns.end(), typename Column::value_type{})), ...);
}
template <class... Column>
void blankTexts(Column&... columns) {
  auto blank = [](auto& column) {
    for (Bytes& t : column) t.clear();
  };
  (blank(columns), ...);
}

// Instantiates a walk for both walkers (in the file that defines it).
#define QUILLANE_WALK(fn)                                        \
  template void fn<FieldReader>(FieldReader&, ProjectDatabase&); \
  template void fn<FieldWriter>(FieldWriter&, ProjectDatabase&);

struct TableFile {
  const char* readName;    // the name LoadAll opens (resolved without case)
  const char* deleteName;  // the name SaveAll deletes before writing
  const char* writeName;   // the name SaveAll creates
  void (*read)(FieldReader&, ProjectDatabase&);
  void (*write)(FieldWriter&, ProjectDatabase&);
};

// The thirteen tables in LoadAll's order and in SaveAll's order.
const std::vector<const TableFile*>& loadOrder();
const std::vector<const TableFile*>& saveOrder();

// v (0..255) as two upper-case hexadecimal digits.
Bytes hexPair(int v);

}  // namespace quillane::data
