#pragma once
// The frame the item and magic dialogs share: their own fields on the left above the
// animation preview and its "表示" button, the effect controls and the dialog's further
// fields on the right, the navigation row at the bottom. The body holds every control,
// so the animation player can disable them while it plays.
#include <initializer_list>
#include <memory>

#include "gui/editors/effect_controls.h"

class QGridLayout;
class QLineEdit;
class QWidget;

namespace quillane::gui {

class CanvasPreview;

struct TwinFrame {
  QWidget* body = nullptr;
  CanvasPreview* preview = nullptr;
  std::unique_ptr<EffectControls> effect;
};

// The grid of a dialog's own fields, starting with what both have: "No." (read-only)
// and the box `secondName` captioned `secondCaption` in row 0, "名前" and the three
// "説明" lines (EDIT_TEXT0..3) in rows 1-4. `area` receives the grid.
QGridLayout* twinFieldsGrid(ui::Form* form, QWidget* area, const QString& secondCaption, const QString& secondName);
// "属性" and "攻撃命中率" in row `row`.
void addAttributeAndHit(ui::Form* form, QGridLayout* grid, int row);
// "アニメーションファイル名" in row `row`, "表示位置" and "全体アニメ" in the next one.
void addAnimationRows(ui::Form* form, QWidget* area, QGridLayout* grid, int row);
// A selector of sound names across two columns and its "試聴" button (posting `code`).
void addSoundRow(ui::Form* form, QGridLayout* grid, int row, const QString& caption, const QString& name,
                 const QString& buttonName, int code);
// A box across the three columns right of its caption.
QLineEdit* addWideEdit(ui::Form* form, QGridLayout* grid, int row, const QString& caption, const QString& name);

// `right` stand below the effect controls, the last one taking the height left.
TwinFrame buildTwinFrame(ui::Form* form, QWidget* ownFields, std::initializer_list<QWidget*> right,
                         EffectControls::Kind kind, int showCode, int redisplayCode);

}  // namespace quillane::gui
