// Editor mode driven through the real window callbacks: the shell's fixture with Ctrl+E wired to
// the editor as the program wires it, and the editor left again after every test.
#pragma once

#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Editor/EditorPanel.h"
#include "Support/Shell/ShellFixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

class EditorModeTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        SetEditorToggle(EnterEditor);
        // A previous test may have left the mouse over the panel.
        PassiveMotion(10, 10);
        Frame();
    }

    void TearDown() override
    {
        ExitEditor();
        ShellTest::TearDown();
    }

    // Ctrl+E through the keyboard callback of the mode the window is in.
    void ToggleEditor()
    {
        HoldModifiers(GLUT_ACTIVE_CTRL);
        (g_editor != nullptr ? Editor_Keyboard : Keyboard)(5, 10, 10);
        // The release goes to the mode the key switched to.
        (g_editor != nullptr ? Editor_KeyboardUp : KeyboardUp)(5, 10, 10);
        HoldModifiers(0);
    }

    // A key in editor mode with the given modifiers (GLUT_ACTIVE_* bits) held.
    void EditorKey(unsigned char key, int modifiers = 0)
    {
        HoldModifiers(modifiers);
        Editor_Keyboard(key, 10, 10);
        Editor_KeyboardUp(key, 10, 10);
        HoldModifiers(0);
    }

    // Moves the mouse to (x, y) and shows a frame, so that the panel knows whether it is under
    // the mouse before the next event.
    void PointAt(int x, int y)
    {
        Editor_MouseMotion(x, y);
        Editor_DisplayFunc();
        Editor_MouseMotion(x, y);
    }

    // A left click in editor mode on the world point.
    void LeftClickAt(const b2Vec2& p)
    {
        int x = 0;
        int y = 0;
        WorldToPixel(p, x, y);
        PointAt(x, y);
        Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    }

    // Runs the registry row from the next frame on.
    void SwitchScene(int row)
    {
        *getTestSelection() = row;
        Frame();
    }

    void SetFileName(const std::string& name)
    {
        std::snprintf(EditorPanel().fileName, sizeof(EditorPanel().fileName), "%s", name.c_str());
    }

    // Fails the test unless the editor's newest message is `text` in `colour`.
    void ExpectLastMessage(const std::string& text, const b2Color& colour)
    {
        ASSERT_NE(nullptr, g_editor);
        ASSERT_FALSE(g_editor->messages().empty());
        const _message& last = g_editor->messages().back();
        EXPECT_EQ(text, last.text);
        EXPECT_TRUE(colour.r == last.colour.r && colour.g == last.colour.g && colour.b == last.colour.b) << text;
    }
};

inline std::string ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& name, const std::string& text)
{
    std::ofstream(name, std::ios::binary) << text;
}
