#include "Tests/OneSidedPlatform.h"

#include "Tests/SceneParts.h"

namespace
{

constexpr float k_platformHalfHeight = 0.5f;

}  // namespace

OneSidedPlatform::OneSidedPlatform()
{
    CreateGroundEdge(world, -20.0f, 20.0f);

    const b2PolygonShape platform = MakeBox(3.0f, k_platformHalfHeight);
    m_platform = CreateStaticBody(world, b2Vec2(0.0f, 10.0f))->CreateFixture(&platform, 0.0f);

    b2Body* character = CreateDynamicBody(world, b2Vec2(0.0f, 2.0f), MakeCircle(0.5f), 20.0f);
    character->SetLinearVelocity(b2Vec2(0.0f, 16.0f));
    m_character = character->GetFixtureList();
}

void OneSidedPlatform::PreSolve(b2Contact* contact, const b2Manifold* oldManifold)
{
    Test::PreSolve(contact, oldManifold);
    if (!m_platform || !m_character)
    {
        return;
    }

    const b2Fixture* fixtureA = contact->GetFixtureA();
    const b2Fixture* fixtureB = contact->GetFixtureB();
    const bool platformAndCharacter = (fixtureA == m_platform && fixtureB == m_character) ||
                                      (fixtureA == m_character && fixtureB == m_platform);
    if (!platformAndCharacter)
    {
        return;
    }

    // The platform holds the character only once its lowest point has cleared the top.
    const float top = m_platform->GetBody()->GetPosition().y + k_platformHalfHeight;
    const float radius = m_character->GetShape()->m_radius;
    if (m_character->GetBody()->GetPosition().y < top + radius - 0.015f)
    {
        contact->SetEnabled(false);
    }
}

void OneSidedPlatform::FixtureDestroyed(b2Fixture* fixture)
{
    ForgetIfDestroyed(m_platform, fixture);
    ForgetIfDestroyed(m_character, fixture);
}
