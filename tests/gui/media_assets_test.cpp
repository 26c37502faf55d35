// The committed bitmaps and sounds are what the editor expects: Qt reads every bitmap
// at the size the canvas and dialogs cut it by, the symbol marks keep their
// transparent colour, the sky mask matches its tiles, and every sample sound and piece
// of music is heard through the SDL device.
#include "source_paths.h"
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/media/sound_preview.h"
#include "core/media/symbol_layout.h"
#include "gui/media/sdl_media_device.h"

namespace sym = quillane::media::symbol;
using quillane::media::SdlMediaDevice;
using quillane::media::SoundPreview;

namespace {

const QString kSource = QStringLiteral(QUILLANE_SOURCE_DIR);

QImage load(const QString& relative) {
  QImage img(kSource + "/" + relative);
  if (img.isNull()) qWarning() << "cannot read" << relative;
  return img.convertToFormat(QImage::Format_RGB32);
}

int peakOf(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int peak = 0;
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
    auto v = static_cast<std::int16_t>(static_cast<unsigned char>(raw[i]) |
                                       (static_cast<unsigned char>(raw[i + 1]) << 8));
    peak = std::max(peak, std::abs(static_cast<int>(v)));
  }
  return peak;
}

}  // namespace

class MediaAssetsTest : public QObject {
  Q_OBJECT

 private slots:
  void bitmapsHaveTheSizesTheirUsersCutThemBy_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("title") << "assets/TITLE.BMP" << QSize(400, 120);
    QTest::newRow("font") << "assets/FONT.BMP" << QSize(256, 96);
    QTest::newRow("symbol") << "assets/SYMBOL.BMP" << QSize(sym::kWidth, sym::kHeight);
    for (const char* f : {"MAP", "MAP2", "MAP2_1", "MAP2_2", "SKY", "SKYm"})
      QTest::newRow(f) << QString("sample/GRP/%1.BMP").arg(f) << QSize(512, 512);
    QTest::newRow("characters") << "sample/GRP/CHR.BMP" << QSize(512, 256);
    QTest::newRow("battle") << "sample/GRP/BTL1.BMP" << QSize(640, 480);
    QTest::newRow("face") << "sample/GRP/kao0_0.bmp" << QSize(96, 96);
    QTest::newRow("enemy") << "sample/GRP/enemy0.BMP" << QSize(80, 80);
    QTest::newRow("large enemy") << "sample/GRP/enemy4.BMP" << QSize(160, 160);
  }
  void bitmapsHaveTheSizesTheirUsersCutThemBy() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QCOMPARE(load(file).size(), size);
  }

  void symbolMarksLeaveOutTheKeyColourAndDrawSomething() {
    QImage symbol = load("assets/SYMBOL.BMP");
    const QRgb key = 0xFF000000u | sym::kTransparentKey;
    for (int x : {sym::kBlockedMarkX, sym::kEventBlockedMarkX, sym::kStartMarkX}) {
      QCOMPARE(symbol.pixel(x, 0), key);
      QCOMPARE(symbol.pixel(x + sym::kPatternSize - 1, sym::kPatternSize - 1), key);
      int drawn = 0;
      for (int y = 0; y < sym::kPatternSize; ++y)
        for (int i = 0; i < sym::kPatternSize; ++i) drawn += symbol.pixel(x + i, y) != key;
      QVERIFY2(drawn > 60, qPrintable(QString("mark at %1 draws %2 pixels").arg(x).arg(drawn)));
    }
    // The dimming pattern must darken: every channel well below white.
    QRgb dim = symbol.pixel(sym::kDimMultiplyX + 5, 5);
    QVERIFY(qRed(dim) < 200 && qGreen(dim) < 200 && qBlue(dim) < 200);
  }

  void skyMaskIsBlackExactlyWhereASkyTileIsDrawn() {
    QImage sky = load("sample/GRP/SKY.BMP");
    QImage mask = load("sample/GRP/SKYm.BMP");
    for (int y = 0; y < 512; ++y)
      for (int x = 0; x < 512; ++x) {
        bool drawn = (sky.pixel(x, y) & 0xFFFFFF) != 0;
        QRgb m = mask.pixel(x, y) & 0xFFFFFF;
        if (m != (drawn ? 0u : 0xFFFFFFu)) QFAIL(qPrintable(QString("mask differs at %1,%2").arg(x).arg(y)));
      }
    // Code "00" is the empty sky tile.
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) QCOMPARE(mask.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu);
  }

  void everySampleSoundIsHeard() {
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QStringList effects = QDir(kSource + "/sample/WAV").entryList({"*.WAV"}, QDir::Files);
    QStringList pieces = QDir(kSource + "/sample/mid").entryList({"*.mid"}, QDir::Files);
    QVERIFY(effects.size() >= 3);
    QVERIFY(pieces.contains("FIELD.mid"));
    int run = 0;
    auto heard = [&](const std::function<void(SoundPreview&)>& body) {
      QString file = out.filePath(QString("run%1.raw").arg(run++));
      qputenv("SDL_AUDIODRIVER", "disk");
      qputenv("SDL_DISKAUDIOFILE", file.toLocal8Bit());
      {
        SoundPreview preview(std::make_unique<SdlMediaDevice>());
        preview.setProjectFolder((kSource + "/sample").toStdString());
        body(preview);
      }
      return peakOf(file);
    };
    for (const QString& name : effects) {
      std::string stem = name.chopped(4).toStdString();
      int peak = heard([&](SoundPreview& p) { p.playEffect(stem); });
      QVERIFY2(peak > 1000, qPrintable(name + QString(" peak %1").arg(peak)));
    }
    for (const QString& name : pieces) {
      std::string stem = name.chopped(4).toStdString();
      int peak = heard([&](SoundPreview& p) {
        p.startMusic(stem);
        QTest::qWait(1200);
      });
      QVERIFY2(peak > 1000, qPrintable(name + QString(" peak %1").arg(peak)));
    }
  }
};

QTEST_GUILESS_MAIN(MediaAssetsTest)
#include "media_assets_test.moc"
