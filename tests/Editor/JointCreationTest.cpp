// Joints made from the panel between the two selected bodies at the cursor, and the panel's
// joint values applied to selected joints: defaults for empty fields, which body is which, and
// joints the physics library would assert on or could not solve refused with nothing changed.
#include "Editor/EditorModelScene.h"

#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

#include <gtest/gtest.h>

namespace
{

class JointCreation : public ::testing::Test, public EditorModelScene
{
protected:
    JointCreation()
    {
        x = addBody(b2Vec2(-5.0f, 0.0f));
        y = addBody(b2Vec2(5.0f, 2.0f), b2_dynamicBody, 0.5f);
        addCircle(x, 1.0f);
        addCircle(y, 1.0f);
    }

    // Selects x, then y, so that y is the body selected last.
    void selectBoth()
    {
        clickAt(x->GetPosition());
        clickAt(y->GetPosition(), 0, true);
    }

    b2Joint* create(int type)
    {
        editor.panelInput().jointType = type;
        editor.handleUIButton(k_createJoint);
        return world()->GetJointList();
    }

    b2Body* x = nullptr;
    b2Body* y = nullptr;
};

TEST_F(JointCreation, RefusalsNameTheReasonAndChangeNothing)
{
    const std::string before = snapshot();
    clickAt(x->GetPosition());
    create(e_revoluteJoint);
    EXPECT_EQ(lastMessage(), "Select two bodies to join.");

    selectBoth();
    create(0);
    EXPECT_EQ(lastMessage(), "Choose a joint type.") << "the type is asked for first";

    editor.panelInput().jointLength = 0.0f;
    create(e_ropeJoint);
    EXPECT_EQ(lastMessage().rfind("Length must be", 0), 0u) << lastMessage();
    editor.panelInput().jointLength = k_unsetFloat;
    editor.panelInput().jointFrequency = -1.0f;
    create(e_distanceJoint);
    EXPECT_EQ(lastMessage().rfind("Frequency must be", 0), 0u) << lastMessage();
    editor.panelInput().jointFrequency = k_unsetFloat;
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);

    // Bodies waiting for the second Del are not joined.
    editor.handleKeyDown(127);
    create(e_revoluteJoint);
    EXPECT_EQ(lastMessage(), "No joint made: the bodies are about to be deleted.");
    editor.handleKeyDown(27);

    // The library cannot move either of two bodies that are not dynamic.
    x->SetType(b2_staticBody);
    y->SetType(b2_kinematicBody);
    const std::string fixed = snapshot();
    create(e_revoluteJoint);
    EXPECT_EQ(lastMessage(), "No joint made: at least one of the two bodies must be dynamic.");
    EXPECT_EQ(snapshot(), fixed);
    EXPECT_EQ(world()->GetJointCount(), 0);
}

TEST_F(JointCreation, TheBodySelectedLastIsBAndEmptyFieldsTakeTheDefaults)
{
    selectBoth();
    b2Joint* revolute = create(e_revoluteJoint);
    ASSERT_NE(revolute, nullptr);
    EXPECT_EQ(revolute->GetBodyA(), x);
    EXPECT_EQ(revolute->GetBodyB(), y);
    EXPECT_LT(b2Distance(revolute->GetAnchorA(), b2Vec2_zero), 1.0e-5f);
    EXPECT_LT(b2Distance(revolute->GetAnchorB(), b2Vec2_zero), 1.0e-5f);
    // Check boxes showing "(?) " that were left alone make a joint without them.
    EXPECT_FALSE(revolute->GetCollideConnected());
    EXPECT_FALSE(static_cast<b2RevoluteJoint*>(revolute)->IsLimitEnabled());
    EXPECT_TRUE(editor.panelInfo().panelChanged);

    b2Joint* distance = create(e_distanceJoint);
    EXPECT_EQ(static_cast<b2DistanceJoint*>(distance)->GetLength(), 1.0f);
    EXPECT_LT(b2Distance(distance->GetAnchorB(), b2Vec2(1.0f, 0.0f)), 1.0e-5f);

    b2Joint* wheel = create(e_wheelJoint);
    EXPECT_EQ(Physics::GetSpringFrequency(wheel), 2.0f);
    EXPECT_EQ(Physics::GetSpringDampingRatio(wheel), 0.7f);

    editor.panelInput().jointLength = 3.0f;
    b2Joint* rope = create(e_ropeJoint);
    EXPECT_EQ(Physics::GetJointType(rope), e_ropeJoint);
    EXPECT_EQ(Physics::GetRopeMaxLength(rope), 3.0f);
    EXPECT_EQ(world()->GetJointCount(), 4);
}

TEST_F(JointCreation, ApplyingWritesOnlyTheFieldsThatAreSetAndRefusesBadOnes)
{
    b2Joint* first = addRevolute(x, y, b2Vec2(0.0f, 0.0f));
    b2Joint* second = addRevolute(y, x, b2Vec2(0.0f, 10.0f));
    static_cast<b2RevoluteJoint*>(first)->SetMotorSpeed(1.0f);
    static_cast<b2RevoluteJoint*>(second)->SetMotorSpeed(2.0f);
    static_cast<b2RevoluteJoint*>(second)->EnableLimit(true);
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(0.0f, 0.0f));
    clickAt(b2Vec2(0.0f, 10.0f), 0, true);
    ASSERT_EQ(state().selectedJoints.size(), 2u);

    _panelInput& in = editor.panelInput();
    in.jointMaxMotorPower = -5.0f;
    const std::string before = snapshot();
    editor.handleUIButton(k_applyJoint);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(lastMessage().rfind("Max power must be", 0), 0u) << lastMessage();

    // Empty speed, a torque, the limit box left showing "(?) ", collide connected ticked.
    in.jointMaxMotorPower = 40.0f;
    in.jointEnableLimit = k_mixedFlag;
    in.jointCollideConnected = 1;
    editor.handleUIButton(k_applyJoint);
    for (b2Joint* joint : {first, second})
    {
        EXPECT_EQ(static_cast<b2RevoluteJoint*>(joint)->GetMaxMotorTorque(), 40.0f);
        EXPECT_TRUE(joint->GetCollideConnected());
    }
    EXPECT_EQ(static_cast<b2RevoluteJoint*>(first)->GetMotorSpeed(), 1.0f);
    EXPECT_EQ(static_cast<b2RevoluteJoint*>(second)->GetMotorSpeed(), 2.0f);
    EXPECT_FALSE(static_cast<b2RevoluteJoint*>(first)->IsLimitEnabled());
    EXPECT_TRUE(static_cast<b2RevoluteJoint*>(second)->IsLimitEnabled());
    EXPECT_EQ(editor.panelInfo().jointMaxMotorPower, 40.0f) << "the panel shows what the joints hold";
}

}  // namespace
