#include "layout.h"

#include <algorithm>
#include <cmath>

namespace layout {
namespace {

constexpr double kDrawnCharWidth = 6.0;
constexpr double kDrawnCharHeight = 13.0;

int ToPixel(int twips, double scale) {
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

}  // namespace

wxRect ToPixels(TwipRect rect, double scale) {
    const int left = ToPixel(rect.left, scale);
    const int top = ToPixel(rect.top, scale);
    return {left, top, ToPixel(rect.left + rect.width, scale) - left,
            ToPixel(rect.top + rect.height, scale) - top};
}

wxSize ToPixels(TwipSize size, double scale) {
    return {ToPixel(size.width, scale), ToPixel(size.height, scale)};
}

double FontScale(double averageCharWidth, double charHeight) {
    return std::max({1.0, averageCharWidth / kDrawnCharWidth, charHeight / kDrawnCharHeight});
}

double FitScale(wxSize available, wxSize frameEdges) {
    const wxSize client = ToPixels(kClientArea, 1.0);
    return std::min((available.x - frameEdges.x) / static_cast<double>(client.x),
                    (available.y - frameEdges.y) / static_cast<double>(client.y));
}

}  // namespace layout
