// What both sliders do while they are dragged. Neither follows the pointer's position: the
// value moves by the distance the pointer travels, with the cursor hidden and, for the mouse,
// put back at the press point after every move, so that a drag never runs out of screen.
// [ui thread]
#pragma once

#include <cstdint>

#include "controls/win/Win32.h"

class CNWControl;
class CNWControlSite;

class CNWSliderDrag {
public:
    // With sensitivity 1.0, 128 pixels sweep the whole range.
    static constexpr double kShareOfRangePerPixel = 0.0078125;
    static constexpr double kMinSensitivity = 0.01;
    static constexpr double kMaxSensitivity = 10.0;

    // Where a move is measured from. With the cursor put back after every move this is the
    // press point, so each move brings exactly the distance travelled since the last one.
    // Touch and pen are not put back: measuring them from the press point as well would add
    // the whole way from the press again at every move, so they are measured from the last
    // move instead, and the value follows the finger as it follows the mouse.
    static POINT Reference(bool warpCursor, POINT pressPoint, POINT lastPoint) {
        return warpCursor ? pressPoint : lastPoint;
    }
    // Pixels from `reference` to `point` toward higher values: up on a vertical slider, right
    // on a horizontal one.
    static int TowardHigher(POINT point, POINT reference, bool horizontal) {
        return horizontal ? point.x - reference.x : reference.y - point.y;
    }
    static double Delta(double range, int towardHigher, double sensitivity) {
        return range * towardHigher * sensitivity * kShareOfRangePerPixel;
    }
    // Into [0.01, 10.0]; a NaN becomes the lower bound.
    static double ClampSensitivity(double candidate);

    // Decided at every press from the device that pressed.
    static uint8_t WarpForCurrentInput();
    // The start of a drag: the cursor goes (through the site, which remembers its display
    // count) and the tracking tip shows when the control's style asks for one.
    static void Begin(CNWControl& control);
    // Puts the cursor on a point of the host window's client area.
    static void WarpCursorTo(const CNWControlSite& site, POINT clientPoint);
    // The end of a drag: the cursor comes back and the tracking tip goes.
    static void End(CNWControl& control);
};
