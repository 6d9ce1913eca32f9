// A thin plank thrown down at a thin wall standing on the ground, spinning at a random rate;
// continuous collision against the static ground stops it from tunnelling. It is thrown again
// every 1.5 seconds.
#pragma once

#include "Tests/RegisteredScene.h"
#include "Tests/RelaunchingScene.h"

class ContinuousTest : public RegisteredScene<ContinuousTest, RelaunchingScene>
{
public:
    ContinuousTest();

protected:
    void Launch() override;
};
