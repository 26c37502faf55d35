#pragma once
// Pieces the enemy, item and magic dialogs share: their action codes, labelled boxes in
// a grid, the "▲" "▼" "OK" "ｷｬﾝｾﾙ" row, and the selectors of names (pictures, sounds,
// animations) bound to a text field of the record.
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "core/editors/record_choice.h"
#include "core/text/cp932.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quillane::ui {
class Form;
}

namespace quillane::gui {

// Codes every record dialog posts; each dialog numbers its own actions from kRecordOwn.
enum RecordAction {
  kRecordOk = 1,
  kRecordCancel = 2,
  kRecordPrevious = 3,
  kRecordNext = 4,
  kRecordOwn = 10,
};

// A caption and a box in row `row`, columns `column` (caption) and `column` + 1.
QLineEdit* addEdit(ui::Form* form, QGridLayout* grid, int row, int column, const QString& caption,
                   const QString& name, int width = 90);
QComboBox* addCombo(ui::Form* form, QGridLayout* grid, int row, int column, const QString& caption,
                    const QString& name, int width = 150);
// A check box.
QCheckBox* addCheck(QWidget* parent, const QString& caption, const QString& name);
// A button bound to `code`, never pressed by Enter.
QPushButton* addButton(ui::Form* form, const QString& caption, const QString& name, int code);
// "▲", "▼", a gap, "OK" and "ｷｬﾝｾﾙ".
QHBoxLayout* navigationRow(ui::Form* form);

// The wait loop of a record dialog, entered on a record already displayed: shows the
// form (focus on `focus`), then for every action but "ｷｬﾝｾﾙ" commits first; a refused
// commit takes no action (the typed text stays for correction). "OK" and "ｷｬﾝｾﾙ"
// (after `restore`) close the form; "▲"/"▼" return with it still shown; every other
// action goes to `handle` and the record is displayed again.
struct RecordLoop {
  std::function<void()> restore;
  std::function<bool()> commit;
  std::function<void(int action)> handle;
  std::function<void()> display;
};
editors::RecordOutcome runRecordLoop(ui::Form& form, QWidget* focus, const RecordLoop& loop);

// Fills a selector with CP932 rows. Rows equal to those it holds already are not put
// in again (the enemy dialog's item and magic selectors list up to 999 records).
void fillRows(QComboBox* box, const std::vector<text::Bytes>& rows);

// Whether the user picked another row of `box` since the row it shows was marked.
void markShown(QComboBox* box);
bool pickedSinceShown(const QComboBox* box);

// The names of a project folder's files (sounds, pictures, animations), read when a
// selector first needs them, not when the dialog opens: a picture folder may hold
// thousands of files. forget() reads them again at the next use (every (re)entry).
class NameList {
 public:
  explicit NameList(std::function<std::vector<text::Bytes>()> read) : read_(std::move(read)) {}
  const std::vector<text::Bytes>& names();
  void forget() { read_once_ = false; }

 private:
  std::function<std::vector<text::Bytes>()> read_;
  std::vector<text::Bytes> names_;
  bool read_once_ = false;
};

// Selectors of names bound to text fields: display() shows the stored name alone; the
// names are listed (the stored one first when no file has it) as soon as the user
// reaches the selector (focus, click, wheel or key). commit() stores the picked name
// only when the user changed the selector since. A selector added without a field
// shows no row until the user picks one.
class NameSelectors : public QObject {
 public:
  using Field = std::function<text::Bytes&(int record)>;
  void add(QComboBox* box, Field field, NameList* names);
  void addUnbound(QComboBox* box, NameList* names);
  void display(int record);
  void commit(int record);
  // The name a selector shows now (the stored one until the user picks).
  text::Bytes shown(const QComboBox* box) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Line {
    QComboBox* box;
    Field field;  // empty for an unbound selector
    NameList* names;
    bool listed = false;
  };
  void list(Line& line);
  std::vector<Line> lines_;
};

}  // namespace quillane::gui
