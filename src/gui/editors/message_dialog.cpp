#include "gui/editors/message_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editors/message_editing.h"
#include "gui/editors/dialog_parts.h"
#include "gui/editors/field_binding.h"
#include "gui/ui/fonts.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

MessageDialog::MessageDialog(data::MessageList& list, int message, QWidget* parent)
    : ui::Form(QStringLiteral("messageForm"), QStringLiteral("メッセージモード"), kCancel, parent),
      list_(list),
      backup_(editors::backupMessageTexts(list)) {
  build();
  fillList();
  showMessage(message);
}

void MessageDialog::build() {
  auto* top = new QVBoxLayout(this);
  messages_ = new QListWidget;
  messages_->setObjectName(QStringLiteral("messageList"));
  messages_->setFont(ui::fixedPitchFont());
  messages_->setMinimumSize(560, 300);
  top->addWidget(messages_);

  auto* edit = new QHBoxLayout;
  text_ = new QLineEdit;
  text_->setObjectName(QStringLiteral("messageText"));
  register_ = dialogButton(QStringLiteral("registerMessage"), QStringLiteral("▲登録"));
  edit->addWidget(text_, 1);
  edit->addWidget(register_);
  top->addLayout(edit);

  // The explanation lines are the program's own texts: shown, never edited.
  explanation_ = new QListWidget;
  explanation_->setObjectName(QStringLiteral("explanationList"));
  explanation_->setSelectionMode(QAbstractItemView::NoSelection);
  explanation_->setFocusPolicy(Qt::NoFocus);
  explanation_->setFixedHeight(explanation_->fontMetrics().height() * 5 + 16);
  top->addWidget(explanation_);

  auto* bottom = new QHBoxLayout;
  auto* ok = dialogButton(QStringLiteral("ok"), QStringLiteral("OK"), true);
  auto* cancel = dialogButton(QStringLiteral("cancel"), QStringLiteral("ｷｬﾝｾﾙ"));
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  top->addLayout(bottom);

  bindButton(register_, kRegister);
  bindButton(ok, kOk);
  bindButton(cancel, kCancel);
  connect(messages_, &QListWidget::currentRowChanged, this, [this] { post(kChoose); });
  connect(messages_, &QListWidget::itemClicked, this, [this] { post(kChoose); });
}

void MessageDialog::fillList() { showRows(messages_, editors::messageRows(list_), current_); }

void MessageDialog::showMessage(int n) {
  const int listed = editors::listedMessages(list_);
  current_ = n >= 0 && n < listed ? n : -1;
  showRows(messages_, editors::messageRows(list_), current_);
  text_->setText(current_ >= 0 ? ui::toQString(list_.entries[static_cast<std::size_t>(current_)][0]) : QString());
  showRows(explanation_, editors::explanationLines(list_, current_), -1);
  register_->setEnabled(current_ >= 0);
  text_->setEnabled(current_ >= 0);
}

bool MessageDialog::run() {
  while (handle(waitAction())) {
  }
  finish();
  return accepted_;
}

bool MessageDialog::handle(int code) {
  switch (code) {
    case kOk:
      accepted_ = !editors::sameMessageTexts(list_, backup_);
      return false;
    case kCancel:
      editors::restoreMessageTexts(list_, backup_);
      accepted_ = false;
      return false;
    case kChoose:
      if (messages_->currentRow() != current_) showMessage(messages_->currentRow());
      break;
    case kRegister: {
      if (current_ < 0) break;
      std::optional<text::Bytes> typed = acceptedText(text_, data::TextUse::Message);
      if (!typed) break;
      if (auto why = editors::storeMessage(list_, current_, *typed)) {
        showRefusal(*why);
        break;
      }
      showMessage(current_);
      break;
    }
  }
  return true;
}

}  // namespace quillane::gui
