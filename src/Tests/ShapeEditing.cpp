#include "Tests/ShapeEditing.h"

#include "Tests/SceneParts.h"

ShapeEditing::ShapeEditing()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    b2PolygonShape box = MakeBox(4.0f, 4.0f);
    m_body = CreateDynamicBody(world, b2Vec2(0.0f, 10.0f), box, 10.0f);
}

void ShapeEditing::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Press: (c) create a shape, (d) destroy a shape.");
}

void ShapeEditing::Keyboard(unsigned char key)
{
    if (m_body == nullptr)
    {
        return;
    }
    switch (key)
    {
    case 'c':
        if (m_extra == nullptr)
        {
            b2CircleShape circle = MakeCircle(3.0f);
            circle.m_p.Set(0.5f, -4.0f);
            m_extra = m_body->CreateFixture(&circle, 10.0f);
            m_body->SetAwake(true);
        }
        break;
    case 'd':
        if (m_extra != nullptr)
        {
            DestroyFixture(m_extra);
            m_body->SetAwake(true);
        }
        break;
    default:
        break;
    }
}

void ShapeEditing::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_body, body);
}

void ShapeEditing::FixtureDestroyed(b2Fixture* fixture)
{
    ForgetIfDestroyed(m_extra, fixture);
}
