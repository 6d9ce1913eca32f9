// Shapes of two sizes thrown in at random; whenever two bodies with mass touch, the lighter one
// is destroyed after the step (the bomb excepted), so the heavier ones eat the rest.
#pragma once

#include "Framework/Test.h"

class CollisionProcessing : public Test
{
public:
    CollisionProcessing();
    static Test* Create();

    void Step(Settings* settings) override;

private:
    void DestroyLighterOfTouchingPairs();
};
