// The list chooser: pages, keys, mouse, cancel, and lines cut to the panel width.
#include <QTimer>
#include <QtTest>

#include "gui/ui/message_panel.h"

using namespace quillane;

namespace {
QStringList numbered(int n) {
  QStringList items;
  for (int i = 0; i < n; ++i) items << QString::number(i) + QLatin1Char(':');
  return items;
}
}  // namespace

class UiMessagePanelTest : public QObject {
  Q_OBJECT
 private slots:
  void pageDownAndEnterChooseOnTheSecondPage() {
    ui::MessagePanel panel;
    panel.resize(480, 480);
    QTimer::singleShot(0, &panel, [&] {
      QCOMPARE(panel.pageCount(), 3);  // 60 items, 24 a page
      QTest::keyClick(&panel, Qt::Key_PageDown);
      QCOMPARE(panel.page(), 1);
      QTest::keyClick(&panel, Qt::Key_Down);
      QTest::keyClick(&panel, Qt::Key_Return);
    });
    int chosen = panel.choose({{QStringLiteral("　編集したいマップを選択して下さい")}, numbered(60), 24, 0});
    QCOMPARE(chosen, 26);  // item 25, 1-based
  }

  void escapeCancelsAndPreselectionOpensItsPage() {
    ui::MessagePanel panel;
    panel.resize(480, 480);
    QTimer::singleShot(0, &panel, [&] {
      QCOMPARE(panel.page(), 2);
      QCOMPARE(panel.highlighted(), 50);
      QTest::keyClick(&panel, Qt::Key_PageUp);
      QCOMPARE(panel.page(), 1);
      QTest::keyClick(&panel, Qt::Key_Escape);
    });
    QCOMPARE(panel.choose({{}, numbered(60), 24, 51}), 0);
  }

  void clickChoosesTheLineUnderTheMouse() {
    ui::MessagePanel panel;
    panel.resize(480, 480);
    panel.show();
    QTimer::singleShot(0, &panel, [&] {
      // Two prompt lines, then items: the third item line.
      const int lineHeight = QFontMetrics(panel.font()).height() + 2;
      QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(40, 6 + (2 + 2) * lineHeight + lineHeight / 2));
    });
    QCOMPARE(panel.choose({{QStringLiteral("a"), QStringLiteral("b")}, numbered(5), 24, 0}), 3);
    QTimer::singleShot(0, &panel, [&] { QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(40, 100)); });
    QCOMPARE(panel.choose({{}, numbered(5), 24, 0}), 0);
  }

  void itemsAreCutToThePanelWidth() {
    ui::MessagePanel panel;
    panel.resize(200, 480);
    const int columns = panel.columns();
    QString wide(columns, QChar(0x3042));  // full-width: two columns each
    QString line = panel.itemLine(wide);
    QVERIFY(line.startsWith(QStringLiteral("  ")));
    QCOMPARE(line.size(), 2 + (columns - 2) / 2);
    QCOMPARE(panel.itemLine(QStringLiteral("7:x")), QStringLiteral("  7:x"));
  }
};

QTEST_MAIN(UiMessagePanelTest)
#include "ui_message_panel.moc"
