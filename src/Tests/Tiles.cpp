#include "Tests/Tiles.h"

#include "Tests/SceneParts.h"

#include <chrono>
#include <cmath>

namespace
{

constexpr int k_tileColumns = 80;
constexpr int k_tileRows = 3;
constexpr int k_pyramidBase = 15;

}  // namespace

Tiles::Tiles()
{
    const auto start = std::chrono::steady_clock::now();

    // One static body holding every tile; its top surface is y = 0.
    const float tileHalf = 0.5f;
    b2Body* ground = CreateStaticBody(world);
    for (int row = 0; row < k_tileRows; ++row)
    {
        for (int column = 0; column < k_tileColumns; ++column)
        {
            const b2Vec2 centre(-40.0f + tileHalf + 2.0f * tileHalf * static_cast<float>(column),
                                -tileHalf - 2.0f * tileHalf * static_cast<float>(row));
            b2PolygonShape tile;
            tile.SetAsBox(tileHalf, tileHalf, centre, 0.0f);
            ground->CreateFixture(&tile, 0.0f);
            ++m_fixtureCount;
        }
    }

    const float boxHalf = 0.5f;
    const b2PolygonShape box = MakeBox(boxHalf, boxHalf);
    for (int level = 0; level < k_pyramidBase; ++level)
    {
        const int count = k_pyramidBase - level;
        const float y = boxHalf + 2.0f * boxHalf * static_cast<float>(level);
        const float firstX = -boxHalf * static_cast<float>(count - 1) * 1.125f;
        for (int i = 0; i < count; ++i)
        {
            const float x = firstX + 2.25f * boxHalf * static_cast<float>(i);
            CreateDynamicBody(world, b2Vec2(x, y), box, 5.0f);
            ++m_fixtureCount;
        }
    }

    const std::chrono::duration<float, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    m_createTime = elapsed.count();
}

void Tiles::Step(Settings* settings)
{
    // A perfectly balanced tree over n leaves has 2n - 1 nodes and height ceil(log2(2n - 1)).
    const int leafCount = world->GetProxyCount();
    const int minimumHeight =
        leafCount > 0 ? static_cast<int>(std::ceil(std::log2(static_cast<float>(2 * leafCount - 1)))) : 0;
    DrawLine("dynamic tree height = %d, min = %d", world->GetTreeHeight(), minimumHeight);
    DrawLine("create time = %6.2f ms, fixture count = %d", m_createTime, m_fixtureCount);
    Test::Step(settings);
}
