#include "gui/editors/record_form_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/form.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

const char* const kShownRow = "quillaneShownRow";
const char* const kFilledRows = "quillaneFilledRows";

// A selector as wide as eight characters and an icon whatever it lists: Qt's own policy
// for that builds the popup list at once, in every dialog that is opened; this one
// leaves it to the first time the list drops down.
class ShortCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;
  QSize sizeHint() const override { return hint(); }
  QSize minimumSizeHint() const override { return hint(); }

 private:
  QSize hint() const {
    const QFontMetrics metrics = fontMetrics();
    QSize content(8 * metrics.horizontalAdvance(QLatin1Char('X')) + iconSize().width() + 4,
                  std::max(metrics.height(), iconSize().height()));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, this);
  }
};

QByteArray bytesOf(const text::Bytes& b) { return QByteArray(b.data(), static_cast<qsizetype>(b.size())); }

}  // namespace

QLineEdit* addEdit(ui::Form* form, QGridLayout* grid, int row, int column, const QString& caption,
                   const QString& name, int width) {
  auto* edit = new QLineEdit(form);
  edit->setObjectName(name);
  edit->setMinimumWidth(width);
  if (!caption.isEmpty()) grid->addWidget(new QLabel(caption, form), row, column);
  grid->addWidget(edit, row, column + 1);
  return edit;
}

QComboBox* addCombo(ui::Form* form, QGridLayout* grid, int row, int column, const QString& caption,
                    const QString& name, int width) {
  auto* box = new ShortCombo(form);
  box->setObjectName(name);
  box->setMinimumWidth(width);
  box->setMaxVisibleItems(20);
  if (!caption.isEmpty()) grid->addWidget(new QLabel(caption, form), row, column);
  grid->addWidget(box, row, column + 1);
  return box;
}

QCheckBox* addCheck(QWidget* parent, const QString& caption, const QString& name) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QPushButton* addButton(ui::Form* form, const QString& caption, const QString& name, int code) {
  auto* button = new QPushButton(caption, form);
  button->setObjectName(name);
  button->setAutoDefault(false);
  form->bindButton(button, code);
  return button;
}

QHBoxLayout* navigationRow(ui::Form* form) {
  auto* row = new QHBoxLayout;
  row->addWidget(addButton(form, QStringLiteral("▲"), QStringLiteral("BUTTON_PREVIOUS"), kRecordPrevious));
  row->addWidget(addButton(form, QStringLiteral("▼"), QStringLiteral("BUTTON_NEXT"), kRecordNext));
  row->addStretch();
  row->addWidget(addButton(form, QStringLiteral("OK"), QStringLiteral("BUTTON_OK"), kRecordOk));
  row->addWidget(addButton(form, QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("BUTTON_CANCEL"), kRecordCancel));
  return row;
}

editors::RecordOutcome runRecordLoop(ui::Form& form, QWidget* focus, const RecordLoop& loop) {
  if (!form.isVisible()) {
    form.setWindowModality(Qt::ApplicationModal);
    form.show();
  }
  if (focus) focus->setFocus();
  for (;;) {
    const int action = form.waitAction();
    if (action == kRecordCancel) {
      loop.restore();
      form.finish();
      return editors::RecordOutcome::Cancelled;
    }
    if (!loop.commit()) continue;
    switch (action) {
      case kRecordOk:
        form.finish();
        return editors::RecordOutcome::Confirmed;
      case kRecordPrevious:
        return editors::RecordOutcome::Previous;
      case kRecordNext:
        return editors::RecordOutcome::Next;
      default:
        loop.handle(action);
        loop.display();
    }
  }
}

void fillRows(QComboBox* box, const std::vector<text::Bytes>& rows) {
  QByteArray all;
  for (const auto& row : rows) all.append(bytesOf(row)).append('\n');
  if (box->property(kFilledRows).toByteArray() == all && box->count() == static_cast<int>(rows.size())) return;
  box->clear();
  for (const auto& row : rows) box->addItem(ui::toQString(row));
  box->setProperty(kFilledRows, all);
}

void markShown(QComboBox* box) { box->setProperty(kShownRow, box->currentIndex()); }

bool pickedSinceShown(const QComboBox* box) {
  return box->currentIndex() >= 0 && box->currentIndex() != box->property(kShownRow).toInt();
}

const std::vector<text::Bytes>& NameList::names() {
  if (!read_once_) {
    names_ = read_();
    read_once_ = true;
  }
  return names_;
}

void NameSelectors::add(QComboBox* box, Field field, NameList* names) {
  lines_.push_back(Line{box, std::move(field), names});
  box->installEventFilter(this);
}

void NameSelectors::addUnbound(QComboBox* box, NameList* names) { add(box, Field(), names); }

void NameSelectors::display(int record) {
  for (Line& line : lines_) {
    line.box->clear();
    line.listed = false;
    if (line.field) {
      const text::Bytes& current = line.field(record);
      line.box->addItem(ui::toQString(current), bytesOf(current));
      line.box->setCurrentIndex(0);
    }
    markShown(line.box);
  }
}

void NameSelectors::list(Line& line) {
  if (line.listed) return;
  line.listed = true;
  const QByteArray current = line.box->currentData().toByteArray();
  const bool bound = static_cast<bool>(line.field);
  line.box->clear();
  const auto& names = line.names->names();
  bool listed = false;
  for (const auto& name : names) listed = listed || bytesOf(name) == current;
  // A stored name whose file is absent is still shown; it changes only when the user
  // picks another one.
  if (bound && !listed)
    line.box->addItem(ui::toQString(text::Bytes(current.constData(), static_cast<std::size_t>(current.size()))), current);
  for (const auto& name : names) line.box->addItem(ui::toQString(name), bytesOf(name));
  line.box->setCurrentIndex(bound ? line.box->findData(current) : -1);
  markShown(line.box);
}

bool NameSelectors::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
      for (Line& line : lines_)
        if (line.box == watched) list(line);
      break;
    default:
      break;
  }
  return false;
}

void NameSelectors::commit(int record) {
  for (const Line& line : lines_) {
    if (!line.field || !pickedSinceShown(line.box)) continue;
    line.field(record) = shown(line.box);
  }
}

text::Bytes NameSelectors::shown(const QComboBox* box) const {
  const QByteArray data = box->currentData().toByteArray();
  return text::Bytes(data.constData(), static_cast<std::size_t>(data.size()));
}

}  // namespace quillane::gui
