// A small fast bullet fired down onto a thin plank above a ground with a thin wall; continuous
// collision between the two moving bodies keeps the bullet from passing through. The plank and
// the bullet are put back and the bullet refired from a random x every 1.5 seconds.
#pragma once

#include "Tests/RegisteredScene.h"
#include "Tests/RelaunchingScene.h"

class BulletTest : public RegisteredScene<BulletTest, RelaunchingScene>
{
public:
    BulletTest();

    void BodyDestroyed(b2Body* body) override;

    b2Body* GetBullet() const { return m_bullet; }

protected:
    void Launch() override;

private:
    b2Body* m_bullet = nullptr;
};
