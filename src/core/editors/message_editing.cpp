#include "core/editors/message_editing.h"

#include <algorithm>

#include "core/data/text_rules.h"

namespace quillane::editors {

int listedMessages(const data::MessageList& list) {
  return std::clamp(list.endIndex(), 0, static_cast<int>(list.entries.size()));
}

std::vector<Bytes> messageRows(const data::MessageList& list) {
  std::vector<Bytes> rows;
  const int listed = listedMessages(list);
  for (int n = 0; n < listed; ++n) rows.push_back(list.entries[static_cast<std::size_t>(n)][0]);
  return rows;
}

std::vector<Bytes> messageChoiceItems(const data::MessageList& list) {
  std::vector<Bytes> items = messageRows(list);
  for (std::size_t n = 0; n < items.size(); ++n) items[n] = std::to_string(n) + ":" + items[n];
  return items;
}

std::vector<Bytes> explanationLines(const data::MessageList& list, int n) {
  if (n < 0 || n >= listedMessages(list)) return {};
  const auto& entry = list.entries[static_cast<std::size_t>(n)];
  return {entry[1], entry[7], entry[8], entry[9], entry[10]};
}

std::optional<Bytes> storeMessage(data::MessageList& list, int n, const Bytes& text) {
  if (auto why = data::refuseText(text, data::TextUse::Message)) return why;
  if (n < 0 || n >= listedMessages(list)) return text::sj("メッセージが選択されていません");
  list.entries[static_cast<std::size_t>(n)][0] = text;
  return std::nullopt;
}

std::vector<Bytes> backupMessageTexts(const data::MessageList& list) {
  std::vector<Bytes> texts;
  texts.reserve(list.entries.size());
  for (const auto& entry : list.entries) texts.push_back(entry[0]);
  return texts;
}

void restoreMessageTexts(data::MessageList& list, const std::vector<Bytes>& backup) {
  const std::size_t n = std::min(backup.size(), list.entries.size());
  for (std::size_t i = 0; i < n; ++i) list.entries[i][0] = backup[i];
}

bool sameMessageTexts(const data::MessageList& list, const std::vector<Bytes>& backup) {
  return backupMessageTexts(list) == backup;
}

}  // namespace quillane::editors
