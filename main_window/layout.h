#pragma once

#include <wx/gdicmn.h>

// The window's designed layout, in twips (1/1440 inch; 15 twips are one pixel at
// 96 DPI), measured inside the client area from its top-left corner.
namespace layout {

struct TwipSize {
    int width;
    int height;
};

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;

inline constexpr TwipSize kClientArea{9105, 8565};
// Where the client area's top-left corner was placed on the screen.
inline constexpr TwipSize kScreenPlace{3060, 1305};

inline constexpr TwipRect kInputData{6720, 360, 2055, 495};
inline constexpr TwipRect kResults{6720, 1080, 2055, 495};
inline constexpr TwipRect kClear{6720, 1800, 2055, 495};
inline constexpr TwipRect kEnd{6720, 2520, 2055, 495};
inline constexpr TwipRect kResultsLabel{240, 6000, 615, 255};
inline constexpr TwipRect kDataLabel{240, 120, 1215, 255};
inline constexpr TwipRect kResultBox{240, 6360, 8535, 1815};
inline constexpr TwipRect kTable{240, 480, 6255, 5295};

// Device-independent pixels at 96 DPI, multiplied by scale. Edges are rounded,
// not sizes, so controls that touch in twips still touch in pixels.
wxRect ToPixels(TwipRect rect, double scale);
wxSize ToPixels(TwipSize size, double scale);

// The layout's reference font has an average character of 6 x 13 DIPs, a
// compact dialog font at 96 DPI: the twip sizes fit every caption and number
// in it with nothing to spare. A larger default font gets a proportionally
// larger window, so that nothing is clipped; a font of the reference size or
// smaller keeps the layout at its reference size. Both arguments are in DIPs.
double FontScale(double averageCharWidth, double charHeight);

// The largest factor at which the client area, with the frame's edges around
// it, fits in the available size. Both arguments are in DIPs.
double FitScale(wxSize available, wxSize frameEdges);

}  // namespace layout
