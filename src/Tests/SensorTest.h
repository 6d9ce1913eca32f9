// Balls falling through a sensor circle: the contact callbacks tell which balls overlap the
// sensor, and every step those balls are pulled towards its centre.
#pragma once

#include "Tests/RegisteredScene.h"

class SensorTest : public RegisteredScene<SensorTest>
{
public:
    static constexpr int k_ballCount = 7;

    SensorTest();

    void BeginContact(b2Contact* contact) override;
    void EndContact(b2Contact* contact) override;
    void Step(Settings* settings) override;
    void BodyDestroyed(b2Body* body) override;
    void FixtureDestroyed(b2Fixture* fixture) override;

    // Whether ball `index` (0 to k_ballCount - 1) overlaps the sensor; false for a ball that
    // is gone.
    bool IsTouching(int index) const;

private:
    // Counts one more (+1) or one fewer (-1) contact between the sensor and a ball.
    void CountSensorContact(b2Contact* contact, int change);
    // Drops the sensor and releases the balls it held.
    void ForgetSensor();

    b2Fixture* m_sensor = nullptr;
    b2Body* m_balls[k_ballCount] = {};
    // Touching contacts between each ball and the sensor (more than one when the ball has
    // several fixtures).
    int m_sensorContacts[k_ballCount] = {};
};
