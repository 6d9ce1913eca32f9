// Random numbers for scenes that place things at random.
#pragma once

// A number in [lo, hi] from rand(), masked to 15 bits so that every platform's rand() gives the
// same spread.
float RandomFloat(float lo, float hi);
