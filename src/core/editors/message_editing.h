#pragma once
// The rules of the message dialog on the MessageList: the messages it lists (those
// before the first "END"), the explanation lines of a message, and storing a text.
#include <optional>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

// Messages before the first entry whose text is "END" (all 1000 when none is).
int listedMessages(const data::MessageList& list);
// Field 0 of every listed message.
std::vector<Bytes> messageRows(const data::MessageList& list);
// The lines of the message choice: "n:" and the text of every listed message.
std::vector<Bytes> messageChoiceItems(const data::MessageList& list);
// Fields 1, 7, 8, 9 and 10 of message n (empty for a message that is not listed).
std::vector<Bytes> explanationLines(const data::MessageList& list, int n);

// "▲登録": message n takes `text`. Refused (the message to show, CP932) when the text
// would break the file or end the list ("END"), or n is no listed message.
std::optional<Bytes> storeMessage(data::MessageList& list, int n, const Bytes& text);

// Field 0 of all 1000 entries, what "ｷｬﾝｾﾙ" puts back.
std::vector<Bytes> backupMessageTexts(const data::MessageList& list);
void restoreMessageTexts(data::MessageList& list, const std::vector<Bytes>& backup);
bool sameMessageTexts(const data::MessageList& list, const std::vector<Bytes>& backup);

}  // namespace quillane::editors
