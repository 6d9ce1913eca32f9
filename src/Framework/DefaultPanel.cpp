#include "Framework/DefaultPanel.h"

#include "Framework/PanelHost.h"
#include "Framework/PanelWidgets.h"
#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/TestEntry.h"

#include <imgui.h>

namespace
{

bool g_open = false;

bool TestName(void*, int index, const char** text)
{
    *text = getTestEntries()[index].name;
    return true;
}

void DrawSettings(Settings& settings)
{
    ImGui::PushItemWidth(100.0f);
    ClampedInputInt("Vel Iters", &settings.velocityIterations, 1, 500);
    ClampedInputInt("Pos Iters", &settings.positionIterations, 0, 100);
    ClampedInputFloat("Hertz", getSettingsHz(), 5.0f, 200.0f);
    ImGui::PopItemWidth();
    CheckboxInt("Warm Starting", &settings.enableWarmStarting);
    CheckboxInt("Time of Impact", &settings.enableContinuous);
    CheckboxInt("Sub-Stepping", &settings.enableSubStepping);
}

void DrawFlags(Settings& settings)
{
    const int rows = 12;
    float groupHeight = rows * ImGui::GetFrameHeightWithSpacing() + ImGui::GetStyle().WindowPadding.y;
    ImGui::BeginChild("Draw", ImVec2(0.0f, groupHeight), true);
    ImGui::TextUnformatted("Draw");
    CheckboxInt("Shapes", &settings.drawShapes);
    CheckboxInt("Joints", &settings.drawJoints);
    CheckboxInt("AABBs", &settings.drawAABBs);
    CheckboxInt("Pairs", &settings.drawPairs);
    CheckboxInt("Contact Points", &settings.drawContactPoints);
    CheckboxInt("Contact Normals", &settings.drawContactNormals);
    CheckboxInt("Contact Forces", &settings.drawContactForces);
    CheckboxInt("Friction Forces", &settings.drawFrictionForces);
    CheckboxInt("Center of Masses", &settings.drawCOMs);
    CheckboxInt("Statistics", &settings.drawStats);
    CheckboxInt("Profile", &settings.drawProfile);
    ImGui::EndChild();
}

}  // namespace

void SetupDefaultPanel()
{
    g_open = true;
}

void CloseDefaultPanel()
{
    g_open = false;
}

bool IsDefaultPanelOpen()
{
    return g_open;
}

void BuildDefaultPanel()
{
    if (!g_open)
    {
        return;
    }
    if (BeginSidePanel("Default panel"))
    {
        Settings& settings = *getSettings();
        ImGui::TextUnformatted("Tests");
        ImGui::SetNextItemWidth(-1.0f);
        ImGui::Combo("##Tests", getTestSelection(), TestName, nullptr, getTestCount(), 20);
        ImGui::Separator();
        DrawSettings(settings);
        DrawFlags(settings);
        if (WideButton("Pause"))
        {
            Pause(0);
        }
        if (WideButton("Single Step"))
        {
            SingleStep(0);
        }
        if (WideButton("Restart"))
        {
            Restart(0);
        }
        if (WideButton("Quit"))
        {
            Exit(0);
        }
    }
    EndSidePanel();
}
