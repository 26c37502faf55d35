// The sample project's sound effects, synthesized as 16-bit mono PCM WAV files:
// beep, hit, chime, the default attack sound ATC and the default magic sound mgc.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "generators.h"
#include "image.h"  // Random
#include "little_endian.h"

namespace make_assets {

namespace {

constexpr int kRate = 22050;

// Samples `seconds` of `wave(t)` (values in -1..1) into a WAV file.
void writeWav(const std::string& path, double seconds, const std::function<double(double)>& wave) {
  const int frames = static_cast<int>(seconds * kRate);
  std::string data;
  for (int i = 0; i < frames; ++i) {
    double v = std::clamp(wave(double(i) / kRate), -1.0, 1.0);
    put16(data, static_cast<unsigned>(static_cast<std::int16_t>(std::lround(v * 30000))) & 0xFFFF);
  }
  std::string w = "RIFF";
  put32(w, 36 + static_cast<std::uint32_t>(data.size()));
  w += "WAVEfmt ";
  put32(w, 16);
  put16(w, 1);  // PCM
  put16(w, 1);  // mono
  put32(w, kRate);
  put32(w, kRate * 2);
  put16(w, 2);
  put16(w, 16);
  w += "data";
  put32(w, static_cast<std::uint32_t>(data.size()));
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write " + path);
  f << w << data;
}

// Attack and release ramps against clicks.
double envelope(double t, double length, double attack = 0.005, double release = 0.03) {
  if (t < attack) return t / attack;
  if (t > length - release) return std::max(0.0, (length - t) / release);
  return 1.0;
}

double sine(double freq, double t) { return std::sin(2 * M_PI * freq * t); }

}  // namespace

Written makeSounds(const std::string& dir) {
  writeWav(dir + "/beep.WAV", 0.15, [](double t) {
    double square = sine(880, t) + sine(2640, t) / 3 + sine(4400, t) / 5;
    return 0.45 * square * envelope(t, 0.15);
  });

  Random rnd(51);
  double low = 0;
  writeWav(dir + "/hit.WAV", 0.22, [&](double t) {
    double noise = rnd.unit() * 2 - 1;
    low += 0.25 * (noise - low);  // a soft low-pass on the noise
    double thump = sine(160 * std::exp(-t * 12), t) * std::exp(-t * 18);
    return (0.7 * low * std::exp(-t * 25) + 0.8 * thump) * envelope(t, 0.22);
  });

  writeWav(dir + "/chime.WAV", 0.9, [](double t) {
    auto bell = [](double f, double u) {
      if (u < 0) return 0.0;
      return (sine(f, u) + 0.5 * sine(f * 2.76, u) + 0.25 * sine(f * 5.4, u)) * std::exp(-u * 4.5);
    };
    return 0.4 * (bell(1046.5, t) + bell(1568.0, t - 0.18)) * envelope(t, 0.9, 0.002, 0.1);
  });

  Random swish(52);
  double band = 0, prev = 0;
  writeWav(dir + "/ATC.WAV", 0.25, [&](double t) {
    double noise = swish.unit() * 2 - 1;
    double k = 0.05 + 0.6 * (t / 0.25);  // the filter opens as the blade passes
    band += k * (noise - band);
    double out = band - prev;
    prev = band;
    return 2.2 * out * std::sin(M_PI * t / 0.25);
  });

  writeWav(dir + "/mgc.WAV", 0.6, [](double t) {
    const double notes[4] = {523.3, 659.3, 784.0, 1046.5};
    int i = std::min(3, static_cast<int>(t / 0.1));
    double u = t - i * 0.1;
    double vibrato = 1 + 0.01 * sine(7, t);
    double v = sine(notes[i] * vibrato, t) * (0.6 + 0.4 * std::exp(-u * 10));
    v += 0.3 * sine(notes[i] * 2.01, t) * std::exp(-u * 6);
    return 0.45 * v * envelope(t, 0.6, 0.01, 0.2);
  });

  return {"beep.WAV", "hit.WAV", "chime.WAV", "ATC.WAV", "mgc.WAV"};
}

}  // namespace make_assets
