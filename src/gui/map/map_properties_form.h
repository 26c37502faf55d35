#pragma once
// FORM10 "マップモード": the controls of the map-properties dialog, showing the open
// map's values and reading them back. The loop that applies them lives in
// map_properties_dialog.cpp.
#include <QImage>
#include <QMap>
#include <QSet>
#include <QWidget>
#include <vector>

#include "core/map/map_properties.h"
#include "gui/ui/form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillane::gui {

// The action codes of FORM10.
enum MapPropertiesAction {
  kPropertiesOk = 1,
  kPropertiesCancel = 2,
  kPropertiesPlay = 3,
  kPropertiesStop = 4,
  kPropertiesDeleteEvents = 5,
  kPropertiesTilePicked = 6,       // COMBO85
  kPropertiesCharacterPicked = 7,  // COMBO86
  kPropertiesSkyPicked = 8,        // COMBO87
  kPropertiesBattlePicked = 9,     // COMBO84
  kPropertiesDistantPicked = 10,   // COMBO94
};

// The picture area of the dialog that previews a chosen bitmap.
class BitmapPreview : public QWidget {
 public:
  explicit BitmapPreview(QWidget* parent = nullptr);
  // The top-left part of the bitmap at full size, or the whole bitmap scaled into the
  // area; a null image clears the preview.
  void showPart(const QImage& image);
  void showWhole(const QImage& image);
  void clear();
  const QImage& shown() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage shown_;
};

// What the dialog shows: the open map and the database entries of its number.
struct PropertiesView {
  const map::MapDocument& map;
  int number;
  const data::ProjectDatabase& db;
  const std::vector<text::Bytes>& bitmaps;  // GRP stems
  const std::vector<text::Bytes>& music;    // mid stems
};

class MapPropertiesForm : public ui::Form {
  Q_OBJECT
 public:
  explicit MapPropertiesForm(QWidget* parent = nullptr);

  // Fills the lists and shows every value; afterwards no selector counts as changed.
  void showValues(const PropertiesView& view);

  // The fields as typed and chosen. Texts that cannot be stored are left as they are
  // in `db` (the dialog reports them through refusedText()).
  map::PropertyInput readInput(int number, const data::ProjectDatabase& db);
  // The message for a map name that cannot be stored (empty when it is fine).
  QString refusedText() const { return refused_; }

  // The CP932 name a bitmap list shows now.
  text::Bytes listName(int action) const;

  BitmapPreview& preview() { return *preview_; }
  QComboBox* combo(const char* name) const;
  QLineEdit* edit(const char* name) const;

 private:
  void build();
  QComboBox* addCombo(const char* name);
  QLineEdit* addEdit(const char* name);
  void fillNames(QComboBox* box, const std::vector<text::Bytes>& names, const text::Bytes& current);
  void fillRows(QComboBox* box, const std::vector<text::Bytes>& rows, std::optional<int> current);
  void onPicked(QComboBox* box, int row);
  bool touched(QComboBox* box) const { return touched_.contains(box); }
  std::optional<text::Bytes> pickedName(QComboBox* box) const;
  std::optional<int> pickedRow(QComboBox* box) const;

  int number_ = 0;
  QSet<QComboBox*> touched_;     // changed by the user since the values were shown
  QMap<QComboBox*, int> shownRow_;  // the row shown, for a refused choice to go back to
  QString refused_;
  BitmapPreview* preview_ = nullptr;
};

}  // namespace quillane::gui
