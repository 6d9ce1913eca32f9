// Seven balls dropped side by side on an edge ground, from not bouncy at all to perfectly
// elastic.
#pragma once

#include "Framework/Test.h"

class VaryingRestitution : public Test
{
public:
    static constexpr int k_ballCount = 7;
    static const float k_restitutions[k_ballCount];

    static Test* Create();
    VaryingRestitution();
};
