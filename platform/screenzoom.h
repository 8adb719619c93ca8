#pragma once
// The zoom of every window of the program, on top of the screen's own scale. It is Qt's global
// scale factor (the one QT_SCALE_FACTOR sets at start) changed while the program runs: every
// window keeps its size in logical pixels and so grows on screen, its text and controls with it,
// and its widgets hear of a change of screen, so that the pictures are drawn again at the new
// device pixel ratio, never enlarged. Windows opened later open at the zoom.
//
// Qt offers this factor only as an internal entry of its Gui library, looked up when first
// needed: where it is missing the zoom stays at 1.
namespace platform {

// Whether the zoom can be changed here.
bool canZoom();
// 1 at start; the zoom set last.
double zoomFactor();
// Every window drawn at this zoom (1 to 4); false when it cannot be changed, or for a zoom out
// of range.
bool setZoomFactor(double zoom);

}  // namespace platform
