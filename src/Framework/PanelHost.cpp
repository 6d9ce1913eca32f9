#include "Framework/PanelHost.h"

#include <GL/freeglut.h>
#include <backends/imgui_impl_glut.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <deque>

namespace
{

// A button change the panels' frames have not seen yet.
struct ButtonChange
{
    int button;
    bool down;
    ImVec2 position;
};

// Who took a held button's press: its release and the drag in between go to the same side.
enum class Owner
{
    none,
    panel,
    scene
};

constexpr int k_buttonCount = 3;
// Only while frames stop coming (a hidden window) can this many changes wait; the oldest is then
// applied unseen so that the button state stays right.
constexpr size_t k_maxPendingChanges = 32;

// ImGui reads the button state once per frame, so a press and release between two frames (a quick
// click, a touchpad tap) would cancel out: changes wait here and each frame sees at most one.
std::deque<ButtonChange> g_pending;
Owner g_owners[k_buttonCount] = {};
ImVec2 g_cursor;

// ImGui's index of a window-library button, or -1.
int PanelButton(int glutButton)
{
    switch (glutButton)
    {
    case GLUT_LEFT_BUTTON:
        return 0;
    case GLUT_RIGHT_BUTTON:
        return 1;
    case GLUT_MIDDLE_BUTTON:
        return 2;
    default:
        return -1;
    }
}

// Without a wheel callback the window library reports each wheel notch as a press and release of
// button 3 (up) or 4 (down), and 5 or 6 for a sideways wheel.
bool IsWheel(int glutButton)
{
    return glutButton >= 3 && glutButton <= 6;
}

void TrackCursor(int x, int y)
{
    g_cursor = ImVec2(static_cast<float>(x), static_cast<float>(y));
}

void Apply(const ButtonChange& change)
{
    ImGuiIO& io = ImGui::GetIO();
    io.MouseDown[change.button] = change.down;
    io.MousePos = change.position;
}

// Before a frame: the oldest waiting change, at the place it happened, or else the cursor as it is.
void FeedOneChange()
{
    if (g_pending.empty())
    {
        ImGui::GetIO().MousePos = g_cursor;
        return;
    }
    Apply(g_pending.front());
    g_pending.pop_front();
}

void Queue(const ButtonChange& change)
{
    if (g_pending.size() >= k_maxPendingChanges)
    {
        Apply(g_pending.front());
        g_pending.pop_front();
    }
    g_pending.push_back(change);
}

// The panels are pinned to the right edge; a popup they open (a list) takes any press, which
// closes it, as the list would otherwise stay open over the scene.
bool PanelTakesPressAt(int x)
{
    bool overPanel = x >= static_cast<int>(ImGui::GetIO().DisplaySize.x) - k_panelWidth;
    return overPanel || ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel);
}

}  // namespace

void ResetPanelMouse()
{
    g_pending.clear();
    ImGuiIO& io = ImGui::GetIO();
    for (int i = 0; i < k_buttonCount; ++i)
    {
        g_owners[i] = Owner::none;
        io.MouseDown[i] = false;
    }
}

void InitPanelHost()
{
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // The layout is fixed; an imgui.ini would only litter the user's scene folder.
    io.IniFilename = nullptr;
    ImGui::StyleColorsDark();
    // Lists open over the scene and the panel's other controls: no see-through background.
    ImGui::GetStyle().Colors[ImGuiCol_PopupBg].w = 1.0f;
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();
    ImGui_ImplGLUT_ReshapeFunc(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    ResetPanelMouse();
}

void ShutdownPanelHost()
{
    ResetPanelMouse();
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
}

void RenderPanels(void (*buildPanels)())
{
    ImGui_ImplOpenGL2_NewFrame();
    FeedOneChange();
    ImGui_ImplGLUT_NewFrame();
    buildPanels();
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}

bool PanelTakesKeyboard(unsigned char key, int x, int y)
{
    ImGui_ImplGLUT_KeyboardFunc(key, x, y);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool PanelTakesKeyboardUp(unsigned char key, int x, int y)
{
    ImGui_ImplGLUT_KeyboardUpFunc(key, x, y);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool PanelTakesSpecial(int key, int x, int y)
{
    ImGui_ImplGLUT_SpecialFunc(key, x, y);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool PanelTakesSpecialUp(int key, int x, int y)
{
    ImGui_ImplGLUT_SpecialUpFunc(key, x, y);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool PanelTakesMouse(int button, int state, int x, int y)
{
    TrackCursor(x, y);
    if (IsWheel(button))
    {
        if (state == GLUT_DOWN && (button == 3 || button == 4))
        {
            ImGui::GetIO().MouseWheel += button == 3 ? 1.0f : -1.0f;
        }
        // Never a click for the scene or editor: they zoom with keys.
        return true;
    }
    int index = PanelButton(button);
    if (index < 0)
    {
        return false;
    }
    bool down = state == GLUT_DOWN;
    Queue(ButtonChange{index, down, g_cursor});
    if (down)
    {
        g_owners[index] = PanelTakesPressAt(x) ? Owner::panel : Owner::scene;
        return g_owners[index] == Owner::panel;
    }
    bool taken = g_owners[index] == Owner::panel;
    g_owners[index] = Owner::none;
    return taken;
}

bool PanelTakesMotion(int x, int y)
{
    TrackCursor(x, y);
    for (Owner owner : g_owners)
    {
        if (owner != Owner::none)
        {
            return owner == Owner::panel;
        }
    }
    return ImGui::GetIO().WantCaptureMouse;
}

void PanelPassiveMotion(int x, int y)
{
    TrackCursor(x, y);
}

void PanelReshape(int w, int h)
{
    ImGui_ImplGLUT_ReshapeFunc(w, h);
}

bool BeginSidePanel(const char* id)
{
    ImGuiIO& io = ImGui::GetIO();
    ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x - k_panelWidth, 0.0f));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(k_panelWidth), io.DisplaySize.y));
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoMove |
                                   ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                   ImGuiWindowFlags_NoSavedSettings;
    return ImGui::Begin(id, nullptr, flags);
}

void EndSidePanel()
{
    ImGui::End();
}
