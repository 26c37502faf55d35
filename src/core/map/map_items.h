#pragma once
// Items shared by the three map files: numbers stored plainly or offset by a file key.
#include "core/text/item_reader.h"
#include "core/text/item_writer.h"

namespace quillane::map {

// A number stored as value + key, read back as a whole value (rounded; it must fit an
// int). Key 0 for plain numbers.
int readKeyed(text::ItemReader& reader, int key);
// The same for counts and indices: the value must be whole and within lo..hi.
int readKeyedBounded(text::ItemReader& reader, int key, int lo, int hi, const char* what);
inline void writeKeyed(text::ItemWriter& writer, int value, int key) {
  writer.number(static_cast<double>(value) + key);
}

}  // namespace quillane::map
