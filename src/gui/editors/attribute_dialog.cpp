#include "gui/editors/attribute_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/editors/dialog_parts.h"
#include "gui/ui/fonts.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

AttributeDialog::AttributeDialog(data::SceneryTable& table, int attribute, QWidget* parent)
    : ui::Form(QStringLiteral("attributeForm"), QStringLiteral("属性モード"), kCancel, parent),
      table_(table),
      attribute_(std::clamp(attribute, 0, data::kMaxAttributes - 1)),
      backup_(editors::backupAttributes(table)) {
  build();
  display();
}

void AttributeDialog::build() {
  auto* top = new QVBoxLayout(this);
  auto* head = new QGridLayout;
  number_ = new QLineEdit;
  number_->setObjectName(QStringLiteral("attributeNumber"));
  number_->setReadOnly(true);
  number_->setFocusPolicy(Qt::NoFocus);
  number_->setMaximumWidth(60);
  name_ = new QLineEdit;
  name_->setObjectName(QStringLiteral("attributeName"));
  name_->setMinimumWidth(220);
  fields_.text(name_, [this](int a) -> text::Bytes& { return table_.attributeName[static_cast<std::size_t>(a)]; });
  head->addWidget(new QLabel(QStringLiteral("No.")), 0, 0);
  head->addWidget(number_, 0, 1);
  head->addWidget(new QLabel(QStringLiteral("属性")), 0, 2);
  head->addWidget(name_, 0, 3);
  head->setColumnStretch(3, 1);
  top->addLayout(head);

  top->addWidget(new QLabel(QStringLiteral("対属性率")));
  rates_ = new QListWidget;
  rates_->setObjectName(QStringLiteral("rateList"));
  rates_->setFont(ui::fixedPitchFont());
  rates_->setMinimumSize(360, 320);
  top->addWidget(rates_);

  auto* rateRow = new QHBoxLayout;
  rate_ = new QLineEdit;
  rate_->setObjectName(QStringLiteral("rate"));
  rate_->setMaximumWidth(80);
  auto* registerRate = dialogButton(QStringLiteral("registerRate"), QStringLiteral("▲登録"));
  auto* unify = dialogButton(QStringLiteral("unifyRates"), QStringLiteral("統一"));
  rateRow->addWidget(new QLabel(QStringLiteral("率")));
  rateRow->addWidget(rate_);
  rateRow->addWidget(new QLabel(QStringLiteral("％")));
  rateRow->addWidget(registerRate);
  rateRow->addWidget(unify);
  rateRow->addStretch();
  top->addLayout(rateRow);

  auto* bottom = new QHBoxLayout;
  auto* remove = dialogButton(QStringLiteral("deleteAttribute"), QStringLiteral("削除"));
  auto* redisplay = dialogButton(QStringLiteral("redisplay"), QStringLiteral("一覧表再表示"));
  auto* ok = dialogButton(QStringLiteral("ok"), QStringLiteral("OK"), true);
  auto* cancel = dialogButton(QStringLiteral("cancel"), QStringLiteral("ｷｬﾝｾﾙ"));
  bottom->addWidget(remove);
  bottom->addWidget(redisplay);
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  top->addLayout(bottom);

  bindButton(registerRate, kRegister);
  bindButton(unify, kUnify);
  bindButton(remove, kDelete);
  bindButton(redisplay, kRedisplay);
  bindButton(ok, kOk);
  bindButton(cancel, kCancel);
}

void AttributeDialog::display() {
  const int row = rates_->currentRow();
  number_->setText(QString::number(attribute_));
  fields_.display(attribute_);
  showRows(rates_, editors::rateRows(table_, attribute_), row);
}

bool AttributeDialog::commitName() { return fields_.commit(attribute_); }

double AttributeDialog::typedRate() const {
  // A character CP932 lacks is no digit: such a rate reads 0.
  std::optional<text::Bytes> typed = ui::toBytes(rate_->text());
  return typed ? data::parseTypedNumber(*typed) : 0.0;
}

bool AttributeDialog::run() {
  while (handle(waitAction())) {
  }
  finish();
  return accepted_;
}

bool AttributeDialog::handle(int code) {
  if (code == kCancel) {
    editors::restoreAttributes(table_, backup_);
    accepted_ = false;
    return false;
  }
  if (!commitName()) {
    // The refused name stays in the box for correction; nothing else happens.
    return true;
  }
  switch (code) {
    case kOk:
      accepted_ = !editors::sameAttributes(table_, backup_);
      return false;
    case kRegister:
      if (rates_->currentRow() >= 0) editors::setRate(table_, attribute_, rates_->currentRow(), typedRate());
      break;
    case kUnify:
      editors::unifyRates(table_, attribute_, typedRate());
      break;
    case kDelete:
      if (ui::askYesNo(QStringLiteral("属性を削除します｡\n"
                                      "（プレイヤー・敵・道具・魔法が持つ属性の番号は変わりません）\n"
                                      "よろしいですか?"),
                       QStringLiteral("削除確認")))
        editors::deleteAttribute(table_, attribute_);
      break;
    case kRedisplay:
    default:
      break;
  }
  display();
  return true;
}

}  // namespace quillane::gui
