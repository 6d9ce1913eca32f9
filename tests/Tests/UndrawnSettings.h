// Settings for tests that watch the physics rather than the picture: shapes and joints are not
// drawn (the overlay text still is), which keeps long runs cheap.
#pragma once

#include "Framework/Settings.h"

inline Settings UndrawnSettings()
{
    Settings settings;
    settings.drawShapes = 0;
    settings.drawJoints = 0;
    return settings;
}
