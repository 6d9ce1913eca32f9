// Pressing one key many times in a row, as a user holding down a key-repeat would.
#pragma once

#include "SceneDriver.h"

inline void PressTimes(Test& test, unsigned char key, int times)
{
    for (int i = 0; i < times; ++i)
    {
        PressKey(test, key);
    }
}
