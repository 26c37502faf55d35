#pragma once
// "メッセージモード": the texts of the MessageList up to its "END". Choosing a row shows
// the message and its explanation lines; "▲登録" stores the edited text. "ｷｬﾝｾﾙ" puts
// back the texts of all 1000 entries as they were when the dialog opened.
#include <vector>

#include "core/data/project_database.h"
#include "gui/ui/form.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillane::gui {

class MessageDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code { kOk = 1, kCancel = 2, kChoose = 3, kRegister = 4 };

  MessageDialog(data::MessageList& list, int message, QWidget* parent = nullptr);

  // Runs until "OK" or "ｷｬﾝｾﾙ"; true when "OK" kept texts that differ from the ones the
  // dialog opened with.
  bool run();
  bool handle(int code);

 private:
  void build();
  void fillList();
  void showMessage(int n);

  data::MessageList& list_;
  std::vector<text::Bytes> backup_;
  int current_ = -1;
  bool accepted_ = false;

  QListWidget* messages_ = nullptr;
  QLineEdit* text_ = nullptr;
  QListWidget* explanation_ = nullptr;
  QPushButton* register_ = nullptr;
};

}  // namespace quillane::gui
