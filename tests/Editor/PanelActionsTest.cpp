// The panel's buttons acting on the world: applying body, fixture and joint values to several
// objects at once, creating bodies, fixtures and joints at the cursor, naming. Values and
// selections the physics library would assert on or that make no sense are refused with nothing
// changed.
#include "Editor/EditorModelScene.h"

#include "Physics/JointKinds.h"
#include "Physics/ShapeGeometry.h"
#include "Physics/Springs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// Two boxes, a bullet and a turned one, so that values differ and anchors go through the frame of
// a rotated body.
class PanelActions : public ::testing::Test, public EditorModelScene
{
protected:
    PanelActions() { a->SetBullet(true); }

    b2Joint* createJoint(int type)
    {
        in.jointType = type;
        editor.handleUIButton(k_createJoint);
        return world()->GetJointList();
    }

    // Presses `button`, which must refuse with the message `refusal`, a whole sentence, or with one
    // that starts with `refusal` where it is the start of a sentence ("Mass must be").
    void expectRefused(int button, const std::string& refusal)
    {
        SCOPED_TRACE(refusal);
        const std::string before = snapshot();
        editor.handleUIButton(button);
        EXPECT_EQ(snapshot(), before);
        const std::string message = lastMessage();
        EXPECT_TRUE(refusal.back() == '.' ? message == refusal : message.rfind(refusal, 0) == 0) << message;
        EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);
    }

    b2Body* a = addBody(b2Vec2(-10.0f, 0.0f));
    b2Body* b = addBody(b2Vec2(10.0f, 0.0f), b2_dynamicBody, 0.5f);
    b2Fixture* boxA = addBox(a, 1.0f, 1.0f);
    b2Fixture* boxB = addBox(b, 0.5f, 0.5f);
    _panelInput& in = editor.panelInput();
};

// Values left mixed or unset keep each object's own; the ones set go to every selected object.
TEST_F(PanelActions, ApplyingWritesOnlyTheValuesThatAreSetAndMassAndDensityFollowEachOther)
{
    // Fixtures: the density changes the masses; a name goes to every selected fixture.
    boxA->SetSensor(true);
    b2Filter filter;
    filter.categoryBits = 2;
    boxA->SetFilterData(filter);
    selectBodies({a, b}, true);
    in.fixtureDensity = 3.0f;
    in.fixtureIsSensor = k_mixedFlag;
    in.fixtureMaskBits = 5;
    editor.handleUIButton(k_applyFixture);
    EXPECT_FLOAT_EQ(a->GetMass(), 12.0f);
    EXPECT_FLOAT_EQ(b->GetMass(), 3.0f);
    EXPECT_TRUE(boxA->IsSensor());
    EXPECT_FALSE(boxB->IsSensor());
    EXPECT_EQ(boxA->GetFilterData().categoryBits, 2);
    EXPECT_EQ(boxB->GetFilterData().maskBits, 5);
    EXPECT_EQ(editor.panelInfo().fixtureDensity, 3.0f) << "the panel shows what the world now holds";
    in.name = "brick";
    editor.handleUIButton(k_setName);
    EXPECT_EQ(editor.getNameOfFixture(boxA), "brick");
    EXPECT_EQ(editor.getNameOfFixture(boxB), "brick");
    EXPECT_EQ(editor.getNameOfBody(a), "") << "only the selected fixtures are named";

    // Bodies: a mass of 8 where it was 12 scales the density to 2; a static body has no mass to scale.
    selectBodies({a, b});
    EXPECT_EQ(editor.panelInfo().bodyBullet, k_mixedFlag);
    in = _panelInput();
    in.bodyBullet = k_mixedFlag;
    in.bodyFixedRotation = 1;
    in.bodyGravityScale = 0.5f;
    editor.handleUIButton(k_applyBody);
    EXPECT_TRUE(a->IsBullet());
    EXPECT_FALSE(b->IsBullet());
    EXPECT_TRUE(a->IsFixedRotation() && b->IsFixedRotation());
    EXPECT_EQ(b->GetGravityScale(), 0.5f);
    EXPECT_EQ(a->GetType(), b2_dynamicBody) << "the empty type item keeps each body's type";
    b->SetType(b2_staticBody);
    in.bodyMass = 8.0f;
    editor.handleUIButton(k_applyBody);
    EXPECT_FLOAT_EQ(a->GetMass(), 8.0f);
    EXPECT_FLOAT_EQ(boxA->GetDensity(), 2.0f);
    EXPECT_EQ(boxB->GetDensity(), 3.0f);
    EXPECT_EQ(b->GetMass(), 0.0f);

    // Joints: an empty speed, a torque, the limit box left showing "(?) ", collide connected ticked.
    auto* first = static_cast<b2RevoluteJoint*>(addRevolute(a, b, b2Vec2(0.0f, 0.0f)));
    auto* second = static_cast<b2RevoluteJoint*>(addRevolute(b, a, b2Vec2(0.0f, 10.0f)));
    first->SetMotorSpeed(1.0f);
    second->SetMotorSpeed(2.0f);
    second->EnableLimit(true);
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(0.0f, 0.0f));
    clickAt(b2Vec2(0.0f, 10.0f), 0, true);
    ASSERT_EQ(state().selectedJoints.size(), 2u);
    in = _panelInput();
    in.jointMaxMotorPower = 40.0f;
    in.jointEnableLimit = k_mixedFlag;
    in.jointCollideConnected = 1;
    editor.handleUIButton(k_applyJoint);
    for (b2RevoluteJoint* joint : {first, second})
    {
        EXPECT_EQ(joint->GetMaxMotorTorque(), 40.0f);
        EXPECT_TRUE(joint->GetCollideConnected());
    }
    EXPECT_EQ(first->GetMotorSpeed(), 1.0f);
    EXPECT_EQ(second->GetMotorSpeed(), 2.0f);
    EXPECT_FALSE(first->IsLimitEnabled());
    EXPECT_TRUE(second->IsLimitEnabled());
}

TEST_F(PanelActions, EveryBadValueMissingChoiceAndImpossibleJointIsRefusedWithNothingChanged)
{
    // `both`: a and b are selected (their fixtures in fixture mode), else only a; in joint mode the
    // joint between them.
    const struct
    {
        _editMethod method;
        int button;
        bool both;
        const char* refusal;
        void (*set)(_panelInput&);
    } cases[] = {
        {EM_BODIES, k_applyBody, false, "Mass must be", [](auto& in) { in.bodyMass = -1.0f; }},
        {EM_BODIES, k_applyBody, false, "Gravity scale must be", [](auto& in) { in.bodyGravityScale = NAN; }},
        // Times a mass and gravity it overflows in the next step.
        {EM_BODIES, k_applyBody, false, "Gravity scale must be", [](auto& in) { in.bodyGravityScale = 3.4e38f; }},
        {EM_BODIES, k_createBody, false, "Choose a body type.", [](auto&) {}},
        {EM_BODIES, k_createBody, false, "Gravity scale must be",
         [](auto& in) {
             in.bodyType = 2;
             in.bodyGravityScale = -2.0f;
         }},
        {EM_FIXTURES, k_applyFixture, true, "Density must be", [](auto& in) { in.fixtureDensity = -0.5f; }},
        // A plank this light turns a whole bridge not-a-number in one step.
        {EM_FIXTURES, k_applyFixture, true, "Density must be", [](auto& in) { in.fixtureDensity = 1e-30f; }},
        {EM_FIXTURES, k_applyFixture, true, "Friction must be", [](auto& in) { in.fixtureFriction = INFINITY; }},
        {EM_FIXTURES, k_applyFixture, true, "Category bits must be",
         [](auto& in) { in.fixtureCategoryBits = 0x10000; }},
        {EM_FIXTURES, k_applyFixture, true, "Mask bits must be", [](auto& in) { in.fixtureMaskBits = -1; }},
        {EM_FIXTURES, k_applyFixture, true, "Group index must be", [](auto& in) { in.fixtureGroupIndex = 32768; }},
        // The selection is asked about before the shape type.
        {EM_BODIES, k_createFixture, true, "Select only one body to add the fixture to.", [](auto&) {}},
        {EM_BODIES, k_createFixture, false, "Choose a shape type.", [](auto&) {}},
        {EM_BODIES, k_createFixture, false, "Density must be",
         [](auto& in) {
             in.shapeType = 0;
             in.fixtureDensity = -1.0f;
         }},
        {EM_JOINTS, k_applyJoint, false, "Damping ratio must be", [](auto& in) { in.jointDampingRatio = NAN; }},
        {EM_JOINTS, k_applyJoint, false, "Motor speed must be", [](auto& in) { in.jointMotorSpeed = -INFINITY; }},
        {EM_JOINTS, k_applyJoint, false, "Max power must be", [](auto& in) { in.jointMaxMotorPower = -5.0f; }},
        {EM_BODIES, k_createJoint, false, "Select two bodies to join.",
         [](auto& in) { in.jointType = e_revoluteJoint; }},
        {EM_BODIES, k_createJoint, true, "Choose a joint type.", [](auto&) {}},
        {EM_BODIES, k_createJoint, true, "Length must be",
         [](auto& in) {
             in.jointType = e_ropeJoint;
             in.jointLength = 0.0f;
         }},
        {EM_BODIES, k_createJoint, true, "Frequency must be",
         [](auto& in) {
             in.jointType = e_distanceJoint;
             in.jointFrequency = -1.0f;
         }},
    };
    addRevolute(a, b, b2Vec2(0.0f, 0.0f));
    for (const auto& c : cases)
    {
        editor.setEditMethod(c.method);
        clickAt(c.method == EM_JOINTS ? b2Vec2(0.0f, 0.0f) : a->GetPosition());
        if (c.both)
        {
            clickAt(b->GetPosition(), 0, true);
        }
        in = _panelInput();
        c.set(in);
        expectRefused(c.button, c.refusal);
    }

    // Bodies waiting for the second Del, and two bodies the library cannot move, are not joined.
    selectBodies({a, b});
    in = _panelInput();
    in.jointType = e_revoluteJoint;
    editor.handleKeyDown(127);
    expectRefused(k_createJoint, "No joint made: the bodies are about to be deleted.");
    editor.handleKeyDown(27);
    a->SetType(b2_staticBody);
    b->SetType(b2_kinematicBody);
    expectRefused(k_createJoint, "No joint made: at least one of the two bodies must be dynamic.");

    // A density within range whose mass overflows on a large fixture left the body's centre, then
    // its velocity, not a number (found by the monkey test).
    addBox(addBody(b2Vec2(0.0f, 0.0f)), 1e8f, 1e8f);
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(0.0f, 1000.0f));
    ASSERT_EQ(state().selectedFixtures.size(), 1u);
    in = _panelInput();
    in.fixtureDensity = 1e9f;
    expectRefused(k_applyFixture, "Fixture settings refused: mass is too large to compute.");
}

TEST_F(PanelActions, CreatedObjectsGoAroundTheCursorInTheBodysFrameAndEmptyJointFieldsTakeTheDefaults)
{
    in.bodyType = b2_kinematicBody;
    editor.handleUIButton(k_createBody);
    ASSERT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(newest()->GetType(), b2_kinematicBody);
    EXPECT_EQ(newest()->GetPosition(), b2Vec2_zero);

    // A square of side 1 around the cursor (the origin), lined up with the turned body.
    clickAt(b->GetPosition());
    in.shapeType = b2Shape::e_polygon;
    editor.handleUIButton(k_createFixture);
    const Physics::ShapeGeometry square = Physics::GetGeometry(b->GetFixtureList());
    ASSERT_EQ(square.points.size(), 4u);
    const b2Vec2 centre = b->GetLocalPoint(b2Vec2_zero);
    for (const b2Vec2& p : square.points)
    {
        EXPECT_NEAR(std::fabs(p.x - centre.x), 0.5f, 1.0e-5f);
        EXPECT_NEAR(std::fabs(p.y - centre.y), 0.5f, 1.0e-5f);
    }
    in.shapeType = b2Shape::e_chain;
    editor.handleUIButton(k_createFixture);
    const Physics::ShapeGeometry pentagon = Physics::GetGeometry(b->GetFixtureList());
    EXPECT_TRUE(pentagon.loop);
    EXPECT_EQ(pentagon.points.size(), 5u);

    // A joint's first anchor is at the cursor, a distance joint's second one its length to the right;
    // the body selected last is B.
    selectBodies({a, b});
    b2Joint* revolute = createJoint(e_revoluteJoint);
    ASSERT_NE(revolute, nullptr);
    EXPECT_EQ(revolute->GetBodyA(), a);
    EXPECT_EQ(revolute->GetBodyB(), b);
    EXPECT_LT(b2Distance(revolute->GetAnchorA(), b2Vec2_zero), 1.0e-5f);
    EXPECT_LT(b2Distance(revolute->GetAnchorB(), b2Vec2_zero), 1.0e-5f);
    // Check boxes showing "(?) " that were left alone make a joint without them.
    EXPECT_FALSE(revolute->GetCollideConnected());
    EXPECT_FALSE(static_cast<b2RevoluteJoint*>(revolute)->IsLimitEnabled());
    EXPECT_TRUE(editor.panelInfo().panelChanged);

    b2Joint* distance = createJoint(e_distanceJoint);
    EXPECT_EQ(static_cast<b2DistanceJoint*>(distance)->GetLength(), 1.0f);
    EXPECT_LT(b2Distance(distance->GetAnchorB(), b2Vec2(1.0f, 0.0f)), 1.0e-5f);

    b2Joint* wheel = createJoint(e_wheelJoint);
    EXPECT_EQ(Physics::GetSpringFrequency(wheel), 2.0f);
    EXPECT_EQ(Physics::GetSpringDampingRatio(wheel), 0.7f);

    in.jointLength = 3.0f;
    b2Joint* rope = createJoint(e_ropeJoint);
    EXPECT_EQ(Physics::GetJointType(rope), e_ropeJoint);
    EXPECT_EQ(Physics::GetRopeMaxLength(rope), 3.0f);
    EXPECT_EQ(world()->GetJointCount(), 4);
}

}  // namespace
