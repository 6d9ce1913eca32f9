#include "Tests/Breakable.h"

#include "Tests/SceneParts.h"

namespace
{

// Normal impulse (N·s) of a single contact that breaks the body.
constexpr float k_breakingImpulse = 40.0f;

}  // namespace

Breakable::Breakable()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    m_body = CreateDynamicBody(world, b2Vec2(0.0f, 40.0f), 0.25f * b2_pi);

    b2PolygonShape box;
    box.SetAsBox(0.5f, 0.5f, b2Vec2(-0.5f, 0.0f), 0.0f);
    m_piece1 = m_body->CreateFixture(&box, 1.0f);
    box.SetAsBox(0.5f, 0.5f, b2Vec2(0.5f, 0.0f), 0.0f);
    m_piece2 = m_body->CreateFixture(&box, 1.0f);
}

void Breakable::PostSolve(b2Contact* contact, const b2ContactImpulse* impulse)
{
    if (m_broken || m_body == nullptr)
    {
        return;
    }
    // Only blows the body itself takes count; a bomb hitting the ground elsewhere does not.
    if (contact->GetFixtureA()->GetBody() != m_body && contact->GetFixtureB()->GetBody() != m_body)
    {
        return;
    }
    float largest = 0.0f;
    for (int32 i = 0; i < impulse->count; ++i)
    {
        largest = b2Max(largest, impulse->normalImpulses[i]);
    }
    if (largest > k_breakingImpulse)
    {
        m_hitHard = true;
    }
}

void Breakable::Step(Settings* settings)
{
    if (m_hitHard)
    {
        Break();
    }
    if (!m_broken && m_body != nullptr)
    {
        m_velocity = m_body->GetLinearVelocity();
        m_angularVelocity = m_body->GetAngularVelocity();
    }
    Test::Step(settings);
}

void Breakable::Break()
{
    m_hitHard = false;
    if (m_body == nullptr || m_piece1 == nullptr || m_piece2 == nullptr)
    {
        return;
    }

    // The fixture cannot change bodies: copy it, destroy it and build it again on a new body.
    b2BlockAllocator allocator;
    b2Shape* shape = m_piece2->GetShape()->Clone(&allocator);
    b2FixtureDef fd;
    fd.shape = shape;
    fd.density = m_piece2->GetDensity();
    fd.friction = m_piece2->GetFriction();
    fd.restitution = m_piece2->GetRestitution();
    fd.restitutionThreshold = m_piece2->GetRestitutionThreshold();
    fd.isSensor = m_piece2->IsSensor();
    fd.filter = m_piece2->GetFilterData();
    b2Vec2 center = m_body->GetWorldCenter();
    DestroyFixture(m_piece2);

    b2BodyDef bd;
    bd.type = m_body->GetType();
    bd.position = m_body->GetPosition();
    bd.angle = m_body->GetAngle();
    b2Body* body2 = world->CreateBody(&bd);
    body2->CreateFixture(&fd);
    shape->~b2Shape();

    // The energy of the blow went into breaking: both pieces go on moving as their part of the
    // whole body moved before it was hit.
    for (b2Body* piece : {m_body, body2})
    {
        piece->SetLinearVelocity(m_velocity + b2Cross(m_angularVelocity, piece->GetWorldCenter() - center));
        piece->SetAngularVelocity(m_angularVelocity);
    }
    m_broken = true;
}

void Breakable::BodyDestroyed(b2Body* body)
{
    if (body == m_body)
    {
        m_body = nullptr;
        m_hitHard = false;
    }
}

void Breakable::FixtureDestroyed(b2Fixture* fixture)
{
    ForgetIfDestroyed(m_piece1, fixture);
    ForgetIfDestroyed(m_piece2, fixture);
}
