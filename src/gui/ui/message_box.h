#pragma once
// Message boxes, Yes/No questions and the file chooser. Every call goes through one
// hook that a test can replace to answer the box without showing it.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace quillane::ui {

enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct BoxRequest {
  QString text;
  QString title;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  bool noByDefault = false;  // a Yes/No question whose Enter answers No
};

// Shows a modal message box and returns the pressed button. Closing a Yes/No box
// from its title bar answers No, an OK/Cancel box Cancel.
Answer messageBox(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
                  Icon icon = Icon::None, bool noByDefault = false);
// Shorthand for a Yes/No question.
bool askYesNo(const QString& text, const QString& title, Icon icon = Icon::Question);
// Shorthand for an OK/Cancel question: true on OK.
bool askOkCancel(const QString& text, const QString& title, Icon icon = Icon::Question);
// A question that throws work away: "いいえ" is the button Enter presses.
bool askYesNoDefaultNo(const QString& text, const QString& title, Icon icon = Icon::Question);

struct FileRequest {
  QString title;
  QString filter;
  QString startFolder;
};
// The file-open chooser; an empty optional means cancelled. A filter of "*.*" shows
// every file, also those without a dot.
std::optional<QString> chooseFile(const QString& title, const QString& filter, const QString& startFolder);
// The filter the chooser is given for a requested one: "*.*" becomes "*" (file names
// here need not hold a dot).
QString chooserFilter(const QString& filter);

// Test hooks: while set, boxes and choosers are answered by them and never shown.
using BoxHook = std::function<Answer(const BoxRequest&)>;
using FileHook = std::function<std::optional<QString>(const FileRequest&)>;
void setBoxHook(BoxHook hook);
void setFileHook(FileHook hook);

// The parent used for boxes (the main window once it exists).
void setBoxParent(QWidget* parent);

}  // namespace quillane::ui
