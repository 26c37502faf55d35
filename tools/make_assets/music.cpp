// The sample project's music: three short pieces written as Standard MIDI Files
// (format 1, 96 ticks a quarter note) for a General MIDI player: FIELD (the default
// map music), TOWN, BATTLE and DUNGEON.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "generators.h"

namespace make_assets {

namespace {

constexpr int kQuarter = 96;
constexpr int kEighth = kQuarter / 2;

struct Event {
  int tick;
  int order;  // note-offs before note-ons at the same tick
  std::string bytes;
};

class Track {
 public:
  void add(int tick, int order, std::string bytes) { events_.push_back({tick, order, std::move(bytes)}); }
  void program(int channel, int program) { add(0, 0, {char(0xC0 | channel), char(program)}); }
  void volume(int channel, int value) { add(0, 0, {char(0xB0 | channel), 7, char(value)}); }
  void note(int channel, int tick, int length, int key, int velocity) {
    add(tick, 1, {char(0x90 | channel), char(key), char(velocity)});
    add(tick + length, 0, {char(0x80 | channel), char(key), 0});
  }
  std::string chunk() {
    std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    int last = 0;
    for (const auto& e : events_) {
      body += varLength(e.tick - last);
      body += e.bytes;
      last = e.tick;
    }
    body += varLength(0);
    body += std::string{char(0xFF), 0x2F, 0x00};
    std::string out = "MTrk";
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((body.size() >> shift) & 0xFF));
    return out + body;
  }

 private:
  static std::string varLength(int value) {
    std::string out(1, char(value & 0x7F));
    while (value >>= 7) out.insert(out.begin(), char(0x80 | (value & 0x7F)));
    return out;
  }
  std::vector<Event> events_;
};

// A note of the melody: key (0 = rest) and length in eighths.
struct Note {
  int key, eighths;
};

// A bar's chord: root key (octave 3) and whether it is minor.
struct Chord {
  int root;
  bool minor;
};

struct Piece {
  int bpm;
  int melodyProgram, chordProgram, bassProgram;
  bool arpeggio, drums, drivingBass;
  std::vector<Note> melody;
  std::vector<Chord> chords;  // one per bar
};

void writeSmf(const std::string& path, const Piece& p) {
  Track tempo;
  int micro = 60000000 / p.bpm;
  tempo.add(0, 0, {char(0xFF), 0x51, 0x03, char((micro >> 16) & 0xFF), char((micro >> 8) & 0xFF), char(micro & 0xFF)});
  tempo.add(0, 0, {char(0xFF), 0x58, 0x04, 4, 2, 24, 8});

  Track melody;
  melody.program(0, p.melodyProgram);
  melody.volume(0, 110);
  int tick = 0;
  for (const Note& n : p.melody) {
    int len = n.eighths * kEighth;
    if (n.key) melody.note(0, tick, len - 6, n.key, 100);
    tick += len;
  }

  Track chords, bass;
  chords.program(1, p.chordProgram);
  chords.volume(1, 75);
  bass.program(2, p.bassProgram);
  bass.volume(2, 100);
  const int bar = 8 * kEighth;
  for (std::size_t b = 0; b < p.chords.size(); ++b) {
    const Chord& c = p.chords[b];
    int start = static_cast<int>(b) * bar;
    int keys[3] = {c.root + 12, c.root + 12 + (c.minor ? 3 : 4), c.root + 19};
    if (p.arpeggio) {
      const int order[8] = {0, 1, 2, 1, 0, 1, 2, 1};
      for (int i = 0; i < 8; ++i) chords.note(1, start + i * kEighth, kEighth, keys[order[i]], 70);
    } else {
      for (int k : keys) chords.note(1, start, bar - 8, k, 60);
    }
    if (p.drivingBass) {
      for (int i = 0; i < 8; ++i) bass.note(2, start + i * kEighth, kEighth - 8, c.root - 12 + (i % 4 == 3 ? 7 : 0), 95);
    } else {
      bass.note(2, start, kQuarter * 2 - 8, c.root - 12, 90);
      bass.note(2, start + kQuarter * 2, kQuarter * 2 - 8, c.root - 5, 85);
    }
  }

  std::vector<Track*> tracks = {&tempo, &melody, &chords, &bass};
  Track drums;
  if (p.drums) {
    for (std::size_t b = 0; b < p.chords.size(); ++b)
      for (int i = 0; i < 8; ++i) {
        int t = static_cast<int>(b) * bar + i * kEighth;
        drums.note(9, t, 20, 42, 60);                    // closed hi-hat
        if (i % 4 == 0) drums.note(9, t, 20, 36, 110);   // kick
        if (i % 4 == 2) drums.note(9, t, 20, 38, 100);   // snare
      }
    tracks.push_back(&drums);
  }

  std::string out = "MThd";
  out += std::string{0, 0, 0, 6, 0, 1, 0, char(tracks.size()), 0, char(kQuarter)};
  for (Track* t : tracks) out += t->chunk();
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write " + path);
  f << out;
}

// MIDI key numbers (middle C, C4, is 60).
enum : int { C4 = 60, D4 = 62, E4 = 64, F4 = 65, G4 = 67, Gs4 = 68, A4 = 69, Bb4 = 70, B4 = 71,
             C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83, C6 = 84 };

}  // namespace

Written makeMusic(const std::string& dir) {
  Piece field{120, 73, 48, 33, false, false, false,
              {{C5, 2}, {E5, 2}, {G5, 2}, {E5, 2}, {F5, 2}, {A5, 2}, {G5, 4},
               {E5, 2}, {G5, 2}, {C6, 3}, {B5, 1}, {A5, 2}, {G5, 2}, {E5, 4},
               {F5, 2}, {E5, 2}, {D5, 2}, {C5, 2}, {D5, 2}, {E5, 2}, {F5, 2}, {A5, 2},
               {G5, 2}, {E5, 2}, {D5, 2}, {G4, 2}, {C5, 8}},
              {{48, false}, {53, false}, {48, false}, {57, true},
               {53, false}, {50, true}, {55, false}, {48, false}}};
  writeSmf(dir + "/FIELD.mid", field);

  Piece town{96, 68, 24, 32, true, false, false,
             {{F4, 3}, {G4, 1}, {A4, 2}, {C5, 2}, {Bb4, 2}, {A4, 2}, {G4, 4},
              {A4, 2}, {F4, 2}, {G4, 2}, {E4, 2}, {F4, 8},
              {D4, 2}, {F4, 2}, {Bb4, 3}, {A4, 1}, {G4, 2}, {E4, 2}, {C4, 4},
              {A4, 2}, {G4, 2}, {F4, 2}, {E4, 2}, {F4, 8}},
             {{53, false}, {58, false}, {48, false}, {53, false},
              {58, false}, {48, false}, {48, false}, {53, false}}};
  writeSmf(dir + "/TOWN.mid", town);

  Piece battle{150, 81, 30, 38, false, true, true,
               {{A4, 1}, {A4, 1}, {C5, 1}, {A4, 1}, {E5, 2}, {D5, 2},
                {C5, 2}, {B4, 2}, {A4, 2}, {G4, 2},
                {F4, 1}, {F4, 1}, {A4, 1}, {F4, 1}, {C5, 2}, {B4, 2},
                {A4, 2}, {Gs4, 2}, {E4, 4},
                {A4, 1}, {B4, 1}, {C5, 1}, {D5, 1}, {E5, 2}, {G5, 2},
                {F5, 2}, {E5, 2}, {D5, 2}, {C5, 2},
                {B4, 1}, {C5, 1}, {D5, 1}, {B4, 1}, {Gs4, 2}, {B4, 2}, {A4, 8}},
               {{45, true}, {43, false}, {41, false}, {40, false},
                {45, true}, {41, false}, {40, false}, {45, true}}};
  writeSmf(dir + "/BATTLE.mid", battle);

  Piece dungeon{80, 19, 49, 43, true, false, false,
                {{A4, 4}, {C5, 2}, {B4, 2}, {A4, 4}, {E4, 4},
                 {F4, 4}, {E4, 2}, {D4, 2}, {E4, 8},
                 {A4, 4}, {B4, 2}, {C5, 2}, {D5, 4}, {C5, 2}, {B4, 2},
                 {A4, 2}, {Gs4, 2}, {B4, 4}, {A4, 8}},
                {{45, true}, {45, true}, {41, false}, {40, false},
                 {45, true}, {50, true}, {40, false}, {45, true}}};
  writeSmf(dir + "/DUNGEON.mid", dungeon);

  return {"FIELD.mid", "TOWN.mid", "BATTLE.mid", "DUNGEON.mid"};
}

}  // namespace make_assets
