// Presses of the keys a scene has no use for, to check that they change nothing.
#pragma once

#include "Framework/Test.h"

#include <string>

// Presses and releases every printable key that is not in `handled`.
inline void PressEveryKeyExcept(Test& test, const std::string& handled)
{
    for (unsigned char key = ' '; key <= '~'; ++key)
    {
        if (handled.find(static_cast<char>(key)) == std::string::npos)
        {
            test.Keyboard(key);
            test.KeyboardUp(key);
        }
    }
}
