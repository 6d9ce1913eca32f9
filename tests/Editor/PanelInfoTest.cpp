// What the editor panel is told about the selection: the values the selected objects share,
// markers where they disagree, values by joint type, and which control groups apply.
#include "Editor/EditorModelScene.h"

#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

#include <gtest/gtest.h>

namespace
{

class PanelInfo : public ::testing::Test, public EditorModelScene
{
protected:
    const _panelInfo& info() { return editor.panelInfo(); }
};

TEST_F(PanelInfo, ControlGroupsFollowTheEditMethodAndTheSelection)
{
    b2Body* a = addBox(addBody(b2Vec2(0.0f, 0.0f)), 1.0f, 1.0f)->GetBody();
    b2Body* b = addBody(b2Vec2(10.0f, 0.0f));
    addRevolute(a, b, b2Vec2(5.0f, 0.0f));
    EXPECT_TRUE(info().bodyCreatable);
    EXPECT_FALSE(info().nameEditable || info().bodyApplicable || info().fixtureCreatable);

    clickAt(a->GetPosition());
    EXPECT_TRUE(info().bodyApplicable && info().nameEditable && info().fixtureCreatable);
    EXPECT_FALSE(info().jointCreatable);
    clickAt(b->GetPosition(), 0, true);
    EXPECT_TRUE(info().jointCreatable);
    EXPECT_FALSE(info().fixtureCreatable);

    editor.setEditMethod(EM_FIXTURES);
    EXPECT_FALSE(info().bodyCreatable || info().bodyApplicable || info().nameEditable || info().jointCreatable);
    clickAt(b2Vec2(0.5f, 0.5f));
    EXPECT_TRUE(info().fixtureApplicable && info().nameEditable);

    editor.setEditMethod(EM_VERTICES);
    clickAt(b2Vec2(1.0f, 1.0f));
    ASSERT_EQ(state().selectedVertices.size(), 1u);
    EXPECT_FALSE(info().nameEditable);
    EXPECT_EQ(info().shapeType, 4);

    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(5.0f, 0.0f));
    EXPECT_TRUE(info().jointApplicable && info().nameEditable);
    EXPECT_FALSE(info().fixtureApplicable);
}

TEST_F(PanelInfo, SharedBodyAndFixtureValuesShowAndDisagreementsAreMarked)
{
    b2Body* ground = addBody(b2Vec2(0.0f, 0.0f), b2_staticBody);
    b2Body* ball = addCircle(addBody(b2Vec2(1.0f, 0.0f)), 1.0f)->GetBody();
    ball->SetFixedRotation(true);
    for (b2Body* body : {ground, ball})
    {
        body->SetGravityScale(0.5f);
        host.names.bodyNames[body] = "pair";
    }
    clickAt(b2Vec2(0.5f, 0.0f));
    ASSERT_EQ(state().selectedBodies.size(), 2u);
    EXPECT_EQ(info().objectName, "pair");
    EXPECT_EQ(info().bodyGravityScale, 0.5f);
    EXPECT_EQ(info().bodyBullet, 0);
    EXPECT_EQ(info().bodyType, -1);
    EXPECT_EQ(info().bodyFixedRotation, k_mixedFlag);
    EXPECT_EQ(info().bodyMass, k_unsetFloat);

    clickAt(b2Vec2(1.0f, 0.0f), 0, false, true);  // Ctrl: the ball leaves the selection
    EXPECT_EQ(info().bodyType, static_cast<int>(b2_staticBody));
    EXPECT_EQ(info().bodyMass, 0.0f);
    EXPECT_EQ(info().bodyFixedRotation, 0);

    b2Fixture* left = addBox(ground, 1.0f, 1.0f, b2Vec2(-3.0f, 0.0f));
    b2Fixture* right = addBox(ground, 1.0f, 1.0f, b2Vec2(3.0f, 0.0f));
    right->SetFriction(0.9f);
    b2Filter filter = right->GetFilterData();
    filter.groupIndex = -2;
    right->SetFilterData(filter);
    left->SetSensor(true);
    right->SetSensor(true);
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(-3.0f, 0.0f));
    clickAt(b2Vec2(3.0f, 0.0f), 0, true);
    EXPECT_EQ(info().fixtureDensity, 1.0f);
    EXPECT_EQ(info().fixtureFriction, k_unsetFloat);
    EXPECT_EQ(info().fixtureIsSensor, 1);
    EXPECT_EQ(info().fixtureCategoryBits, 1);
    EXPECT_EQ(info().fixtureMaskBits, 0xFFFF);
    EXPECT_EQ(info().fixtureGroupIndex, k_unsetInt);
    EXPECT_EQ(info().shapeType, static_cast<int>(b2Shape::e_polygon));
}

TEST_F(PanelInfo, JointValuesDependOnTheJointType)
{
    b2Body* ground = addBody(b2Vec2(0.0f, -20.0f), b2_staticBody);
    b2Body* a = addBody(b2Vec2(-10.0f, 0.0f));
    b2Body* b = addBody(b2Vec2(0.0f, 0.0f));
    b2Body* c = addBody(b2Vec2(10.0f, 0.0f));
    auto* motor = static_cast<b2RevoluteJoint*>(addRevolute(ground, a, a->GetPosition()));
    motor->EnableMotor(true);
    motor->SetMotorSpeed(b2_pi);
    motor->SetMaxMotorTorque(30.0f);
    b2DistanceJointDef distance;
    distance.Initialize(ground, b, b->GetPosition(), b->GetPosition() + b2Vec2(0.0f, 3.0f));
    b2Joint* spring = world()->CreateJoint(&distance);
    ASSERT_TRUE(Physics::SetSpring(spring, 4.0f, 0.25f));
    Physics::CreateRopeJoint(world(), {ground, c, b2Vec2_zero, b2Vec2_zero, 7.5f});

    editor.setEditMethod(EM_JOINTS);
    clickAt(a->GetPosition());
    EXPECT_EQ(info().jointType, static_cast<int>(e_revoluteJoint));
    EXPECT_FLOAT_EQ(info().jointMotorSpeed, 180.0f);
    EXPECT_EQ(info().jointMaxMotorPower, 30.0f);
    EXPECT_EQ(info().jointEnableMotor, 1);
    EXPECT_EQ(info().jointEnableLimit, 0);
    EXPECT_EQ(info().jointLength, k_unsetFloat);

    clickAt(b->GetPosition());
    EXPECT_EQ(info().jointType, static_cast<int>(e_distanceJoint));
    EXPECT_FLOAT_EQ(info().jointLength, 3.0f);
    EXPECT_EQ(info().jointFrequency, 4.0f);
    EXPECT_EQ(info().jointDampingRatio, 0.25f);

    clickAt(c->GetPosition());
    EXPECT_EQ(info().jointType, static_cast<int>(e_ropeJoint));
    EXPECT_EQ(info().jointLength, 7.5f);
    EXPECT_EQ(info().jointFrequency, k_unsetFloat);

    // Joints of different types share no type-specific value.
    clickAt(b->GetPosition(), 0, true);
    EXPECT_EQ(info().jointType, 0);
    EXPECT_EQ(info().jointLength, k_unsetFloat);
    EXPECT_EQ(info().jointCollideConnected, 0);
}

}  // namespace
