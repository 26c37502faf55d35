// quillane-tool render: one map as a PNG picture, drawn by the editor's own canvas code.
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <filesystem>

#include "cli/project_commands.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/map/map_files.h"
#include "gui/map/map_render.h"
#include "gui/ui/text_bridge.h"

namespace quillane::cli {

int runRender(const Options& o, int argc, char** argv) {
  data::ProjectDatabase db;
  data::RandomSource random;
  bool registered = false;
  if (!loadLikeEditor(o, db, random, registered)) return 2;
  const int number = o.map.value_or(0);
  if (!map::mapExists(o.folder, number)) {
    std::printf("map %d: no such map\n", number);
    return 2;
  }
  map::MapDocument doc;
  try {
    doc = map::readMap(o.folder, number, data::mapContext(db));
  } catch (const text::ReadError& e) {
    std::printf("%s\n", text::toUtf8(data::describe(e)).c_str());
    return 2;
  }

  // Pictures are drawn without any window: the offscreen platform serves the painter.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList messages;
  QImage image = gui::renderMap(o.folder, std::filesystem::current_path(), db, doc, o.render, messages);
  for (const QString& m : messages) std::fprintf(stderr, "%s\n", m.toUtf8().constData());
  QImageWriter writer(QString::fromStdString(o.out), "png");
  if (!writer.write(image)) {
    std::printf("%s: %s\n", o.out.c_str(), writer.errorString().toUtf8().constData());
    return 1;
  }
  std::printf("%s: %d x %d\n", o.out.c_str(), image.width(), image.height());
  return 0;
}

}  // namespace quillane::cli
