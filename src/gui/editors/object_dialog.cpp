#include "gui/editors/object_dialog.h"

#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/event/flag_table_editor.h"
#include "gui/editors/dialog_parts.h"
#include "gui/editors/field_binding.h"
#include "gui/editors/tile_preview.h"
#include "gui/ui/escape_filter.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

constexpr int kPreviewSide = 64;   // a frame, twice its tile size
constexpr int kAnimationSide = 96;
constexpr int kAnimationRounds = 3;  // the frames are shown this many times over

QRect frameRect(const text::Bytes& code, bool split) {
  auto src = editors::frameSource(code, split);
  return src ? QRect(src->left, src->top, map::kTilePixels, map::kTilePixels) : QRect();
}

}  // namespace

ObjectDialog::ObjectDialog(editors::Objects& objects, int number, const event::MapEvents& events, const QImage& work,
                           bool splitChips, const text::Bytes& character, FlagMapPicker* picker, QWidget* parent)
    : ui::Form(QStringLiteral("objectForm"), QStringLiteral("オブジェクト"), kCancel, parent),
      objects_(objects),
      backup_(objects),
      number_(std::clamp(number, 0, editors::kEditableObjects - 1)),
      events_(events),
      work_(work),
      split_(splitChips),
      picker_(picker) {
  editors::initialiseNewObject(objects_[static_cast<std::size_t>(number_)], character);
  build();
  display();
}

void ObjectDialog::build() {
  auto* top = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  numberBox_ = new QLineEdit;
  numberBox_->setObjectName(QStringLiteral("objectNumber"));
  numberBox_->setReadOnly(true);
  numberBox_->setFocusPolicy(Qt::NoFocus);
  numberBox_->setMaximumWidth(60);
  head->addWidget(new QLabel(QStringLiteral("オブジェクトNo.")));
  head->addWidget(numberBox_);
  head->addStretch();
  top->addLayout(head);

  auto* frameGroup = new QGroupBox(QStringLiteral("キャラクタアニメーション"));
  auto* grid = new QGridLayout(frameGroup);
  for (int f = 0; f < editors::kObjectFrames; ++f) {
    const int column = f * 2;
    if (f > 0) grid->addWidget(new QLabel(QStringLiteral("→")), 1, column - 1, Qt::AlignCenter);
    previews_[f] = new TilePreview(QStringLiteral("framePicture%1").arg(f + 1), kPreviewSide);
    grid->addWidget(previews_[f], 0, column, Qt::AlignCenter);
    frames_[f] = new QLineEdit;
    frames_[f]->setObjectName(QStringLiteral("frame%1").arg(f + 1));
    frames_[f]->setMaximumWidth(kPreviewSide + 16);
    frames_[f]->setAlignment(Qt::AlignCenter);
    grid->addWidget(frames_[f], 1, column, Qt::AlignCenter);
    connect(frames_[f], &QLineEdit::textChanged, this, [this] { drawFrames(); });
    if (f > 0) {
      auto* browse = dialogButton(QStringLiteral("browse%1").arg(f + 1), QStringLiteral("参照"));
      browse->setEnabled(picker_ != nullptr);
      grid->addWidget(browse, 2, column, Qt::AlignCenter);
      bindButton(browse, kBrowse + f);
    }
  }
  top->addWidget(frameGroup);

  auto* settings = new QGridLayout;
  event_ = new QComboBox;
  event_->setObjectName(QStringLiteral("contactEvent"));
  event_->setMaxVisibleItems(20);
  event_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  event_->setMinimumContentsLength(32);
  speed_ = new QComboBox;
  speed_->setObjectName(QStringLiteral("animationSpeed"));
  speed_->setMaxVisibleItems(15);
  settings->addWidget(new QLabel(QStringLiteral("接触時発生イベント")), 0, 0);
  settings->addWidget(event_, 0, 1);
  settings->addWidget(new QLabel(QStringLiteral("アニメーション速度")), 1, 0);
  settings->addWidget(speed_, 1, 1, Qt::AlignLeft);
  settings->setColumnStretch(1, 1);
  top->addLayout(settings);
  // Only a choice of the user counts, not a refill of the selector.
  connect(event_, &QComboBox::activated, this, [this] { eventTouched_ = true; });
  connect(speed_, &QComboBox::activated, this, [this] { speedTouched_ = true; });

  auto* animationRow = new QHBoxLayout;
  animation_ = new TilePreview(QStringLiteral("animationPicture"), kAnimationSide);
  auto* animate = dialogButton(QStringLiteral("animate"), QStringLiteral("アニメ"));
  animationRow->addWidget(animation_);
  animationRow->addWidget(animate, 0, Qt::AlignBottom);
  animationRow->addStretch();
  top->addLayout(animationRow);
  top->addSpacing(8);

  auto* bottom = new QHBoxLayout;
  auto* remove = dialogButton(QStringLiteral("deleteObject"), QStringLiteral("削除"));
  auto* removeAll = dialogButton(QStringLiteral("deleteAllObjects"), QStringLiteral("全削除"));
  auto* ok = dialogButton(QStringLiteral("ok"), QStringLiteral("OK"), true);
  auto* cancel = dialogButton(QStringLiteral("cancel"), QStringLiteral("ｷｬﾝｾﾙ"));
  bottom->addWidget(remove);
  bottom->addWidget(removeAll);
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  top->addLayout(bottom);

  bindButton(animate, kAnimate);
  bindButton(remove, kDelete);
  bindButton(removeAll, kDeleteAll);
  bindButton(ok, kOk);
  bindButton(cancel, kCancel);
}

void ObjectDialog::display() {
  const map::ObjectEntry& entry = objects_[static_cast<std::size_t>(number_)];
  numberBox_->setText(QString::number(number_));
  for (int f = 0; f < editors::kObjectFrames; ++f) frames_[f]->setText(ui::toQString(entry[static_cast<std::size_t>(f)]));
  // A field naming no event of the map (or no speed) shows what it holds, unpicked.
  showItems(event_, editors::contactEventItems(events_), editors::contactEventRow(entry, events_),
            ui::toQString(entry[4]));
  showItems(speed_, editors::speedItems(), editors::speedRow(entry), ui::toQString(entry[5]));
  eventTouched_ = speedTouched_ = false;
  drawFrames();
  animation_->showTile(work_, frameRect(entry[0], split_));
}

void ObjectDialog::drawFrames() {
  for (int f = 0; f < editors::kObjectFrames; ++f) {
    const std::optional<text::Bytes> code = ui::toBytes(frames_[f]->text());
    previews_[f]->showTile(work_, code ? frameRect(*code, split_) : QRect());
  }
}

bool ObjectDialog::commit() {
  editors::ObjectInput input;
  for (int f = 0; f < editors::kObjectFrames; ++f) {
    std::optional<text::Bytes> typed = acceptedText(frames_[f]);
    if (!typed) return false;
    input.frames[static_cast<std::size_t>(f)] = *typed;
  }
  if (eventTouched_ && event_->currentIndex() >= 0) input.eventRow = event_->currentIndex();
  if (speedTouched_ && speed_->currentIndex() >= 0) input.speedRow = speed_->currentIndex();
  if (auto why = editors::commitObject(objects_, number_, input)) {
    showRefusal(*why);
    return false;
  }
  eventTouched_ = speedTouched_ = false;
  return true;
}

bool ObjectDialog::run() {
  while (handle(waitAction())) {
  }
  finish();
  return accepted_;
}

bool ObjectDialog::handle(int code) {
  if (code == kCancel) {
    objects_ = backup_;
    accepted_ = false;
    return false;
  }
  // A refused commit leaves the boxes as typed, for correction.
  if (!commit()) return true;
  switch (code) {
    case kOk:
      accepted_ = objects_ != backup_;
      return false;
    case kDelete:
      if (ui::askYesNo(QStringLiteral("オブジェクトを削除します｡\nよろしいですか?"), QStringLiteral("削除確認")))
        editors::deleteObject(objects_, number_);
      break;
    case kDeleteAll:
      if (ui::askYesNo(QStringLiteral("オブジェクトを全て削除します｡\nよろしいですか?"), QStringLiteral("全削除確認"))) {
        editors::deleteAllObjects(objects_);
        // Objects are numbered from 0 without gaps: the next one made is object 0.
        number_ = 0;
      }
      break;
    case kAnimate:
      animate();
      break;
    default:
      if (code > kBrowse && code < kBrowse + editors::kObjectFrames) browse(code - kBrowse);
      break;
  }
  display();
  return true;
}

void ObjectDialog::browse(int frame) {
  if (!picker_) return;
  // The main window takes the pick while the dialog is out of the way; waitAction
  // shows the dialog again.
  hide();
  std::optional<MapPick> picked = picker_->pick(PickSheet::Terrain);
  if (!picked) return;
  objects_[static_cast<std::size_t>(number_)][static_cast<std::size_t>(frame)] =
      event::pickedCharacterCode(picked->row, picked->column, picked->bank, split_);
}

void ObjectDialog::animate() {
  const map::ObjectEntry& entry = objects_[static_cast<std::size_t>(number_)];
  const std::vector<text::Bytes> frames = editors::animationFrames(entry);
  if (frames.empty()) return;
  // While the frames run, the dialog takes no other action; Escape ends them early.
  QEventLoop loop;
  QTimer timer;
  std::size_t shown = 0;
  auto step = [&] {
    if (shown >= frames.size() * kAnimationRounds) {
      loop.quit();
      return;
    }
    animation_->showTile(work_, frameRect(frames[shown % frames.size()], split_));
    ++shown;
  };
  connect(&timer, &QTimer::timeout, &loop, step);
  animating_ = true;
  const bool wasEnabled = isEnabled();
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) child->setEnabled(false);
  animation_->setEnabled(true);
  {
    ui::EscapeFilter escape(loop);
    step();
    timer.start(editors::framePauseMs(entry));
    loop.exec();
    timer.stop();
  }
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) child->setEnabled(wasEnabled);
  animating_ = false;
}

}  // namespace quillane::gui
