// A car with a sprung suspension driving over hills, a teeter, a bridge and a pile of boxes;
// the view follows it horizontally.
#pragma once

#include "Tests/RegisteredScene.h"

class Car : public RegisteredScene<Car>
{
public:
    Car();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;
    void BodyDestroyed(b2Body* body) override;

private:
    b2Body* CreateGround();
    void CreateTeeter(b2Body* ground);
    void CreateBridge(b2Body* ground);
    void CreateCar();
    // Gives both wheel joints that still exist the current suspension spring.
    void ApplySuspension();

    b2Body* m_car = nullptr;
    b2Body* m_wheel1 = nullptr;
    b2Body* m_wheel2 = nullptr;
    float m_hz = 4.0f;
    float m_zeta = 0.7f;
    float m_speed = 50.0f;
    b2WheelJoint* m_spring1 = nullptr;
    b2WheelJoint* m_spring2 = nullptr;
};
