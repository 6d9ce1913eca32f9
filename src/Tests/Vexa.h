// The scene loaded from "vexa.json" in the working directory: what the editor saves there runs
// here, with the bodies named "ragdoll" starting asleep.
#pragma once

#include "Tests/RegisteredScene.h"

class Vexa : public RegisteredScene<Vexa>
{
public:
    Vexa();

};
