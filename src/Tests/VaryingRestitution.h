// Seven balls dropped side by side on an edge ground, from not bouncy at all to perfectly
// elastic.
#pragma once

#include "Tests/RegisteredScene.h"

class VaryingRestitution : public RegisteredScene<VaryingRestitution>
{
public:
    static constexpr int k_ballCount = 7;
    static const float k_restitutions[k_ballCount];

    VaryingRestitution();
};
