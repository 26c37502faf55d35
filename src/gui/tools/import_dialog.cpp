#include "gui/tools/import_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/map/map_document.h"
#include "core/settings/folder_path.h"
#include "core/tools/map_import.h"
#include "gui/app/workspace.h"
#include "gui/ui/fonts.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

using tools::ImportKind;

namespace {

const QString kImportError = QStringLiteral("インポートエラー");

QPushButton* button(const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

void showImportFailed() {
  ui::messageBox(QStringLiteral("正常にインポートできませんでした"), kImportError, ui::Buttons::Ok,
                 ui::Icon::Exclamation);
}

// The list's rows that are selected, ascending.
std::vector<int> selectedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (int r = 0; r < list->count(); ++r)
    if (list->item(r)->isSelected()) rows.push_back(r);
  return rows;
}

}  // namespace

ImportDialog::ImportDialog(app::Workspace& ws, MapHooks hooks, QWidget* parent)
    : ui::Form(QStringLiteral("FORM_IMPORT"), QStringLiteral("インポート"), kOk, parent),
      ws_(ws),
      hooks_(std::move(hooks)) {
  build();
  folder_->setText(QString::fromStdString(settings::withFinalSeparator(ws_.programDir.generic_string())));
}

void ImportDialog::build() {
  auto* top = new QVBoxLayout(this);

  auto* kindRow = new QHBoxLayout;
  kind_ = new QComboBox;
  kind_->setObjectName(QStringLiteral("COMBO_KIND"));
  for (const char* k : {"プレイヤーデータ", "敵データ", "道具･武具データ", "魔法データ", "属性データ", "マップデータ"})
    kind_->addItem(QString::fromUtf8(k));
  kind_->setCurrentIndex(-1);
  kind_->setMinimumContentsLength(16);
  kindRow->addWidget(kind_);
  kindRow->addStretch();
  top->addLayout(kindRow);

  auto* lists = new QHBoxLayout;
  // The source: its folder, password and records.
  auto* sourceGroup = new QGroupBox(QStringLiteral("インポート元データ"));
  auto* sg = new QGridLayout(sourceGroup);
  sg->addWidget(new QLabel(QStringLiteral("格納フォルダパス")), 0, 0, 1, 2);
  folder_ = new QLineEdit;
  folder_->setObjectName(QStringLiteral("EDIT_FOLDER"));
  sg->addWidget(folder_, 1, 0);
  auto* browseButton = button(QStringLiteral("BUTTON_BROWSE"), QStringLiteral("参照"));
  sg->addWidget(browseButton, 1, 1);
  auto* hint = new QLabel(QStringLiteral("(対象フォルダ内のFont.bmpを選択)"));
  hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  sg->addWidget(hint, 2, 0, 1, 2);
  sg->addWidget(new QLabel(QStringLiteral("編集パスワード")), 3, 0, 1, 2);
  password_ = new QLineEdit;
  password_->setObjectName(QStringLiteral("EDIT_PASSWORD"));
  password_->setEchoMode(QLineEdit::Password);
  sg->addWidget(password_, 4, 0);
  auto* readButton = button(QStringLiteral("BUTTON_READ"), QStringLiteral("読込"));
  sg->addWidget(readButton, 4, 1);
  sourceList_ = new QListWidget;
  sourceList_->setObjectName(QStringLiteral("LIST_SOURCE"));
  sourceList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  sourceList_->setFont(ui::fixedPitchFont());
  sourceList_->setMinimumSize(300, 360);
  sg->addWidget(sourceList_, 5, 0, 1, 2);
  lists->addWidget(sourceGroup, 1);

  auto* copyColumn = new QVBoxLayout;
  copyColumn->addStretch();
  auto* copyButton = button(QStringLiteral("BUTTON_COPY"), QStringLiteral("≫"));
  copyButton->setFixedWidth(48);
  copyColumn->addWidget(copyButton);
  copyColumn->addStretch();
  lists->addLayout(copyColumn);

  auto* targetColumn = new QVBoxLayout;
  targetColumn->addWidget(new QLabel(QStringLiteral("インポート対象データ")));
  targetList_ = new QListWidget;
  targetList_->setObjectName(QStringLiteral("LIST_TARGET"));
  targetList_->setSelectionMode(QAbstractItemView::SingleSelection);
  targetList_->setFont(ui::fixedPitchFont());
  targetList_->setMinimumSize(300, 360);
  targetColumn->addWidget(targetList_, 1);
  lists->addLayout(targetColumn, 1);
  top->addLayout(lists, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  auto* ok = button(QStringLiteral("BUTTON_OK"), QStringLiteral("OK"));
  ok->setMinimumWidth(100);
  bottom->addWidget(ok);
  top->addLayout(bottom);

  bindButton(browseButton, kBrowse);
  bindButton(readButton, kRead);
  bindButton(copyButton, kCopy);
  bindButton(ok, kOk);
  // Only a choice of the user posts: filling the box does not.
  connect(kind_, &QComboBox::activated, this, [this] { post(kKind); });
  // Enter in the password box reads, never closes the dialog.
  connect(password_, &QLineEdit::returnPressed, this, [this] { post(kRead); });
  for (QPushButton* b : {browseButton, readButton, copyButton, ok}) b->setAutoDefault(false);
}

ImportKind ImportDialog::kind() const { return static_cast<ImportKind>(shownKind_); }

bool ImportDialog::run() {
  folder_->setFocus();
  for (;;) {
    if (!handle(waitAction())) return mapReplaced_;
  }
}

bool ImportDialog::handle(int code) {
  switch (code) {
    case kOk:
      finish();
      return false;
    case kBrowse: browse(); break;
    case kRead: read(); break;
    case kKind:
      if (loaded() && kind_->currentIndex() >= 0) {
        shownKind_ = kind_->currentIndex();
        fillLists(false);
      }
      break;
    case kCopy:
      if (loaded() && shownKind_ >= 0) copy();
      break;
    default: break;
  }
  return true;
}

void ImportDialog::browse() {
  auto chosen = ui::chooseFile(QStringLiteral("ファイルのオープン"), QStringLiteral("*.*"),
                               QString::fromStdString(ws_.programDir.string()));
  if (!chosen) return;  // cancelled: nothing changes
  folder_->setText(QString::fromStdString(settings::folderOfChosenFile(chosen->toStdString(), ws_.programDir)));
}

void ImportDialog::read() {
  // A new read replaces what was read before; until it succeeds nothing can be copied.
  source_.reset();
  shownKind_ = -1;
  sourceList_->clear();
  targetList_->clear();
  {
    QSignalBlocker block(kind_);
    kind_->setCurrentIndex(-1);
    kind_->setPlaceholderText({});
  }
  auto password = ui::toBytes(password_->text());
  const std::filesystem::path folder = tools::sourceFolder(folder_->text().toStdString(), ws_.programDir);
  tools::SourceProject project;
  tools::SourceRead result = password ? tools::readSourceProject(folder, *password, ws_.random, project)
                                      : tools::SourceRead::WrongPassword;
  if (result == tools::SourceRead::WrongPassword) {
    ui::messageBox(QStringLiteral("パスワードが誤っているため､インポートできません"), QStringLiteral("パスワードエラー"),
                   ui::Buttons::Ok, ui::Icon::Exclamation);
    return;
  }
  if (result == tools::SourceRead::Failed) {
    showImportFailed();
    return;
  }
  source_ = std::move(project);
  QSignalBlocker block(kind_);
  kind_->setPlaceholderText(QStringLiteral("読込み成功"));
  kind_->setCurrentIndex(-1);
}

void ImportDialog::fillLists(bool keepSelection) {
  const int sourceRow = sourceList_->currentRow();
  const std::vector<int> sourceSelected = selectedRows(sourceList_);
  const int targetRow = targetList_->currentRow();
  sourceList_->clear();
  targetList_->clear();
  for (const text::Bytes& line : tools::recordLines(source_->db, kind()))
    sourceList_->addItem(ui::toQString(line));
  if (kind() == ImportKind::Map) {
    targetList_->addItem(QStringLiteral("編集中のマップ"));
  } else {
    for (const text::Bytes& line : tools::recordLines(ws_.db, kind())) targetList_->addItem(ui::toQString(line));
  }
  if (!keepSelection) return;
  // A refill after a copy keeps the rows the user had chosen.
  for (int r : sourceSelected)
    if (r < sourceList_->count()) sourceList_->item(r)->setSelected(true);
  if (sourceRow >= 0 && sourceRow < sourceList_->count())
    sourceList_->setCurrentRow(sourceRow, QItemSelectionModel::NoUpdate);
  if (targetRow >= 0 && targetRow < targetList_->count()) targetList_->setCurrentRow(targetRow);
}

void ImportDialog::copy() {
  if (kind() == ImportKind::Map) {
    copyMap();
    return;
  }
  const std::vector<int> selected = selectedRows(targetList_);
  if (selected.empty()) return;  // no target record: nothing happens
  switch (tools::copyRecords(source_->db, ws_.db, kind(), selectedRows(sourceList_), selected.front())) {
    case tools::CopyResult::Copied:
      ws_.databaseModified = true;
      fillLists(true);
      break;
    case tools::CopyResult::PastEnd:
      ui::messageBox(QStringLiteral("選択したデータがインポート対象データの最後を超えるため、インポートできません"),
                     kImportError, ui::Buttons::Ok, ui::Icon::Exclamation);
      break;
    case tools::CopyResult::Nothing: break;
  }
}

void ImportDialog::copyMap() {
  const std::vector<int> selected = selectedRows(sourceList_);
  if (selected.empty() || !ws_.map || ws_.mapIndex < 0) return;
  if (hooks_.confirmReplace && !hooks_.confirmReplace()) return;
  const int number = selected.front();
  auto doc = std::make_unique<map::MapDocument>();
  switch (tools::importMap(*source_, number, ws_.splitMapChips(), *doc)) {
    case tools::MapImport::ReadFailed:
      showImportFailed();
      return;
    case tools::MapImport::BanksInUse:
      ui::messageBox(QStringLiteral("マップチップのバンク1・2を使うマップは、標準形式のこのデータにはインポートできません"),
                     kImportError, ui::Buttons::Ok, ui::Icon::Exclamation);
      return;
    case tools::MapImport::Imported: break;
  }
  tools::copyMapEntry(source_->db, number, ws_.db, ws_.mapIndex);
  ws_.databaseModified = true;
  mapReplaced_ = true;
  if (hooks_.install) hooks_.install(std::move(doc));
}

}  // namespace quillane::gui
