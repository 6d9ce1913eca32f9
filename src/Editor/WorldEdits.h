// The one place through which the editor changes its world: creating, reshaping, moving, setting
// properties, naming and destroying. Every change is checked before it is made, so that a change
// the physics library would assert on, or one that leaves the scene meaningless (negative or
// non-finite magnitudes, degenerate shapes, coordinates out of range), is refused with a reason
// and nothing changes. Destruction goes through the scene host, which tells every listener
// first. Each change advances the revision, which tells whoever caches facts about the world
// (picking) that it moved.
#pragma once

#include "Editor/EditHistory.h"
#include "Physics/JointKinds.h"
#include "Physics/ShapeGeometry.h"

#include <box2d/box2d.h>

#include <string>
#include <vector>

class Test;

class WorldEdits
{
public:
    // The host whose world is edited (null: none). A new host starts a new history.
    void setHost(Test* host);
    EditHistory& history() { return m_history; }

    // Counts changes made through here.
    unsigned revision() const { return m_revision; }

    // A user action: the changes from beginStep to the matching endStep are undone and redone
    // as one step, described by `label` ("translate 3 bodies"). Steps may nest; the outermost
    // one counts. A step that changed nothing is not kept.
    void beginStep(const std::string& label);
    void endStep();
    // Objects made outside these operations (built from a scene document, as paste and mirror
    // do) that belong to the current step: a body with its fixtures, a fixture added to an
    // existing body, or a joint.
    void adopt(b2Body* body);
    void adopt(b2Fixture* fixture);
    void adopt(b2Joint* joint);

    // Takes back the last step, or makes it again; the step's label, empty when there was none.
    std::string undo();
    std::string redo();

    // Every refusing operation sets *error (when given) to a short reason.

    // Bodies.
    b2Body* createBody(const b2BodyDef& def, std::string* error = nullptr);
    // Why a body cannot be placed at `position` turned to `angle`; empty when it can.
    static std::string checkPlacement(const b2Vec2& position, float angle);
    bool placeBody(b2Body* body, const b2Vec2& position, float angle, std::string* error = nullptr);
    bool setBodyType(b2Body* body, b2BodyType type, std::string* error = nullptr);
    bool setFixedRotation(b2Body* body, bool fixedRotation, std::string* error = nullptr);
    bool setBullet(b2Body* body, bool bullet);
    bool setGravityScale(b2Body* body, float scale, std::string* error = nullptr);
    // Scales every fixture's density so that the body's mass becomes `mass`; a body whose mass
    // is 0 keeps it.
    bool setBodyMass(b2Body* body, float mass, std::string* error = nullptr);
    // Recomputes the body's mass from its fixtures and rebuilds its contacts.
    bool refreshBody(b2Body* body, std::string* error = nullptr);
    bool destroyBody(b2Body* body, std::string* error = nullptr);

    // Fixtures.
    b2Fixture* createFixture(b2Body* body, const b2FixtureDef& def, std::string* error = nullptr);
    // The fixture keeps its identity (and with it names, material, filter and selection).
    bool reshapeFixture(b2Fixture* fixture, const Physics::ShapeGeometry& geometry, std::string* error = nullptr);
    // Several fixtures at once, checked together (a body's mass with all its new shapes) and
    // refused as a whole.
    bool reshapeFixtures(const std::vector<Physics::GeometryChange>& changes, std::string* error = nullptr);
    // The density is stored without recomputing the body's mass.
    bool setDensity(b2Fixture* fixture, float density, std::string* error = nullptr);
    bool setFriction(b2Fixture* fixture, float friction, std::string* error = nullptr);
    bool setRestitution(b2Fixture* fixture, float restitution, std::string* error = nullptr);
    bool setSensor(b2Fixture* fixture, bool sensor);
    bool setFilter(b2Fixture* fixture, const b2Filter& filter);
    bool destroyFixture(b2Fixture* fixture, std::string* error = nullptr);

    // Joints. Distance joints are created as rigid rods of their length; give them a spring
    // with setSpring.
    b2Joint* createJoint(const b2JointDef& def, std::string* error = nullptr);
    b2Joint* createRope(const Physics::RopeJointDef& def, std::string* error = nullptr);
    // Why a joint cannot have these world anchors: a distance or rope joint whose anchors
    // coincide, a prismatic or wheel joint whose axis from anchor A to anchor B has no length.
    static std::string checkJointAnchors(b2Joint* joint, const b2Vec2& anchorA, const b2Vec2& anchorB);
    // Moves the joint's anchors and updates what follows from them: a distance joint's length, a
    // rope's maximum length, a prismatic joint's axis and reference angle, a wheel joint's axis.
    bool moveJointAnchors(b2Joint* joint, const b2Vec2& anchorA, const b2Vec2& anchorB, std::string* error = nullptr);
    // Revolute joints in radians, prismatic and wheel joints in metres.
    bool setJointLimits(b2Joint* joint, float lower, float upper, std::string* error = nullptr);
    bool enableJointLimit(b2Joint* joint, bool enabled);
    bool enableJointMotor(b2Joint* joint, bool enabled);
    // Radians (revolute, wheel) or metres (prismatic) per second.
    bool setMotorSpeed(b2Joint* joint, float speed, std::string* error = nullptr);
    // Torque for revolute and wheel joints, force for prismatic joints.
    bool setMaxMotorPower(b2Joint* joint, float power, std::string* error = nullptr);
    bool setCollideConnected(b2Joint* joint, bool collide);
    bool setDistanceLength(b2Joint* joint, float length, std::string* error = nullptr);
    bool setRopeLength(b2Joint* joint, float length, std::string* error = nullptr);
    // Distance and wheel joints: frequency in hertz and damping ratio.
    bool setSpring(b2Joint* joint, float frequencyHz, float dampingRatio, std::string* error = nullptr);
    bool destroyJoint(b2Joint* joint, std::string* error = nullptr);

    // Names (an empty name removes the entry).
    void setName(b2Body* body, const std::string& name);
    void setName(b2Fixture* fixture, const std::string& name);
    void setName(b2Joint* joint, const std::string& name);

private:
    // Makes a change made outside any step a step of its own.
    class ImplicitStep
    {
    public:
        ImplicitStep(WorldEdits& edits, const char* label) : m_edits(edits), m_opened(!edits.m_history.stepOpen())
        {
            if (m_opened)
            {
                m_edits.beginStep(label);
            }
        }
        ~ImplicitStep()
        {
            if (m_opened)
            {
                m_edits.endStep();
            }
        }
        ImplicitStep(const ImplicitStep&) = delete;
        ImplicitStep& operator=(const ImplicitStep&) = delete;

    private:
        WorldEdits& m_edits;
        bool m_opened;
    };

    bool changed();
    // After undo or redo.
    std::string replayed(std::string label);
    void willJoin(b2Body* bodyA, b2Body* bodyB);
    bool refuse(const std::string& reason, std::string* error);
    bool refuseIfLocked(const b2World* world, std::string* error);

    Test* m_host = nullptr;
    unsigned m_revision = 0;
    EditHistory m_history;
};
