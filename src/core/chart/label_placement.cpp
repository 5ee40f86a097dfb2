#include "chart/label_placement.h"

#include <algorithm>

namespace vantor {

bool TPixelBox::Intersects(const TPixelBox& other) const
{
    return Left < other.Right() && other.Left < Right() && Top < other.Bottom() && other.Top < Bottom();
}

bool TPixelBox::Within(const TPixelBox& area) const
{
    return Left >= area.Left && Top >= area.Top && Right() <= area.Right() && Bottom() <= area.Bottom();
}

TPixelBox CentredWithin(TPixelPoint centre, int width, int height, const TPixelBox& area)
{
    TPixelBox box{centre.X - width / 2, centre.Y - height / 2, width, height};
    if (width <= area.Width) box.Left = std::clamp(box.Left, area.Left, area.Right() - width);
    if (height <= area.Height) box.Top = std::clamp(box.Top, area.Top, area.Bottom() - height);
    return box;
}

std::optional<TPixelBox> TLabelPlacer::Place(const std::vector<TPixelBox>& candidates, const TPixelBox& area)
{
    for (const TPixelBox& box : candidates) {
        if (!box.Within(area)) continue;
        const bool blocked = std::any_of(m_occupied.begin(), m_occupied.end(),
                                         [&](const TPixelBox& taken) { return taken.Intersects(box); });
        if (blocked) continue;
        m_occupied.push_back(box);
        return box;
    }
    return std::nullopt;
}

}  // namespace vantor
