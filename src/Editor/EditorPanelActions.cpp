// The panel's buttons: apply the typed body, fixture and joint values to the selection, create
// a body, a fixture or a joint at the cursor, name the selection. Every value and every
// selected object is checked before the first change, so a refused action changes nothing at
// all; afterwards the panel is refreshed to show what the world now holds.
#include "Editor/Editor.h"

#include "Editor/EditStep.h"
#include "Editor/PanelValueChecks.h"
#include "Physics/Ghosts.h"
#include "Physics/Guards.h"
#include "Physics/Polygon.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace
{

// The mass the library gives the body once its type is `type`: none unless it is dynamic, then
// its fixtures' (1 when they have none). Only for bodies whose mass CheckMassReset accepts.
float MassAfter(const b2Body* body, b2BodyType type)
{
    if (type != b2_dynamicBody)
    {
        return 0.0f;
    }
    if (body->GetType() == b2_dynamicBody)
    {
        return body->GetMass();
    }
    float mass = 0.0f;
    for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        if (f->GetDensity() > 0.0f)
        {
            b2MassData data;
            f->GetMassData(&data);
            mass += data.mass;
        }
    }
    return mass > 0.0f ? mass : 1.0f;
}

// Why the panel's body values cannot be applied to `body`; empty when they can.
std::string CheckBodyChange(const b2Body* body, const _panelInput& in)
{
    Physics::MassChange change(*body);
    if (in.bodyType != -1)
    {
        change.type = static_cast<b2BodyType>(in.bodyType);
    }
    if (!KeepsFlag(in.bodyFixedRotation))
    {
        change.fixedRotation = in.bodyFixedRotation != 0;
    }
    const std::string reason = Physics::CheckMassReset(*body, change);
    if (!reason.empty())
    {
        return "Body settings refused: " + reason + ".";
    }
    const float current = in.bodyMass != k_unsetFloat ? MassAfter(body, change.type) : 0.0f;
    if (current == 0.0f)
    {
        return {};
    }
    change.densityScale = in.bodyMass / current;
    for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        if (!Physics::IsNonNegative(f->GetDensity() * change.densityScale))
        {
            return "Mass is too large for the body's fixtures: nothing was changed.";
        }
    }
    return Physics::CheckMassReset(*body, change).empty() ? std::string()
                                                          : "Mass is too large for the body's fixtures: nothing was changed.";
}

// Why the panel's density cannot be given to `fixture`; empty when it can.
std::string CheckDensityChange(const b2Fixture* fixture, float density)
{
    b2FixtureDef replacement;
    replacement.shape = fixture->GetShape();
    replacement.density = density;
    const b2Body* body = fixture->GetBody();
    Physics::MassChange change(*body);
    change.removed = fixture;
    change.added = &replacement;
    const std::string reason = Physics::CheckMassReset(*body, change);
    return reason.empty() ? reason : "Fixture settings refused: " + reason + ".";
}

// `count` points on a circle of radius 1/sqrt(2) around p, the first at `firstDegrees`.
std::vector<b2Vec2> RegularPoints(const b2Vec2& p, int count, float firstDegrees)
{
    std::vector<b2Vec2> points;
    for (int i = 0; i < count; ++i)
    {
        const float a = (firstDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(count)) * b2_pi / 180.0f;
        points.push_back(p + 0.70710677f * b2Vec2(std::cos(a), std::sin(a)));
    }
    return points;
}

// The shape "Create fixture" makes around p, in body coordinates: a circle of radius 1, an
// edge of length 2, a square of side 1 or a regular pentagon loop.
struct NewShape
{
    b2CircleShape circle;
    b2EdgeShape edge;
    b2PolygonShape polygon;
    b2ChainShape chain;

    // Null when the shape cannot be built there.
    const b2Shape* build(int type, const b2Vec2& p)
    {
        switch (type)
        {
        case b2Shape::e_circle:
            circle.m_p = p;
            circle.m_radius = 1.0f;
            return &circle;
        case b2Shape::e_edge:
            edge.SetTwoSided(p - b2Vec2(1.0f, 0.0f), p + b2Vec2(1.0f, 0.0f));
            return &edge;
        case b2Shape::e_polygon:
        {
            const std::vector<b2Vec2> square = RegularPoints(p, 4, 45.0f);
            return Physics::SetPolygon(polygon, square.data(), 4) ? &polygon : nullptr;
        }
        case b2Shape::e_chain:
        {
            const std::vector<b2Vec2> pentagon = RegularPoints(p, 5, 36.0f);
            return Physics::SetLoop(chain, pentagon.data(), 5) ? &chain : nullptr;
        }
        default:
            return nullptr;
        }
    }
};

}  // namespace

void Editor::handleUIButton(int id)
{
    switch (id)
    {
    case k_applyBody:
        applyBodySettings();
        break;
    case k_applyFixture:
        applyFixtureSettings();
        break;
    case k_applyJoint:
        applyJointSettings();
        break;
    case k_createBody:
        createBody();
        break;
    case k_createFixture:
        createFixture();
        break;
    case k_createJoint:
        createJoint();
        break;
    case k_setName:
        setNameOfSelection();
        break;
    default:
        return;
    }
    updateUIPanelInfo();
}

void Editor::applyBodySettings()
{
    const _panelInput& in = m_panelInput;
    const std::set<b2Body*>& bodies = m_controlState.selectedBodies;
    if (m_editMethod != EM_BODIES || bodies.empty())
    {
        return;
    }
    std::string refusal = CheckBodyInput(in);
    for (auto it = bodies.begin(); refusal.empty() && it != bodies.end(); ++it)
    {
        refusal = CheckBodyChange(*it, in);
    }
    if (!refusal.empty())
    {
        addMessage(refusal, k_refusalColour);
        return;
    }
    EditStep step(m_edits, "apply body settings");
    for (b2Body* body : bodies)
    {
        if (in.bodyType != -1)
        {
            m_edits.setBodyType(body, static_cast<b2BodyType>(in.bodyType));
        }
        if (!KeepsFlag(in.bodyFixedRotation))
        {
            m_edits.setFixedRotation(body, in.bodyFixedRotation != 0);
        }
        if (!KeepsFlag(in.bodyBullet))
        {
            m_edits.setBullet(body, in.bodyBullet != 0);
        }
        if (in.bodyGravityScale != k_unsetFloat)
        {
            m_edits.setGravityScale(body, in.bodyGravityScale);
        }
        if (in.bodyMass != k_unsetFloat)
        {
            m_edits.setBodyMass(body, in.bodyMass);
        }
    }
}

void Editor::applyFixtureSettings()
{
    const _panelInput& in = m_panelInput;
    const std::set<b2Fixture*>& fixtures = m_controlState.selectedFixtures;
    if (m_editMethod != EM_FIXTURES || fixtures.empty())
    {
        return;
    }
    const bool densitySet = in.fixtureDensity != k_unsetFloat;
    std::string refusal = CheckFixtureInput(in);
    for (auto it = fixtures.begin(); densitySet && refusal.empty() && it != fixtures.end(); ++it)
    {
        refusal = CheckDensityChange(*it, in.fixtureDensity);
    }
    if (!refusal.empty())
    {
        addMessage(refusal, k_refusalColour);
        return;
    }
    const bool filterSet = in.fixtureCategoryBits != k_unsetInt || in.fixtureMaskBits != k_unsetInt ||
                           in.fixtureGroupIndex != k_unsetInt;
    EditStep step(m_edits, "apply fixture settings");
    std::set<b2Body*> reweighed;
    for (b2Fixture* fixture : fixtures)
    {
        if (densitySet)
        {
            m_edits.setDensity(fixture, in.fixtureDensity);
            reweighed.insert(fixture->GetBody());
        }
        if (in.fixtureRestitution != k_unsetFloat)
        {
            m_edits.setRestitution(fixture, in.fixtureRestitution);
        }
        if (in.fixtureFriction != k_unsetFloat)
        {
            m_edits.setFriction(fixture, in.fixtureFriction);
        }
        if (!KeepsFlag(in.fixtureIsSensor))
        {
            m_edits.setSensor(fixture, in.fixtureIsSensor != 0);
        }
        if (filterSet)
        {
            b2Filter filter = fixture->GetFilterData();
            filter.categoryBits = static_cast<uint16>(ValueOr(in.fixtureCategoryBits, filter.categoryBits));
            filter.maskBits = static_cast<uint16>(ValueOr(in.fixtureMaskBits, filter.maskBits));
            filter.groupIndex = static_cast<int16>(ValueOr(in.fixtureGroupIndex, filter.groupIndex));
            m_edits.setFilter(fixture, filter);
        }
    }
    // A stored density takes effect only through the body's mass, which saved scenes keep too.
    for (b2Body* body : reweighed)
    {
        std::string error;
        if (!m_edits.refreshBody(body, &error))
        {
            addMessage("Mass not recomputed: " + error + ".", k_refusalColour);
        }
    }
}

void Editor::createBody()
{
    const _panelInput& in = m_panelInput;
    if (in.bodyType == -1)
    {
        addMessage("Choose a body type.", k_refusalColour);
        return;
    }
    const std::string refusal = CheckBodyInput(in);
    if (!refusal.empty())
    {
        addMessage(refusal, k_refusalColour);
        return;
    }
    b2BodyDef def;
    def.type = static_cast<b2BodyType>(in.bodyType);
    def.position = m_controlState.cursorPos;
    def.fixedRotation = TickedFlag(in.bodyFixedRotation);
    def.bullet = TickedFlag(in.bodyBullet);
    def.gravityScale = ValueOr(in.bodyGravityScale, 1.0f);
    std::string error;
    EditStep step(m_edits, "create body");
    if (m_edits.createBody(def, &error) == nullptr)
    {
        addMessage("No body made: " + error + ".", k_refusalColour);
    }
}

void Editor::createFixture()
{
    const _panelInput& in = m_panelInput;
    if (m_editMethod != EM_BODIES)
    {
        return;
    }
    if (m_controlState.selectedBodies.size() != 1)
    {
        addMessage("Select only one body to add the fixture to.", k_refusalColour);
        return;
    }
    if (in.shapeType < 0 || in.shapeType >= 4)
    {
        addMessage("Choose a shape type.", k_refusalColour);
        return;
    }
    std::printf("shape type = %d\n", in.shapeType);
    std::fflush(stdout);
    const std::string refusal = CheckFixtureInput(in);
    if (!refusal.empty())
    {
        addMessage(refusal, k_refusalColour);
        return;
    }
    b2Body* body = *m_controlState.selectedBodies.begin();
    NewShape shape;
    b2FixtureDef def;
    def.shape = shape.build(in.shapeType, body->GetLocalPoint(m_controlState.cursorPos));
    def.density = ValueOr(in.fixtureDensity, 0.0f);
    def.restitution = ValueOr(in.fixtureRestitution, 0.0f);
    def.friction = ValueOr(in.fixtureFriction, 0.2f);
    def.isSensor = TickedFlag(in.fixtureIsSensor);
    def.filter.categoryBits = static_cast<uint16>(ValueOr(in.fixtureCategoryBits, 1));
    def.filter.maskBits = static_cast<uint16>(ValueOr(in.fixtureMaskBits, 0xFFFF));
    def.filter.groupIndex = static_cast<int16>(ValueOr(in.fixtureGroupIndex, 0));
    std::string error = def.shape == nullptr ? "the shape cannot be built at the cursor" : std::string();
    EditStep step(m_edits, "create fixture");
    if (error.empty())
    {
        m_edits.createFixture(body, def, &error);
    }
    if (!error.empty())
    {
        addMessage("No fixture made: " + error + ".", k_refusalColour);
    }
}

void Editor::setNameOfSelection()
{
    const std::string& name = m_panelInput.name;
    const _controlState& cs = m_controlState;
    EditStep step(m_edits, "set name");
    switch (m_editMethod)
    {
    case EM_BODIES:
        for (b2Body* body : cs.selectedBodies)
        {
            m_edits.setName(body, name);
        }
        break;
    case EM_FIXTURES:
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            m_edits.setName(fixture, name);
        }
        break;
    case EM_JOINTS:
        for (b2Joint* joint : cs.selectedJoints)
        {
            m_edits.setName(joint, name);
        }
        break;
    case EM_VERTICES:
        break;
    }
}
