#include "Framework/PanelHost.h"

#include <GL/freeglut.h>
#include <backends/imgui_impl_glut.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

void InitPanelHost()
{
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // The layout is fixed; an imgui.ini would only litter the user's scene folder.
    io.IniFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();
    ImGui_ImplGLUT_ReshapeFunc(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

void ShutdownPanelHost()
{
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
}

void RenderPanels(void (*buildPanels)())
{
    ImGui_ImplOpenGL2_NewFrame();
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
    ImGui_ImplGLUT_MouseFunc(button, state, x, y);
    ImGuiIO& io = ImGui::GetIO();
    // A press over the panel belongs to it even before ImGui's next frame has seen the hover.
    bool overPanel = x >= static_cast<int>(io.DisplaySize.x) - k_panelWidth;
    return io.WantCaptureMouse || (state == GLUT_DOWN && overPanel);
}

bool PanelTakesMotion(int x, int y)
{
    ImGui_ImplGLUT_MotionFunc(x, y);
    return ImGui::GetIO().WantCaptureMouse;
}

void PanelPassiveMotion(int x, int y)
{
    ImGui_ImplGLUT_MotionFunc(x, y);
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
