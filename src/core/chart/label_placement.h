#pragma once

// Where a chart's texts go so that none covers another: each label is offered a few places in
// order of preference and takes the first that stays within its area and overlaps nothing
// placed before it; a label with no such place is left out.

#include "chart/chart_layout.h"

#include <optional>
#include <vector>

namespace vantor {

// A rectangle of pixels: Left and Top included, Width × Height in size.
struct TPixelBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }    // first column past the box
    int Bottom() const { return Top + Height; }   // first row past the box
    bool Intersects(const TPixelBox& other) const;
    bool Within(const TPixelBox& area) const;
};

// A box of width × height centred on a pixel, shifted as little as needed to lie within
// area (a box larger than the area keeps its centre).
TPixelBox CentredWithin(TPixelPoint centre, int width, int height, const TPixelBox& area);

class TLabelPlacer {
public:
    // A text already drawn that later labels must keep clear of.
    void Occupy(const TPixelBox& box) { m_occupied.push_back(box); }
    // The first candidate within area that overlaps nothing placed, which is then occupied;
    // nothing when every candidate is blocked.
    std::optional<TPixelBox> Place(const std::vector<TPixelBox>& candidates, const TPixelBox& area);
    const std::vector<TPixelBox>& Occupied() const { return m_occupied; }

private:
    std::vector<TPixelBox> m_occupied;
};

}  // namespace vantor
