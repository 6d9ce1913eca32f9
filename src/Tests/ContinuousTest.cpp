#include "Tests/ContinuousTest.h"

#include "Tests/RandomNumbers.h"

namespace
{

const b2Vec2 k_launchPosition(0.0f, 20.0f);
const b2Vec2 k_launchVelocity(0.0f, -100.0f);

}  // namespace

ContinuousTest::ContinuousTest()
{
    CreateTargetAndPlank(k_launchPosition);
    Relaunch();
}

void ContinuousTest::Launch()
{
    PutBack(m_plank, k_launchPosition, k_launchVelocity, RandomFloat(-50.0f, 50.0f));
}
