// The single window of the program: its state, the simulation-mode callbacks and the frame loop.
// The rest of the program reaches the state through these accessors.
#pragma once

#include <box2d/box2d.h>

class Test;
struct Settings;
struct TestEntry;

int getMainWindow();
Test* getTest();
// Replaces the running test; the caller has deleted the previous one.
void setTest(Test* test);
Settings* getSettings();
void getWindowDimensions(int& w, int& h);
void getViewportDimensions(int& w, int& h);
float getViewZoom();
void setViewZoom(float zoom);

// Registry rows, the row running and the row chosen in the panel or with "[" / "]".
const TestEntry* getTestEntries();
int getTestCount();
int getTestIndex();
int* getTestSelection();
const TestEntry& getTestEntry();
// The panel's Hertz value, copied into the settings before every step.
float* getSettingsHz();

// World point under window pixel (x, y) of the drawing area.
b2Vec2 ConvertScreenToWorld(int x, int y);
// Records a new window size and reprojects the view.
void Resize(int w, int h);
// Reprojects the view after its centre or zoom changed.
void UpdateProjection();

// Creates the first scene of `registry` (rows up to a null row, at least one), the window, its
// callbacks, the panel and the redraw timer; the caller then enters the window library's main
// loop. The registry must outlive the shell.
void StartShell(int* argc, char** argv, const TestEntry* registry);
// Deletes the running scene, the panels and the window (when the main loop has returned).
void ShutdownShell();
// Installs the simulation-mode window callbacks (also when the editor hands the window back).
void InstallSimulationCallbacks();
// What Ctrl+E does in simulation mode: the program hands in the editor's entry point (the shell
// does not depend on the editor). Nothing happens while none is set.
void SetEditorToggle(void (*enter)());

// Simulation-mode window callbacks.
void SimulationLoop();
void Keyboard(unsigned char key, int x, int y);
void KeyboardUp(unsigned char key, int x, int y);
void KeyboardSpecial(int key, int x, int y);
void KeyboardSpecialUp(int key, int x, int y);
void Mouse(int button, int state, int x, int y);
void MouseMotion(int x, int y);
void PassiveMotion(int x, int y);
void Timer(int);

// Panel button actions.
void Pause(int);
void SingleStep(int);
void Restart(int);
void Exit(int code);
