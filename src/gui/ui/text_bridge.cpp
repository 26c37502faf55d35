#include "gui/ui/text_bridge.h"

namespace quillane::ui {

QString toQString(const text::Bytes& cp932) { return QString::fromStdString(text::toUtf8(cp932)); }

std::optional<text::Bytes> toBytes(const QString& shown) { return text::fromUtf8(shown.toStdString()); }

}  // namespace quillane::ui
