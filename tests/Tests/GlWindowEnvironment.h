// One OpenGL window per test process, created before the first test: scenes draw through
// OpenGL and the bitmap font every step, which needs a current context and an initialised
// window library. The suite runs under a virtual display (xvfb-run -a).
#pragma once

#include <gtest/gtest.h>

class GlWindowEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

private:
    int m_window = 0;
};
