// Sound preview through SDL2_mixer, heard through SDL's "disk" audio driver, which
// writes every mixed sample to a file: a WAV and a MIDI piece must leave non-silent
// samples there, a missing file none.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/media/sound_preview.h"
#include "gui/media/sdl_media_device.h"
#include "gui/media/sound_preview_factory.h"

using quillane::media::SdlMediaDevice;
using quillane::media::SoundPreview;

namespace {

void put16(std::string& s, int v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& s, std::uint32_t v) {
  put16(s, static_cast<int>(v & 0xFFFF));
  put16(s, static_cast<int>(v >> 16));
}

// A mono 16-bit sine tone.
std::string sineWav(int milliseconds) {
  const int rate = 22050;
  const int frames = rate * milliseconds / 1000;
  std::string data;
  for (int i = 0; i < frames; ++i)
    put16(data, static_cast<int>(12000 * std::sin(2 * M_PI * 440.0 * i / rate)));
  std::string w = "RIFF";
  put32(w, 36 + static_cast<std::uint32_t>(data.size()));
  w += "WAVEfmt ";
  put32(w, 16);
  put16(w, 1);
  put16(w, 1);
  put32(w, rate);
  put32(w, rate * 2);
  put16(w, 2);
  put16(w, 16);
  w += "data";
  put32(w, static_cast<std::uint32_t>(data.size()));
  return w + data;
}

// One piano note of three seconds (120 beats a minute, 96 ticks a beat).
std::string longNoteMidi() {
  std::string track = {0x00, static_cast<char>(0xC0), 0x00,                 // piano
                       0x00, static_cast<char>(0x90), 60, 110};             // note on
  track += {static_cast<char>(0x84), 0x40, static_cast<char>(0x80), 60, 0};  // 576 ticks, off
  track += {0x00, static_cast<char>(0xFF), 0x2F, 0x00};
  std::string m = "MThd";
  m += {0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
  m += "MTrk";
  m += {0, 0, 0, static_cast<char>(track.size())};
  return m + track;
}

void writeFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

std::vector<std::int16_t> readSamples(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> out(raw.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<std::int16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                       (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
  return out;
}

int peak(const std::vector<std::int16_t>& s, std::size_t from = 0) {
  int m = 0;
  for (std::size_t i = from; i < s.size(); ++i) m = std::max(m, std::abs(static_cast<int>(s[i])));
  return m;
}

}  // namespace

class MediaSoundTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  int run_ = 0;

  // Runs `body` on a preview over a fresh SDL device that writes to its own file,
  // and returns the samples written.
  std::vector<std::int16_t> heard(const std::function<void(SoundPreview&)>& body,
                                  std::function<void()> idle = {}) {
    QString out = dir_.filePath(QString("out%1.raw").arg(run_++));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", out.toLocal8Bit());
    {
      SoundPreview preview(std::make_unique<SdlMediaDevice>(std::move(idle)));
      preview.setProjectFolder(dir_.filePath("project").toStdString());
      body(preview);
    }
    return readSamples(out);
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QDir(dir_.path()).mkpath("project/Wav");
    QDir(dir_.path()).mkpath("project/MID");
    writeFile(dir_.filePath("project/Wav/Beep.wav"), sineWav(400));
    writeFile(dir_.filePath("project/MID/long note.MID"), longNoteMidi());
  }

  void effectPlaysToItsEnd() {
    int idleCalls = 0;
    qint64 took = 0;
    auto samples = heard(
        [&](SoundPreview& p) {
          QElapsedTimer t;
          t.start();
          p.playEffect("beep");
          took = t.elapsed();
        },
        [&] { ++idleCalls; });
    QVERIFY2(took >= 350, qPrintable(QString("returned after %1 ms").arg(took)));
    QVERIFY2(took < 400 + SdlMediaDevice::kWaitMarginMs + 400,
             qPrintable(QString("returned after %1 ms").arg(took)));
    QVERIFY(idleCalls > 0);
    QVERIFY2(peak(samples) > 2000, qPrintable(QString("peak %1").arg(peak(samples))));
  }

  void effectWaitKeepsTheEventLoopRunning() {
    // The program's preview repaints while it waits: timers and posted events run.
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", dir_.filePath("loop.raw").toLocal8Bit());
    bool fired = false;
    QTimer::singleShot(50, [&] { fired = true; });
    auto preview = quillane::media::makeSoundPreview(dir_.filePath("project").toStdString());
    preview->playEffect("beep");
    QVERIFY(fired);
  }

  void musicStartsAndStops() {
    QVERIFY2(!SdlMediaDevice::soundFontPath().empty(), "no General MIDI sound font installed");
    std::size_t atStop = 0;
    QString before;
    auto samples = heard([&](SoundPreview& p) {
      QElapsedTimer t;
      t.start();
      p.startMusic("LONG NOTE");
      QVERIFY(t.elapsed() < 1500);  // returns at once, the music plays on
      QCOMPARE(QString::fromStdString(p.currentMusic()), QString("LONG NOTE"));
      QTest::qWait(900);
      p.stopMusic();
      QVERIFY(p.currentMusic().empty());
      atStop = readSamples(QString::fromLocal8Bit(qgetenv("SDL_DISKAUDIOFILE"))).size();
      QTest::qWait(700);
    });
    QVERIFY2(peak(samples) > 1000, qPrintable(QString("peak %1").arg(peak(samples))));
    // The note would sound for three seconds: after the stop (and what the device had
    // buffered) the output is silent.
    std::size_t tail = samples.size() >= 44100 / 5 * 2 ? samples.size() - 44100 / 5 * 2 : 0;
    QVERIFY(samples.size() > atStop);
    QCOMPARE(peak(samples, tail), 0);
  }

  void missingFilesMakeNoSound() {
    auto samples = heard([&](SoundPreview& p) {
      QElapsedTimer t;
      t.start();
      p.playEffect("absent");
      p.startMusic("absent");
      QVERIFY(t.elapsed() < 1000);
      QCOMPARE(QString::fromStdString(p.currentMusic()), QString("absent"));
      QTest::qWait(300);
      p.stopMusic();
    });
    QVERIFY(!samples.empty());  // the device did run, it only had nothing to play
    QCOMPARE(peak(samples), 0);
  }

  void noAudioDeviceMeansSilence() {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlMediaDevice device;
    QVERIFY(!device.audioAvailable());
    SoundPreview preview(std::make_unique<SdlMediaDevice>());
    preview.setProjectFolder(dir_.filePath("project").toStdString());
    QElapsedTimer t;
    t.start();
    preview.playEffect("beep");
    preview.startMusic("long note");
    preview.stopMusic();
    QVERIFY(t.elapsed() < 300);
  }
};

QTEST_GUILESS_MAIN(MediaSoundTest)
#include "media_sound_test.moc"
