// Dear ImGui inside the single window: set-up, one panel frame per display frame, and the event
// routing that lets a panel take the mouse or keyboard before the scene or editor sees it.
#pragma once

// Width in pixels of the side panel pinned to the window's right edge.
constexpr int k_panelWidth = 200;

void InitPanelHost();
void ShutdownPanelHost();

// Builds and draws this frame's panels over the scene; `buildPanels` issues the ImGui calls.
void RenderPanels(void (*buildPanels)());

// Each feeds the event to ImGui and returns true when the panels keep it: the scene or editor
// handler is then not called. Keys are kept while a text field is active. A button press is kept
// over a panel or while a panel's list is open; its release and the drag in between go where the
// press went. Wheel notches (buttons 3 to 6) are always kept: they scroll the panel under the
// cursor. Each panel frame sees at most one button change, so no click is lost between frames.
bool PanelTakesKeyboard(unsigned char key, int x, int y);
bool PanelTakesKeyboardUp(unsigned char key, int x, int y);
bool PanelTakesSpecial(int key, int x, int y);
bool PanelTakesSpecialUp(int key, int x, int y);
bool PanelTakesMouse(int button, int state, int x, int y);
bool PanelTakesMotion(int x, int y);
void PanelPassiveMotion(int x, int y);
// Drops the button changes the panels have not seen yet and forgets which buttons are held.
void ResetPanelMouse();
void PanelReshape(int w, int h);

// Opens a fixed, title-less window pinned to the right edge, full height.
bool BeginSidePanel(const char* id);
void EndSidePanel();
