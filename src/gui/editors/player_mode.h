#pragma once
// Player mode ("PLM"): the record choice of the players and the player dialog.
namespace quillane::app {
class ModeRegistry;
}

namespace quillane::gui {

inline constexpr int kPlayerMode = 3;

// Plugs player mode (3) into the main window.
void registerPlayerMode(app::ModeRegistry& registry);

}  // namespace quillane::gui
