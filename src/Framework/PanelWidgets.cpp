#include "Framework/PanelWidgets.h"

#include <imgui.h>

#include <algorithm>

bool ClampedInputInt(const char* label, int* value, int low, int high)
{
    bool changed = ImGui::InputInt(label, value);
    *value = std::clamp(*value, low, high);
    return changed;
}

bool ClampedInputFloat(const char* label, float* value, float low, float high)
{
    bool changed = ImGui::InputFloat(label, value, 1.0f, 10.0f, "%.1f");
    *value = std::clamp(*value, low, high);
    return changed;
}

bool CheckboxInt(const char* label, int* value)
{
    bool checked = *value != 0;
    bool changed = ImGui::Checkbox(label, &checked);
    if (changed)
    {
        *value = checked ? 1 : 0;
    }
    return changed;
}

bool WideButton(const char* label)
{
    return ImGui::Button(label, ImVec2(-1.0f, 0.0f));
}
