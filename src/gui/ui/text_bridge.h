#pragma once
// The one conversion each way between project text (CP932 bytes) and what Qt shows.
#include <QString>
#include <optional>

#include "core/text/cp932.h"

namespace quillane::ui {

QString toQString(const text::Bytes& cp932);
// Empty optional when the text holds a character CP932 cannot store.
std::optional<text::Bytes> toBytes(const QString& shown);

}  // namespace quillane::ui
