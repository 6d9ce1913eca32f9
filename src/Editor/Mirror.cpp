#include "Editor/Mirror.h"

#include "Editor/EditStep.h"
#include "Editor/Editor.h"
#include "Editor/WorldEdits.h"
#include "Physics/JointKinds.h"
#include "WorldDoc/WorldDoc.h"

#include <algorithm>
#include <set>

namespace
{

// The point `local` of the frame `from`, reflected about x = mirrorX, in the frame `to`. The
// frames' origins are subtracted before the point's own offset is added, so that a copy placed at
// the reflected origin gets its points as exactly as its source has them, however far out.
b2Vec2 MirroredPoint(const b2Transform& from, const b2Transform& to, const b2Vec2& local, float mirrorX)
{
    const b2Vec2 origin(2.0f * mirrorX - from.p.x, from.p.y);
    const b2Vec2 offset = b2Mul(from.q, local);
    return b2MulT(to.q, (origin - to.p) + b2Vec2(-offset.x, offset.y));
}

// The fixture's shape, read in the frame `from`, reflected and given in the frame `to`.
Physics::ShapeGeometry MirroredGeometry(const b2Fixture* fixture, const b2Transform& from, const b2Transform& to,
                                        float mirrorX)
{
    Physics::ShapeGeometry g = Physics::MapGeometry(
        Physics::GetGeometry(fixture), [&](const b2Vec2& p) { return MirroredPoint(from, to, p, mirrorX); });
    switch (g.type)
    {
    case b2Shape::e_polygon:
        std::reverse(g.points.begin(), g.points.end());
        return g;
    case b2Shape::e_chain:
        return Physics::ReverseChain(g);
    default:
        // Edges come out of the scene document two-sided: they collide on both sides whichever
        // way they run.
        return g;
    }
}

// The copy of `source` reflected about x = c.x, or null with the reason. Everything the copy
// needs is checked before it is built; a copy that still cannot be completed is removed again.
b2Body* MirrorBody(WorldEdits& edits, b2World* world, WorldDoc& doc, b2Body* source, const b2Vec2& c,
                   std::string& reason)
{
    const b2Vec2 position(2.0f * c.x - source->GetPosition().x, source->GetPosition().y);
    const float angle = source->GetAngle();
    const b2Transform placed(position, b2Rot(angle));
    reason = WorldEdits::checkPlacement(position, angle);
    for (const b2Fixture* f = source->GetFixtureList(); f != nullptr && reason.empty(); f = f->GetNext())
    {
        reason = Physics::CheckGeometry(MirroredGeometry(f, source->GetTransform(), placed, c.x));
    }
    if (!reason.empty())
    {
        return nullptr;
    }

    b2Body* copy = doc.j2b2Body(world, doc.b2j(source));
    if (copy == nullptr)
    {
        reason = "the scene reader refused it (the console says why)";
        return nullptr;
    }
    edits.adopt(copy);
    std::vector<Physics::GeometryChange> changes;
    if (edits.placeBody(copy, position, angle, &reason))
    {
        for (b2Fixture* f = copy->GetFixtureList(); f != nullptr; f = f->GetNext())
        {
            changes.push_back(mirrorFixture(source, f, c));
        }
        if (changes.empty() || edits.reshapeFixtures(changes, &reason))
        {
            return copy;
        }
    }
    edits.destroyBody(copy);
    return nullptr;
}

// The copy of a revolute joint between the copies of its bodies, with its limits reflected.
// The copies keep their sources' angles while their shapes are reflected, so every turn of a
// source body is a turn the other way of its copy: the copy's joint angle must be the negative
// of the source's. With joint angle = angle B - angle A - reference angle, that makes the
// copy's reference angle 2 (angle B - angle A) - the source's reference angle, and a rig at
// rest sits within the reflected limits exactly as far from each as the source does from its.
b2RevoluteJointDef MirroredRevolute(b2RevoluteJoint* joint, b2Body* copyA, b2Body* copyB, const b2Vec2& c)
{
    b2RevoluteJointDef def;
    def.bodyA = copyA;
    def.bodyB = copyB;
    def.collideConnected = joint->GetCollideConnected();
    def.localAnchorA = getMirroredPos(joint->GetBodyA(), copyA, joint->GetLocalAnchorA(), c);
    def.localAnchorB = getMirroredPos(joint->GetBodyB(), copyB, joint->GetLocalAnchorB(), c);
    def.referenceAngle = 2.0f * (copyB->GetAngle() - copyA->GetAngle()) - joint->GetReferenceAngle();
    def.enableLimit = joint->IsLimitEnabled();
    def.lowerAngle = -joint->GetUpperLimit();
    def.upperAngle = -joint->GetLowerLimit();
    def.enableMotor = joint->IsMotorEnabled();
    def.motorSpeed = joint->GetMotorSpeed();
    def.maxMotorTorque = joint->GetMaxMotorTorque();
    return def;
}

}  // namespace

b2Vec2 getMirroredPos(const b2Body* source, const b2Body* copy, const b2Vec2& local, const b2Vec2& c)
{
    return MirroredPoint(source->GetTransform(), copy->GetTransform(), local, c.x);
}

Physics::GeometryChange mirrorFixture(const b2Body* source, b2Fixture* fixture, const b2Vec2& c)
{
    Physics::GeometryChange change;
    change.fixture = fixture;
    change.geometry = MirroredGeometry(fixture, source->GetTransform(), fixture->GetBody()->GetTransform(), c.x);
    return change;
}

MirroredSet mirrorBodySet(WorldEdits& edits, b2World* world, const std::vector<b2Body*>& sources, const b2Vec2& c)
{
    MirroredSet set;
    WorldDoc doc(false);
    for (std::size_t i = 0; i < sources.size(); ++i)
    {
        std::string reason;
        b2Body* copy = MirrorBody(edits, world, doc, sources[i], c, reason);
        if (copy == nullptr)
        {
            set.problems.push_back("Could not mirror body " + std::to_string(i + 1) + " of the selection: " + reason);
            continue;
        }
        set.bodies.push_back(copy);
        set.bodyCopies[sources[i]] = copy;
    }

    // Each joint once, and only between two bodies that were copied.
    std::set<b2Joint*> handled;
    for (b2Body* source : sources)
    {
        for (b2JointEdge* edge = source->GetJointList(); edge != nullptr; edge = edge->next)
        {
            b2Joint* joint = edge->joint;
            if (Physics::GetJointType(joint) != e_revoluteJoint || !handled.insert(joint).second)
            {
                continue;
            }
            const auto copyA = set.bodyCopies.find(joint->GetBodyA());
            const auto copyB = set.bodyCopies.find(joint->GetBodyB());
            if (copyA == set.bodyCopies.end() || copyB == set.bodyCopies.end())
            {
                continue;
            }
            std::string reason;
            const b2RevoluteJointDef def =
                MirroredRevolute(static_cast<b2RevoluteJoint*>(joint), copyA->second, copyB->second, c);
            if (b2Joint* copy = edits.createJoint(def, &reason))
            {
                set.jointCopies[joint] = copy;
            }
            else
            {
                set.problems.push_back("Could not mirror a revolute joint: " + reason);
            }
        }
    }
    return set;
}

void Editor::mirror()
{
    const std::set<b2Body*>& selected = m_controlState.selectedBodies;
    if (m_editMethod != EM_BODIES || selected.empty() || m_world == nullptr)
    {
        return;
    }
    // The sources stay selected; the copies are not.
    const std::vector<b2Body*> sources(selected.begin(), selected.end());
    const std::size_t count = sources.size();
    EditStep step(m_edits, "mirror " + std::to_string(count) + (count == 1 ? " body" : " bodies"));
    for (const std::string& problem : mirrorBodySet(m_edits, m_world, sources, m_controlState.cursorPos).problems)
    {
        addMessage(problem, k_refusalColour);
    }
}
