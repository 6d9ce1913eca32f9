// A position and angle the user moves with keys: "a"/"d" x by -/+0.1, "s"/"w" y by -/+0.1,
// "q"/"e" turn by +/-0.1 pi.
#pragma once

#include <box2d/box2d.h>

struct KeyedPose
{
    // Other keys leave the pose as it is.
    void Apply(unsigned char key);
    b2Transform GetTransform() const { return b2Transform(position, b2Rot(angle)); }

    b2Vec2 position;
    float angle;
};
