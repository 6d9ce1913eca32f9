#include "Tests/PolyShapes.h"

#include "Physics/BodyState.h"
#include "Tests/RandomNumbers.h"
#include "Tests/SceneParts.h"
#include "Tests/ShapeOutline.h"

#include <algorithm>

namespace
{

// The query circle is given in world coordinates.
const b2Transform k_identity(b2Vec2(0.0f, 0.0f), b2Rot(0.0f));

// Collects the fixtures whose shape (any child of it) overlaps a circle.
class CircleOverlapQuery : public b2QueryCallback
{
public:
    CircleOverlapQuery(const b2CircleShape& circle, std::vector<b2Fixture*>& found)
        : m_circle(circle), m_found(found)
    {
    }

    bool ReportFixture(b2Fixture* fixture) override
    {
        if (std::find(m_found.begin(), m_found.end(), fixture) != m_found.end())
        {
            return true;  // a chain is reported once per child
        }
        const b2Shape* shape = fixture->GetShape();
        const b2Transform& xf = fixture->GetBody()->GetTransform();
        for (int32 child = 0; child < shape->GetChildCount(); ++child)
        {
            if (b2TestOverlap(&m_circle, 0, shape, child, k_identity, xf))
            {
                m_found.push_back(fixture);
                break;
            }
        }
        return true;
    }

private:
    const b2CircleShape& m_circle;
    std::vector<b2Fixture*>& m_found;
};

}  // namespace

PolyShapes::PolyShapes()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    // Just clear of the ground, so only dropped shapes resting near the middle touch it.
    m_queryCircle.m_p.Set(0.0f, 1.1f);
    m_queryCircle.m_radius = 1.0f;
}

b2Vec2 PolyShapes::DropPosition()
{
    return b2Vec2(RandomFloat(-2.0f, 2.0f), 10.0f);
}

void PolyShapes::Keyboard(unsigned char key)
{
    if (key == 'a')
    {
        ToggleEverySecondBody();
    }
    else
    {
        DroppingShapes::Keyboard(key);
    }
}

void PolyShapes::ToggleEverySecondBody()
{
    for (int slot = 0; slot < k_maxBodies; slot += 2)
    {
        if (b2Body* body = GetDroppedBody(slot))
        {
            Physics::SetBodyActive(body, !Physics::IsBodyActive(body));
        }
    }
}

void PolyShapes::MarkOverlappingFixtures()
{
    m_marked.clear();
    b2AABB box;
    m_queryCircle.ComputeAABB(&box, k_identity, 0);
    CircleOverlapQuery query(m_queryCircle, m_marked);
    world->QueryAABB(&query, box);
}

void PolyShapes::Step(Settings* settings)
{
    Test::Step(settings);

    MarkOverlappingFixtures();
    debugDraw.DrawCircle(m_queryCircle.m_p, m_queryCircle.m_radius, b2Color(0.4f, 0.7f, 0.8f));
    for (b2Fixture* fixture : m_marked)
    {
        DrawShapeOutline(debugDraw, *fixture->GetShape(), fixture->GetBody()->GetTransform(),
                         b2Color(0.95f, 0.95f, 0.6f));
    }

    DrawLine("Press 1-5 to drop stuff");
    DrawLine("Press 'a' to (de)activate some bodies");
    DrawLine("Press 'd' to destroy a body");
}

void PolyShapes::FixtureDestroyed(b2Fixture* fixture)
{
    m_marked.erase(std::remove(m_marked.begin(), m_marked.end(), fixture), m_marked.end());
}
