#pragma once
// "プレイヤーモード": the player dialog on the shared PlayerTable and LevelTable. Every
// action first commits the boxes (and the equipment selectors the user changed); "ｷｬﾝｾﾙ"
// restores the copies taken when the dialog was (re)entered. The growth editor works on
// increments of its own that reach the LevelTable only through the left "▲登録".
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <array>
#include <filesystem>
#include <vector>

#include "core/editors/growth.h"
#include "core/editors/player_copies.h"
#include "core/editors/record_choice.h"
#include "gui/editors/field_binding.h"
#include "gui/ui/form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quillane::gui {

class CachedPicture;
class GrowthGraph;

class PlayerDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Action {
    kOk = 1, kCancel, kPrevious, kNext, kShowFace, kAnimate, kCharacterChanged, kAddItem, kRemoveItem,
    kAddMagic, kRemoveMagic, kClearLearned, kRedisplayTable, kEquipChanged, kMenuInsert, kMenuRemove,
    kMenuUp, kMenuDown, kStatChanged, kShowGraph, kEven, kCurve, kRegisterGrowth, kRegisterRow, kGraphPress,
  };

  // `characterSheet`: the character bitmap of the open map (32 × 32 cells, 16 a row).
  PlayerDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, QImage characterSheet,
               QWidget* parent = nullptr);

  // Opens (or reopens after previous/next) on player `player` and runs until an outcome.
  // The window stays on screen for previous and next, and is hidden after OK and cancel.
  editors::RecordOutcome open(int player);
  // Enters player `player` without waiting: copies for cancel, the lists on the first
  // entry, the display and the growth editor on its first statistic.
  void enter(int player);

  // The growth editor's state (tests and the benchmark).
  const std::vector<double>& working() const { return w_; }
  editors::Stat stat() const { return stat_; }
  GrowthGraph& graph() const { return *graph_; }
  bool animating() const { return animation_.isActive(); }

  // One press or drag of the graph at graph coordinates (x, y): adjusts the working
  // increments and redraws.
  void dragGraph(int x, int y);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // player_dialog_layout.cpp
  void build();
  void buildFields();
  void buildLists();
  void buildGrowth();
  void bindFields();
  QLineEdit* addEdit(const char* name, QRect geometry);
  QComboBox* addCombo(const char* name, QRect geometry);
  QListWidget* addList(const char* name, QRect geometry);
  QPushButton* addButton(const char* name, const QString& caption, QRect geometry, int code);
  QLabel* addLabel(const QString& caption, QRect geometry);

  // player_dialog.cpp
  void fillCatalogues();
  void display();
  bool commit();  // false when a text was refused
  void handle(int code);
  void selectStat(editors::Stat stat);
  editors::GrowthSteps steps() const;
  double displayMax() const;
  void redrawGraph();
  void showLevelTable();
  void showEquipment();
  void applyEquipment();
  void showBattleMenu(int selected = -1);
  void showHeldLists();
  void showFace();
  void showCharacter(int pattern = 0);
  void playAnimation();
  void stopAnimation();
  void registerRow();

  data::ProjectDatabase& db_;
  std::filesystem::path folder_;
  QImage sheet_;
  int player_ = 0;
  bool catalogues_ = false;
  editors::PlayerCopies copies_;
  FieldBinding fields_;

  // Growth editor.
  editors::Stat stat_ = editors::Stat::Hp;
  double base_ = 0;
  std::vector<double> w_;

  // Controls that the display and actions use.
  QComboBox* statBox_ = nullptr;
  QComboBox* shapeBox_ = nullptr;
  QLineEdit* displayMaxBox_ = nullptr;
  QLineEdit* targetBox_ = nullptr;
  GrowthGraph* graph_ = nullptr;
  CachedPicture* face_ = nullptr;
  CachedPicture* frames_ = nullptr;
  QLineEdit* faceBox_ = nullptr;
  QLineEdit* characterBox_ = nullptr;
  QComboBox* cursorBox_ = nullptr;
  QComboBox* attributeBox_ = nullptr;
  std::array<QComboBox*, 5> equipBoxes_{};
  std::vector<int> equipOffered_[5];  // held places each equipment selector lists
  std::array<bool, 5> equipChanged_{};
  QListWidget* commandCatalogue_ = nullptr;
  QListWidget* menuList_ = nullptr;
  QLabel* menuLength_ = nullptr;
  QListWidget* itemCatalogue_ = nullptr;
  QListWidget* heldItems_ = nullptr;
  QListWidget* magicCatalogue_ = nullptr;
  QListWidget* heldMagic_ = nullptr;
  QPlainTextEdit* heading_ = nullptr;
  QListWidget* levelList_ = nullptr;
  std::array<QLineEdit*, editors::kStats> rowBoxes_{};
  QComboBox* learnedBox_ = nullptr;

  QPoint pressAt_;  // where the last press on the graph was
  QTimer animation_;
  int animationTicks_ = 0;
};

}  // namespace quillane::gui
