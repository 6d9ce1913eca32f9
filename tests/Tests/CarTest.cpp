// The car scene: suspension keys, driving keys and the camera that follows the car.
#include "SceneDriver.h"

#include "Physics/Springs.h"
#include "Tests/Car.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

class CarScene : public ::testing::Test
{
protected:
    CarScene() : m_test(Car::Create())
    {
        for (b2Joint* joint : JointsOfType(m_test->GetWorld(), e_wheelJoint))
        {
            auto* wheel = static_cast<b2WheelJoint*>(joint);
            (wheel->IsMotorEnabled() ? m_rear : m_front) = wheel;
        }
    }

    b2Body* Chassis() const { return m_rear->GetBodyA(); }

    void Press(unsigned char key, int times = 1) { PressKey(*m_test, key, times); }

    void ExpectSuspension(float frequency)
    {
        EXPECT_EQ(Physics::GetSpringFrequency(m_rear), frequency);
        EXPECT_EQ(Physics::GetSpringFrequency(m_front), frequency);
        EXPECT_EQ(Physics::GetSpringDampingRatio(m_rear), 0.7f);
        EXPECT_EQ(Physics::GetSpringDampingRatio(m_front), 0.7f);
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test;
    b2WheelJoint* m_rear = nullptr;
    b2WheelJoint* m_front = nullptr;
};

TEST_F(CarScene, SuspensionKeysStepTheFrequencyDownToZeroAndUpWithoutLimit)
{
    Press('q', 3);
    ExpectSuspension(1.0f);
    Press('q', 2);
    ExpectSuspension(0.0f);
    Press('e', 53);
    ExpectSuspension(53.0f);
    // A very stiff suspension still carries the car steadily.
    Press('d');
    RunFrames(*m_test, m_settings, 120, "");
    EXPECT_GT(Chassis()->GetPosition().y, 0.0f);
    EXPECT_LT(Chassis()->GetPosition().y, 5.0f);
}

TEST_F(CarScene, DrivesBothWaysAndTheCameraFollowsTheChassisHorizontallyUntilItIsGone)
{
    const float start = Chassis()->GetPosition().x;
    Press('a');
    RunFrames(*m_test, m_settings, 90, "");
    EXPECT_LT(Chassis()->GetPosition().x, start - 3.0f);

    const float turned = Chassis()->GetPosition().x;
    m_settings.viewCenter.Set(3.0f, 20.0f);
    Press('d');
    for (int frame = 0; frame < 150; ++frame)
    {
        // The view is centred where the car was when the frame began.
        const float chassisX = Chassis()->GetPosition().x;
        StepFrame(*m_test, m_settings);
        ASSERT_EQ(m_settings.viewCenter, b2Vec2(chassisX, 20.0f));
    }
    EXPECT_GT(Chassis()->GetPosition().x, turned + 5.0f);

    const b2Vec2 lastView = m_settings.viewCenter;
    m_test->DestroyBody(Chassis());
    RunFrames(*m_test, m_settings, 30, "asdqe");
    EXPECT_EQ(m_settings.viewCenter, lastView);
}

}  // namespace
