// FORM2 and the script checker: rows with findings are marked (colour and tooltip, the
// row text stays as it is) and the status line under the script explains the current
// line, as typed once the typing pauses. Nothing is refused: the editor stores what is
// typed.
#include <QColor>
#include <QLineEdit>
#include <QListWidget>

#include "core/lint/finding_text.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/ui/elided_label.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

void ScriptEditorDialog::recheck() {
  findings_.clear();
  checker_.checkEdited(place_, copy_.lines, otherEventLabels_, findings_);
  markRows();
  showStatus();
}

void ScriptEditorDialog::markRows() {
  const std::vector<bool> marked = lint::linesWithFindings(findings_, lines_->count());
  for (int row = 0; row < lines_->count(); ++row) {
    QListWidgetItem* item = lines_->item(row);
    if (!marked[static_cast<std::size_t>(row)]) continue;
    item->setBackground(QColor(255, 226, 222));
    item->setForeground(QColor(150, 0, 0));
    QString tip;
    for (const lint::Finding& f : findings_)
      if (f.place.line == row)
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(f.command) +
               (f.command.empty() ? QString() : QStringLiteral("：")) +
               QString::fromStdString(lint::japaneseMessage(f));
    item->setToolTip(tip);
  }
}

void ScriptEditorDialog::showStatus() {
  if (!status_) return;
  const int line = editing_.current();
  if (lineShownUnchanged()) {
    status_->setFullText(QString::fromStdString(lint::lineStatus(findings_, line)));
    return;
  }
  // The line as it would be stored, checked in a copy of the script.
  const auto message = ui::toBytes(message_->text());
  const auto command = ui::toBytes(command_->text());
  event::ScriptLines trial = copy_.lines;
  event::ScriptEditing editing(trial, editing_.endLimit());
  editing.setCurrent(line);
  if (!message || !command || editing.storeLine(*message, *command) != event::EditRefusal::None) {
    status_->setFullText(QString::fromStdString(lint::lineStatus(findings_, line)));
    return;
  }
  std::vector<lint::Finding> typed;
  checker_.checkEdited(place_, trial, otherEventLabels_, typed);
  status_->setFullText(QString::fromStdString(lint::lineStatus(typed, line)));
}

}  // namespace quillane::gui
