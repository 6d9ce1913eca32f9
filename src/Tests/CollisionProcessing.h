// Shapes of two sizes thrown in at random; whenever two bodies with mass touch, the lighter one
// is destroyed after the step (the bomb excepted), so the heavier ones eat the rest.
#pragma once

#include "Tests/RegisteredScene.h"

class CollisionProcessing : public RegisteredScene<CollisionProcessing>
{
public:
    CollisionProcessing();

    void Step(Settings* settings) override;

private:
    void DestroyLighterOfTouchingPairs();
};
