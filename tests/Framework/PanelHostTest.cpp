// Mouse events shared between the panel and the scene, through the real window callbacks: a
// quick click reaches the panel's controls and the wheel scrolls the panel, never the scene.
#include "Support/Shell/ShellFixture.h"

#include "Framework/PanelHost.h"
#include "Framework/Shell.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cstring>

namespace
{

// Window pixel in the "Shapes" check box, the first control of the panel's "Draw" group below its
// title, as the last frame laid it out.
void ShapesCheckBox(int& x, int& y)
{
    const char* const group = "Default panel/Draw_";  // child windows are named after their parent
    const ImVector<ImGuiWindow*>& windows = ImGui::GetCurrentContext()->Windows;
    ImGuiWindow* const* draw = std::find_if(windows.begin(), windows.end(), [group](const ImGuiWindow* window) {
        return std::strncmp(window->Name, group, std::strlen(group)) == 0;
    });
    ASSERT_NE(draw, windows.end());
    const ImVec2 start = (*draw)->DC.CursorStartPos;
    const float half = 0.5f * ImGui::GetFrameHeight();
    x = static_cast<int>(start.x + half);
    y = static_cast<int>(start.y + ImGui::GetTextLineHeightWithSpacing() + half);
}

}  // namespace

TEST_F(ShellTest, ClicksBetweenFramesReachPanelControlsAndTheWheelScrollsThePanelNeverTheScene)
{
    // Clicks earlier tests left waiting would otherwise reach the panel first.
    ResetPanelMouse();
    Frame();
    int x = 0;
    int y = 0;
    ShapesCheckBox(x, y);
    const int before = getSettings()->drawShapes;

    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    Click(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    Frame();
    Frame();
    EXPECT_EQ(getSettings()->drawShapes, before == 0 ? 1 : 0);

    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    Frame();
    Click(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    Frame();
    EXPECT_EQ(getSettings()->drawShapes, before) << "a slow click toggles it back";

    // The wheel, in a window too short for the whole panel.
    Resize(1136, 300);
    Frame();
    ImGuiWindow* panel = ImGui::FindWindowByName("Default panel");
    ASSERT_NE(panel, nullptr);
    ASSERT_GT(panel->ScrollMax.y, 0.0f);
    const int panelX = 1136 - k_panelWidth / 2;
    PassiveMotion(panelX, 150);
    Click(4, GLUT_DOWN, panelX, 150);
    Click(4, GLUT_UP, panelX, 150);
    Frame();
    Frame();
    EXPECT_GT(panel->Scroll.y, 0.0f);

    for (int pixelX : {panelX, 300})
    {
        for (int button : {3, 4})
        {
            EXPECT_TRUE(PanelTakesMouse(button, GLUT_DOWN, pixelX, 150));
            EXPECT_TRUE(PanelTakesMouse(button, GLUT_UP, pixelX, 150));
        }
    }
}
