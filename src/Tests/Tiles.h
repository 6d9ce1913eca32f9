// A static ground of many box tiles with a pyramid of dynamic boxes on it. Reports how long
// building the world took and how balanced the broad-phase tree is.
#pragma once

#include "Framework/Test.h"

class Tiles : public Test
{
public:
    Tiles();
    static Test* Create();

    void Step(Settings* settings) override;

private:
    float m_createTime = 0.0f;
    int m_fixtureCount = 0;
};
