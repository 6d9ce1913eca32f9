// Editor mode driven through the real window callbacks: the shell's fixture with Ctrl+E wired to
// the editor as the program wires it, and the editor left again after every test.
#pragma once

#include "Editor/EditorTypes.h"
#include "Support/Shell/ShellFixture.h"

#include <box2d/box2d.h>

#include <string>

class EditorModeTest : public ShellTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Ctrl+E through the keyboard callback of the mode the window is in.
    void ToggleEditor();
    void EditorFrame();
    // A key in editor mode with the given modifiers (GLUT_ACTIVE_* bits) held.
    void EditorKey(unsigned char key, int modifiers = 0);
    // Moves the mouse to (x, y) and shows a frame, so that the panel knows whether it is under
    // the mouse before the next event.
    void PointAt(int x, int y);
    // A left click in editor mode on the world point.
    void LeftClickAt(const b2Vec2& p);
    // Runs the registry row from the next frame on.
    void SwitchScene(int row);
    void SetFileName(const std::string& name);
    // Puts the shipped default scene into the working directory, where row 0 reads it.
    void CopyDefaultScene();
    // Fails the test unless the editor's newest message is `text` in `colour`.
    void ExpectLastMessage(const std::string& text, const b2Color& colour);
    // Moves the mouse down the panel's column at x until ImGui reports the widget `id` of the
    // panel under it; false when it is not within the window.
    bool FindWidget(const char* id, int x, int& y);
    // Press and release with a frame after each, as a person's click arrives.
    void ClickPanel(int x, int y);
};

// The first dynamic body of the world that has fixtures and no joints; null when there is none.
b2Body* FreeDynamicBody(b2World* world);
std::string ReadFile(const std::string& name);
void WriteFile(const std::string& name, const std::string& text);
