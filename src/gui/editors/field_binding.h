#pragma once
// The fields of a record dialog, declared once: each line binds a control to a field of
// the record and names its conversion; display() and commit() walk the same lines.
//
//   FieldBinding b;
//   b.number(edit("EDIT3"), column(t.hp));
//   b.number(edit("EDIT5"), column(t.maxHp), NumberRule::ZeroAsOne);
//   b.integer(edit("EDIT9"), column(t.experience));
//   b.text(edit("EDIT2"), column(t.name), TextRule::EvenLength);
//   b.selector(combo("COMBO1"), element(t.magic, 0), editors::IndexRule::None99);
//   b.display(record);  ...  b.commit(record);
//
// A box whose text is still what display() put there, and a selector the user has not
// changed since, is not committed: what the user did not touch stays as it was.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/data/text_rules.h"
#include "core/editors/field_conversions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace quillane::gui {

// A field of record `record`: a reference into a column of the table.
template <class T>
using FieldRef = std::function<T&(int record)>;

template <class T>
FieldRef<T> column(std::vector<T>& c) {
  return [&c](int r) -> T& { return c[static_cast<std::size_t>(r)]; };
}
template <class T, std::size_t N>
FieldRef<T> element(std::vector<std::array<T, N>>& c, std::size_t k) {
  return [&c, k](int r) -> T& { return c[static_cast<std::size_t>(r)][k]; };
}

enum class NumberRule { Plain, ZeroAsOne };
enum class TextRule { AsTyped, EvenLength };

class FieldBinding {
 public:
  FieldBinding() = default;
  FieldBinding(const FieldBinding&) = delete;
  FieldBinding& operator=(const FieldBinding&) = delete;

  void number(QLineEdit* box, FieldRef<float> field, NumberRule rule = NumberRule::Plain);
  void integer(QLineEdit* box, FieldRef<std::int32_t> field);
  void text(QLineEdit* box, FieldRef<text::Bytes> field, TextRule rule = TextRule::AsTyped,
            data::TextUse use = data::TextUse::Quoted);
  // The caller fills the selector's rows; display() picks the row of the stored value.
  void selector(QComboBox* box, FieldRef<float> field, editors::IndexRule rule);
  void check(QCheckBox* box, FieldRef<float> field);

  // Shows record `record` in every bound control.
  void display(int record);
  // Writes every changed control back into record `record`. A text the project cannot
  // hold is refused with a message and its field kept; returns
  // false when something was refused.
  bool commit(int record);

  // Whether the user changed the selector since the last display (tests, dialogs).
  bool selectorChanged(const QComboBox* box) const;

 private:
  struct Line {
    QWidget* control = nullptr;
    std::function<void(int)> show;
    std::function<bool(int)> store;  // false: refused
  };
  void add(QWidget* control, std::function<void(int)> show, std::function<bool(int)> store);

  std::vector<Line> lines_;
  std::vector<QComboBox*> changedSelectors_;
};

// The typed text of a box as CP932; a character CP932 cannot hold makes it empty (it
// reads as 0 in a number box).
text::Bytes typedBytes(const QLineEdit* box);
// The typed text of a box as CP932 when the project can hold it; otherwise the reason
// (a character CP932 lacks, or a text the file form refuses) is shown and nothing is
// returned.
std::optional<text::Bytes> acceptedText(const QLineEdit* box, data::TextUse use = data::TextUse::Quoted);

}  // namespace quillane::gui
