// The attribute and message dialogs on their tables: a rate typed as a percentage is
// stored as 100 minus it and listed as typed, delete asks first and moves the matrix,
// a refused text keeps the table, and "ｷｬﾝｾﾙ" restores what the dialog opened with.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "core/text/cp932.h"
#include "gui/editors/attribute_dialog.h"
#include "gui/editors/message_dialog.h"
#include "gui/ui/message_box.h"

using namespace quillane;
using text::sj;

namespace {

// Clicks a button of the dialog and handles the code it posted, as the dialog's loop
// does; false when that ended the dialog.
template <class Dialog>
bool click(Dialog& d, const char* button) {
  d.template control<QPushButton>(button)->click();
  return d.handle(d.waitAction());
}

data::SceneryTable threeAttributes() {
  data::SceneryTable t;
  t.attributeName[0] = sj("火");
  t.attributeName[1] = sj("水");
  t.attributeName[2] = sj("風");
  for (int a = 0; a < 3; ++a)
    for (int j = 0; j < 3; ++j) t.attributeRate[a][j] = static_cast<float>(10 * a + j);
  return t;
}

}  // namespace

class TableDialogsTest : public QObject {
  Q_OBJECT
  QList<ui::BoxRequest> boxes_;
  ui::Answer answer_ = ui::Answer::Yes;

 private slots:
  void init() {
    boxes_.clear();
    answer_ = ui::Answer::Yes;
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes_ << r;
      return r.buttons == ui::Buttons::YesNo ? answer_ : ui::Answer::Ok;
    });
  }
  void cleanup() { ui::setBoxHook({}); }

  void rateIsTypedAsPercentage() {
    data::SceneryTable t = threeAttributes();
    gui::AttributeDialog d(t, 1);
    auto* list = d.control<QListWidget>("rateList");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("0:火　 90％"));
    list->setCurrentRow(2);
    d.control<QLineEdit>("rate")->setText(QStringLiteral("１５０"));  // full-width digits
    QVERIFY(click(d, "registerRate"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("2:風　 150％"));
    QCOMPARE(t.attributeRate[1][2], -50.0f);
    d.control<QLineEdit>("rate")->setText(QStringLiteral("50"));
    QVERIFY(click(d, "unifyRates"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("0:火　 50％"));
    d.control<QLineEdit>("attributeName")->setText(QStringLiteral("水2"));
    QVERIFY(!click(d, "ok"));
    QCOMPARE(t.attributeRate[1][2], 50.0f);
    QCOMPARE(t.attributeName[1], sj("水2"));
  }

  void deleteAsksAndCancelRestores() {
    data::SceneryTable t = threeAttributes();
    gui::AttributeDialog d(t, 0);
    answer_ = ui::Answer::No;
    QVERIFY(click(d, "deleteAttribute"));
    QCOMPARE(d.control<QLineEdit>("attributeName")->text(), QStringLiteral("火"));
    answer_ = ui::Answer::Yes;
    QVERIFY(click(d, "deleteAttribute"));
    QCOMPARE(d.control<QLineEdit>("attributeName")->text(), QStringLiteral("水"));
    QCOMPARE(d.control<QListWidget>("rateList")->count(), 2);
    QCOMPARE(t.attributeRate[0][1], 12.0f);
    QVERIFY(!click(d, "cancel"));
    QCOMPARE(boxes_.size(), 2);
    QCOMPARE(boxes_[0].title, QStringLiteral("削除確認"));
    QCOMPARE(t.attributeName[0], sj("火"));
    QCOMPARE(t.attributeRate[2][1], 21.0f);
  }

  void refusedNameKeepsTheDialogOpen() {
    data::SceneryTable t = threeAttributes();
    gui::AttributeDialog d(t, 2);
    d.control<QLineEdit>("attributeName")->setText(QStringLiteral("a\"b"));
    QVERIFY(click(d, "ok"));
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(t.attributeName[2], sj("風"));
    d.control<QLineEdit>("attributeName")->setText(QStringLiteral("雷"));
    QVERIFY(!click(d, "ok"));
    QCOMPARE(t.attributeName[2], sj("雷"));
  }

  void messagesAreEditedUpToEnd() {
    data::MessageList list;
    list.entries[0][0] = sj("いらっしゃい");
    list.entries[1][0] = sj("ありがとう");
    list.entries[1][7] = sj("宿屋で使う");
    list.entries[2][0] = "END";
    list.entries[3][0] = sj("隠れた");
    gui::MessageDialog d(list, 1);
    auto* rows = d.control<QListWidget>("messageList");
    auto* text = d.control<QLineEdit>("messageText");
    QCOMPARE(rows->count(), 2);
    QCOMPARE(rows->currentRow(), 1);
    QCOMPARE(text->text(), QStringLiteral("ありがとう"));
    QCOMPARE(d.control<QListWidget>("explanationList")->item(1)->text(), QStringLiteral("宿屋で使う"));
    rows->setCurrentRow(0);
    QVERIFY(d.handle(d.waitAction()));
    QCOMPARE(text->text(), QStringLiteral("いらっしゃい"));
    text->setText("END");
    QVERIFY(click(d, "registerMessage"));
    QCOMPARE(boxes_.size(), 1);  // "END" would end the list
    QCOMPARE(list.entries[0][0], sj("いらっしゃい"));
    text->setText(QStringLiteral("ようこそ"));
    QVERIFY(click(d, "registerMessage"));
    QCOMPARE(rows->item(0)->text(), QStringLiteral("ようこそ"));
    QCOMPARE(rows->currentRow(), 0);
    QVERIFY(!click(d, "ok"));
    QCOMPARE(list.entries[0][0], sj("ようこそ"));
    QCOMPARE(list.entries[3][0], sj("隠れた"));
  }

  void messageCancelRestores() {
    data::MessageList list;
    list.entries[0][0] = "a";
    list.entries[1][0] = "END";
    gui::MessageDialog d(list, 0);
    d.control<QLineEdit>("messageText")->setText("b");
    QVERIFY(click(d, "registerMessage"));
    QCOMPARE(list.entries[0][0], std::string("b"));
    QVERIFY(!click(d, "cancel"));
    QCOMPARE(list.entries[0][0], std::string("a"));
  }
};

QTEST_MAIN(TableDialogsTest)
#include "editors_table_dialogs_test.moc"
