#include "Framework/ViewTransform.h"

#include <algorithm>

ViewBounds ComputeViewBounds(const b2Vec2& center, float zoom, int viewportWidth, int viewportHeight)
{
    float ratio = static_cast<float>(viewportWidth) / static_cast<float>(std::max(viewportHeight, 1));
    b2Vec2 extents(ratio * 25.0f * zoom, 25.0f * zoom);
    return ViewBounds{center - extents, center + extents};
}

b2Vec2 ScreenToWorld(const ViewBounds& bounds, int x, int y, int viewportWidth, int viewportHeight)
{
    float u = static_cast<float>(x) / static_cast<float>(std::max(viewportWidth, 1));
    float v = static_cast<float>(viewportHeight - y) / static_cast<float>(std::max(viewportHeight, 1));
    return b2Vec2((1.0f - u) * bounds.lower.x + u * bounds.upper.x,
                  (1.0f - v) * bounds.lower.y + v * bounds.upper.y);
}
