#pragma once
// The painting tools of paint_tools.h and the "取消" swap, each also recording what it
// changed in the edit history. The tools themselves stay as they are: the codes from
// before are taken from the area an edit can reach (a brush, a block, a rectangle), or
// are the one code a fill replaces, and the changed cells come from the tool's result.
#include "core/map/edit_history.h"
#include "core/map/paint_tools.h"
#include "core/map/undo_buffer.h"

namespace quillane::map {

// A pen stamp on `layer`; joins the history's open step (the stroke), or is a step of
// its own when none is open.
ChangedCells recordedStamp(EditHistory& history, TileLayer& layer, LayerKind kind, MapExtent extent,
                           const Brush& brush, CellPos at);
// A paste of the copy block, a rectangle and a fill on the ground layer: one step each.
ChangedCells recordedPaste(EditHistory& history, TileLayer& ground, MapExtent extent, const CopyBuffer& block,
                           CellPos at);
ChangedCells recordedRectangle(EditHistory& history, TileLayer& ground, MapExtent extent, CellPos cornerA,
                               CellPos cornerB, TileCode code);
// The fill works in the caller's scratch (the result is scratch.changes).
const ChangedCells& recordedFill(EditHistory& history, TileLayer& ground, MapExtent extent, CellPos start,
                                 TileCode code, FillScratch& scratch);
// Records a fill that changed `changes` from `old` to `code` as one step.
void recordFill(EditHistory& history, const ChangedCells& changes, TileCode old, TileCode code);
// "取消": swaps the ground layer with the undo buffer, exactly as UndoBuffer::undo does,
// and records the swap as a step, so that the history stays true to the layer.
ChangedCells recordedSwap(EditHistory& history, UndoBuffer& buffer, TileLayer& ground, MapExtent extent);
// A session of the map-properties dialog that kept the map's size: one step when it
// changed anything.
void recordProperties(EditHistory& history, const PropertiesSnapshot& before, const MapDocument& map,
                      const data::ProjectDatabase& db);

}  // namespace quillane::map
