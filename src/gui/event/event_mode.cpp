#include "gui/event/event_mode.h"

#include <QPainter>
#include <QStringList>
#include <QToolTip>
#include <algorithm>

#include "core/data/map_context.h"
#include "core/data/project_database.h"
#include "core/event/event_codes.h"
#include "core/event/event_editing.h"
#include "core/map/map_document.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/event/event_pick.h"
#include "gui/event/script_editor.h"
#include "gui/map/canvas_host.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

ScriptEditorContext editorContext(app::ModeContext& c, FlagMapPicker* picker) {
  app::Workspace& ws = c.workspace;
  ScriptEditorContext ctx{ws.db, ws.projectFolder, data::mapContext(ws.db)};
  ctx.openMap = ws.map.get();
  ctx.openMapNumber = ws.map ? ws.mapIndex : -1;
  ctx.characterSheet = &c.host.canvas().sheets().character;
  ctx.terrainSheet = &c.host.canvas().sheets().work;
  ctx.picker = picker;
  ctx.parent = &c.window;
  return ctx;
}

void runStory(app::ModeContext& c, bool opening) {
  ScriptEditorContext ctx = editorContext(c, nullptr);
  data::Script& script = opening ? c.workspace.db.opening : c.workspace.db.ending;
  if (editStoryScript(ctx, script, opening ? ScriptEditorMode::Opening : ScriptEditorMode::Ending) ==
      ScriptEditorOutcome::Ok)
    c.workspace.databaseModified = true;
}

}  // namespace

void EventCellDecorator::decorate(QImage& image, int row, int column) {
  const map::MapDocument* doc = canvas_.document();
  if (!doc || row < 0 || column < 0 || row >= event::kGridSize || column >= event::kGridSize) return;
  const event::EventCell& cell = doc->events.grid.at(column, row);
  if (!cell.hasEvent()) return;
  const auto pos = event::parseCharacterCode(cell.character);
  if (!pos || pos->row > 15) return;
  QPainter painter(&image);
  painter.drawImage(QPoint(column * kTile, row * kTile), canvas_.sheets().character,
                    QRect(pos->column * kTile, pos->row * kTile, kTile, kTile));
}

// Shown in the tool field: a click opens or sets an event, a drag moves it.
QString EventModeTool::name() const { return u("ドラッグで移動"); }

void EventModeTool::press(CanvasHost& host, const CanvasPoint& at) {
  pressed_ = at.button == Qt::LeftButton && at.actsOnMap() && host.workspace().map;
  pressColumn_ = at.column;
  pressRow_ = at.row;
  dragEvent_ = -1;
  QToolTip::hideText();
}

QString eventTooltip(const event::MapEvents& events, int number) {
  if (number < 0 || number > events.lastNumber) return {};
  const event::EventRecord& r = events.records[static_cast<std::size_t>(number)];
  const event::EventCell& cell = events.grid.at(r.x, r.y);
  const int speed = event::shownSpeed(r.speed);
  return u("イベント %1　（X %2, Y %3）\nキャラクタNo. %4\n移動 %5\n速度 %6\n%7")
      .arg(number)
      .arg(r.x)
      .arg(r.y)
      .arg(ui::toQString(cell.character), ui::toQString(event::movementDisplayName(cell.movement)),
           speed > 0 ? QString::number(speed) : QString::number(r.speed), ui::toQString(r.lines[0].message));
}

void EventModeTool::move(CanvasHost& host, const CanvasPoint& at) {
  MapView& view = context_.window.view();
  const app::Workspace& ws = host.workspace();
  if (!ws.map) return;
  if (pressed_ && (at.buttons & Qt::LeftButton)) {
    // A drag from an event carries its picture until the release.
    const int pressedEvent = event::eventAt(ws.map->events, pressColumn_, pressRow_);
    if (pressedEvent >= 0 && (at.column != pressColumn_ || at.row != pressRow_ || dragEvent_ >= 0)) {
      dragEvent_ = pressedEvent;
      dragAt_ = at.view;
      view.update();
    }
    return;
  }
  const int number = at.actsOnMap() ? event::eventAt(ws.map->events, at.column, at.row) : -1;
  const QString tip = eventTooltip(ws.map->events, number);
  if (tip == view.toolTip()) return;
  view.setToolTip(tip);
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else if (QToolTip::isVisible()) {
    QToolTip::showText(view.mapToGlobal(at.view), tip, &view);
  }
}

void EventModeTool::deactivate(CanvasHost&) {
  pressed_ = false;
  dragEvent_ = -1;
  context_.window.view().setToolTip({});
}

void EventModeTool::paintOverlay(CanvasHost& host, QPainter& painter, double cell) {
  const app::Workspace& ws = host.workspace();
  if (!ws.map) return;
  const event::MapEvents& events = ws.map->events;
  const MapView& view = context_.window.view();
  // The numbers keep a readable size at every zoom: small cells get a label that
  // reaches over the next cell rather than a text too small to read.
  QFont font = painter.font();
  font.setPixelSize(std::clamp(static_cast<int>(cell * 0.34), 9, 13));
  font.setBold(true);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int last = std::min(events.lastNumber, event::kMaxEventNumber);
  for (int n = 0; n <= last; ++n) {
    const event::EventRecord& r = events.records[static_cast<std::size_t>(n)];
    const double x = (r.x - view.scrollColumn()) * cell;
    const double y = (r.y - view.scrollRow()) * cell;
    if (x + cell <= 0 || y + cell <= 0 || x >= view.width() || y >= view.height()) continue;
    const QString text = QString::number(n);
    const QRectF label(x, y, metrics.horizontalAdvance(text) + 4, metrics.height());
    painter.fillRect(label, QColor(0, 0, 0, 170));
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, text);
  }
  if (dragEvent_ >= 0 && dragEvent_ <= last) {
    const event::EventRecord& r = events.records[static_cast<std::size_t>(dragEvent_)];
    const auto pos = event::parseCharacterCode(events.grid.at(r.x, r.y).character);
    if (pos && pos->row <= 15) {
      painter.setOpacity(0.75);
      painter.drawImage(QRectF(dragAt_.x() - cell / 2, dragAt_.y() - cell / 2, cell, cell), host.canvas().sheets().character,
                        QRectF(pos->column * kTile, pos->row * kTile, kTile, kTile));
      painter.setOpacity(1.0);
    }
  }
}

void EventModeTool::release(CanvasHost& host, const CanvasPoint& at) {
  if (!pressed_ || at.button != Qt::LeftButton) return;
  pressed_ = false;
  if (dragEvent_ >= 0) {
    dragEvent_ = -1;
    context_.window.view().update();
  }
  app::Workspace& ws = host.workspace();
  event::MapEvents& events = ws.map->events;
  const int pressed = event::eventAt(events, pressColumn_, pressRow_);
  const bool sameCell = at.column == pressColumn_ && at.row == pressRow_;
  if (!sameCell) {
    // A drag from an event onto an empty cell of the map moves it; anything else is no
    // gesture.
    if (pressed < 0 || !at.actsOnMap()) return;
    if (event::moveEvent(events, pressColumn_, pressRow_, at.column, at.row)) {
      host.canvas().drawCell(pressRow_, pressColumn_);
      host.canvas().drawCell(at.row, at.column);
      host.markMapModified();
      host.refreshView();
    }
    return;
  }
  clickColumn_ = at.column;
  clickRow_ = at.row;
  context_.window.post(QStringLiteral("EVO"));
}

void EventModeTool::clickCell() {
  app::Workspace& ws = context_.host.workspace();
  const int column = clickColumn_;
  const int row = clickRow_;
  clickColumn_ = clickRow_ = -1;
  if (!ws.map || column < 0 || row < 0) return;
  const int number = event::eventAt(ws.map->events, column, row);
  if (number >= 0) {
    openEvent(number);
  } else if (!ws.map->events.grid.at(column, row).hasEvent()) {
    createAt(column, row);
  }
}

void EventModeTool::createAt(int column, int row) {
  CanvasHost& host = context_.host;
  app::Workspace& ws = host.workspace();
  event::MapEvents& events = ws.map->events;
  const event::NewEventRefusal refusal = event::checkNewEvent(events, column, row, ws.db.max.events);
  if (refusal == event::NewEventRefusal::Capacity) {
    ui::messageBox(u("このマップのイベントは%1番までです。これ以上イベントを設定できません")
                       .arg(event::eventNumberLimit(ws.db.max.events)),
                   u("イベント設定"), ui::Buttons::Ok, ui::Icon::Exclamation);
    return;
  }
  if (refusal != event::NewEventRefusal::None) return;
  const QRect brush = host.palette().brush();
  const text::Bytes code = event::characterCodeOf(brush.top(), brush.left());
  if (event::checkCharacterCode(code).error != event::CharacterCodeError::None) {
    // Picture "99" would end the map's event list when the game reads it.
    ui::messageBox(u("キャラクタNo.「99」はイベントの終わりを表すため設定できません\n別のキャラクタを選択してください"),
                   u("イベント設定"), ui::Buttons::Ok, ui::Icon::Exclamation);
    return;
  }
  const int n = events.lastNumber + 1;
  if (!ui::askYesNo(QString::number(n) + u("番のイベントを設定します"), u("イベント設定"))) return;
  event::createEvent(events, column, row, code, static_cast<int>(ws.db.initial.standardSpeed));
  host.markMapModified();
  host.canvas().drawCell(row, column);
  host.refreshView();
  openEvent(n);
}

void EventModeTool::openEvent(int number) {
  CanvasHost& host = context_.host;
  app::Workspace& ws = host.workspace();
  if (!ws.map) return;
  current_ = number;
  const event::EventRecord& r = ws.map->events.records[static_cast<std::size_t>(number)];
  const int column = r.x;
  const int row = r.y;
  CanvasMapPicker picker(host);
  ScriptEditorContext ctx = editorContext(context_, &picker);
  const ScriptEditorOutcome outcome = editEvent(ctx, number);
  if (outcome == ScriptEditorOutcome::Deleted) {
    current_ = 0;
    host.rebuildCanvas();
  } else if (outcome == ScriptEditorOutcome::Ok) {
    host.canvas().drawCell(row, column);
    host.refreshView();
  }
}

void registerEventModes(app::ModeRegistry& registry) {
  // One decorator for the window's canvas, added when the first map is installed and
  // kept by the window's registry for the window's life.
  auto decorator = std::make_shared<std::unique_ptr<EventCellDecorator>>();
  registry.onMapChanged([decorator](app::ModeContext& c) {
    if (*decorator) return;
    *decorator = std::make_unique<EventCellDecorator>(c.host.canvas());
    c.host.canvas().addDecorator(decorator->get());
    if (c.workspace.map && (c.host.mode() == kGroundMode || c.host.mode() == kEventMode || c.host.mode() == kSkyMode))
      c.host.rebuildCanvas();
  });
  registry.canvasTool(kEventMode, [](app::ModeContext& c) -> std::unique_ptr<CanvasTool> {
    return std::make_unique<EventModeTool>(c);
  });
  registry.mapCommand(QStringLiteral("EVO"), {kEventMode}, [](app::ModeContext& c) {
    if (auto* tool = dynamic_cast<EventModeTool*>(c.host.tool())) tool->clickCell();
  });
  registry.mapCommand(QStringLiteral("EVS"), {kEventMode}, [](app::ModeContext& c) {
    auto* tool = dynamic_cast<EventModeTool*>(c.host.tool());
    app::Workspace& ws = c.workspace;
    if (!tool || !ws.map) return;
    const event::MapEvents& events = ws.map->events;
    if (events.lastNumber < 0) {
      // Said over the map without covering it: the next click or command takes it away.
      c.host.showNote(u("　このマップにはイベントが設定されていません"), true);
      return;
    }
    QStringList items;
    for (const auto& row : event::eventChooserRows(events)) items << ui::toQString(row);
    const int preselect = std::min(tool->currentEvent(), events.lastNumber) + 1;
    const int chosen = c.window.chooseFromList({}, items, 27, preselect);
    if (chosen <= 0) return;
    const int n = chosen - 1;
    const event::EventRecord& r = events.records[static_cast<std::size_t>(n)];
    MapView& view = c.window.view();
    view.setScroll(event::centredOrigin(r.x, view.visibleColumns(), ws.map->width),
                   event::centredOrigin(r.y, view.visibleRows(), ws.map->height));
    c.host.refreshView();
    tool->openEvent(n);
  });
  registry.dialogMode(9, [](app::ModeContext& c) { runStory(c, true); });
  registry.dialogMode(10, [](app::ModeContext& c) { runStory(c, false); });
}

}  // namespace quillane::gui
