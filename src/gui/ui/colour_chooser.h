#pragma once
// The colour chooser ("参照" beside the transparent colour). Like the message boxes, it
// goes through a hook that a test can replace to answer without showing it.
#include <QColor>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace quillane::ui {

// The chosen colour; an empty optional when the chooser was cancelled.
std::optional<QColor> chooseColour(const QColor& initial, const QString& title, QWidget* parent = nullptr);

using ColourHook = std::function<std::optional<QColor>(const QColor& initial)>;
void setColourHook(ColourHook hook);

}  // namespace quillane::ui
