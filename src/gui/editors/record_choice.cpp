#include "gui/editors/record_choice.h"

#include <QStringList>
#include <algorithm>

#include "gui/app/main_window.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

void runRecordChoice(app::MainWindow& window, const std::vector<text::Bytes>& names, int count,
                     int linesPerPage, int& current,
                     const std::function<editors::RecordOutcome(int record)>& open,
                     const QStringList& prompts) {
  // The lines are formed anew each time the list comes back: the dialog may have
  // renamed a record.
  auto choose = [&](int preselect) {
    QStringList items;
    for (const auto& line : editors::recordChoiceLines(names, count)) items << ui::toQString(line);
    return window.chooseFromList(prompts, items, linesPerPage, preselect);
  };
  editors::runRecordChoice(std::min(count, static_cast<int>(names.size())), current, choose, open);
}

}  // namespace quillane::gui
