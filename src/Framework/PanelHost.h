// Dear ImGui inside the single window: set-up, one panel frame per display frame, and the event
// routing that lets a panel take the mouse or keyboard before the scene or editor sees it.
#pragma once

// Width in pixels of the side panel pinned to the window's right edge.
constexpr int k_panelWidth = 200;

void InitPanelHost();
void ShutdownPanelHost();

// Builds and draws this frame's panels over the scene; `buildPanels` issues the ImGui calls.
void RenderPanels(void (*buildPanels)());

// Each feeds the event to ImGui and returns true when ImGui keeps it (cursor over a panel, a
// widget being dragged, a text field active): the scene or editor handler is then not called.
bool PanelTakesKeyboard(unsigned char key, int x, int y);
bool PanelTakesKeyboardUp(unsigned char key, int x, int y);
bool PanelTakesSpecial(int key, int x, int y);
bool PanelTakesSpecialUp(int key, int x, int y);
bool PanelTakesMouse(int button, int state, int x, int y);
bool PanelTakesMotion(int x, int y);
void PanelPassiveMotion(int x, int y);
void PanelReshape(int w, int h);

// Opens a fixed, title-less window pinned to the right edge, full height.
bool BeginSidePanel(const char* id);
void EndSidePanel();
