// A static ground of many box tiles with a pyramid of dynamic boxes on it. Reports how long
// building the world took and how balanced the broad-phase tree is.
#pragma once

#include "Tests/RegisteredScene.h"

class Tiles : public RegisteredScene<Tiles>
{
public:
    Tiles();

    void Step(Settings* settings) override;

private:
    float m_createTime = 0.0f;
    int m_fixtureCount = 0;
};
