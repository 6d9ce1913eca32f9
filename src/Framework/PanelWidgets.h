// Small ImGui helpers shared by the side panels.
#pragma once

// Integer and float entry fields with +/- buttons that keep the value within [low, high].
bool ClampedInputInt(const char* label, int* value, int low, int high);
bool ClampedInputFloat(const char* label, float* value, float low, float high);

// A check box bound to an int used as a 0/1 flag.
bool CheckboxInt(const char* label, int* value);

// A button as wide as the panel.
bool WideButton(const char* label);
