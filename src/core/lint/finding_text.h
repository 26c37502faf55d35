#pragma once
// The checker's findings in the editor's own language, and what the script editor
// shows of them: the rows that carry a mark and the status text of one line.
#include <algorithm>
#include <string>
#include <vector>

#include "core/lint/script_checker.h"

namespace quillane::lint {

// "マップNo.10はマップの範囲（0～9）を超えています" (UTF-8).
std::string japaneseMessage(const Finding& finding);

// The status text of `line`: its first finding as "MAP：…", with the count of the
// others ("（ほか2件）"); empty when the line has none.
std::string lineStatus(const std::vector<Finding>& findings, int line);

// Whether each line 0..lines-1 has a finding.
std::vector<bool> linesWithFindings(const std::vector<Finding>& findings, int lines);

}  // namespace quillane::lint
