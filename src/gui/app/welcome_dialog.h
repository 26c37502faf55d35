#pragma once
// FORM3 "ようこそ！": the project folder (EDIT21), the editing password (EDIT24), "参照"
// (BUTTON13) to pick the folder by choosing a file in it, "OK" (BUTTON12), and the
// title bitmap at (12, 10).
#include <filesystem>

#include "gui/ui/form.h"

class QLineEdit;

namespace quillane::app {

class WelcomeDialog : public ui::Form {
  Q_OBJECT
 public:
  static constexpr int kOk = 1;
  static constexpr int kBrowse = 2;
  static constexpr int kLeave = 3;  // closed from the title bar or with Escape

  WelcomeDialog(const std::filesystem::path& programDir, QWidget* parent = nullptr);

  void setValues(const QString& folder, const QString& password);
  QString folder() const;
  QString password() const;
  // Shows the dialog and waits for "OK" (true); "参照" is handled inside and may be used
  // any number of times. Closing the dialog or Escape leaves it (false): the dialog has
  // no cancel, and the program then ends.
  bool waitForOk();

 private:
  void browse();

  std::filesystem::path programDir_;
  QLineEdit* folder_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace quillane::app
