// The scene loaded from "vexa.json" in the working directory: what the editor saves there runs
// here, with the bodies named "ragdoll" starting asleep.
#pragma once

#include "Framework/Test.h"

class Vexa : public Test
{
public:
    Vexa();

    static Test* Create();
};
