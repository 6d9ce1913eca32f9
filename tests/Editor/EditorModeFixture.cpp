#include "EditorModeFixture.h"

#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Editor/EditorPanel.h"
#include "Framework/Shell.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

void EditorModeTest::SetUp()
{
    ShellTest::SetUp();
    SetEditorToggle(EnterEditor);
    // A previous test may have left the mouse over the panel.
    PassiveMotion(10, 10);
    Frame();
}

void EditorModeTest::TearDown()
{
    if (g_editor != nullptr)
    {
        ExitEditor();
    }
    ShellTest::TearDown();
}

void EditorModeTest::ToggleEditor()
{
    HoldModifiers(GLUT_ACTIVE_CTRL);
    (g_editor != nullptr ? Editor_Keyboard : Keyboard)(5, 10, 10);
    // The release goes to the mode the key switched to.
    (g_editor != nullptr ? Editor_KeyboardUp : KeyboardUp)(5, 10, 10);
    HoldModifiers(0);
}

void EditorModeTest::EditorFrame()
{
    Editor_DisplayFunc();
}

void EditorModeTest::EditorKey(unsigned char key, int modifiers)
{
    HoldModifiers(modifiers);
    Editor_Keyboard(key, 10, 10);
    Editor_KeyboardUp(key, 10, 10);
    HoldModifiers(0);
}

void EditorModeTest::PointAt(int x, int y)
{
    Editor_MouseMotion(x, y);
    EditorFrame();
    Editor_MouseMotion(x, y);
}

void EditorModeTest::LeftClickAt(const b2Vec2& p)
{
    int x = 0;
    int y = 0;
    WorldToPixel(p, x, y);
    PointAt(x, y);
    Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
}

void EditorModeTest::SwitchScene(int row)
{
    *getTestSelection() = row;
    Frame();
}

void EditorModeTest::SetFileName(const std::string& name)
{
    std::snprintf(EditorPanel().fileName, sizeof(EditorPanel().fileName), "%s", name.c_str());
}

void EditorModeTest::CopyDefaultScene()
{
    std::filesystem::copy_file(VEXA_SOURCE_DIR "/data/vexa.json", ShellWorkingDirectory() + "/vexa.json",
                               std::filesystem::copy_options::overwrite_existing);
}

void EditorModeTest::ExpectLastMessage(const std::string& text, const b2Color& colour)
{
    ASSERT_NE(nullptr, g_editor);
    ASSERT_FALSE(g_editor->messages().empty());
    const _message& last = g_editor->messages().back();
    EXPECT_EQ(text, last.text);
    EXPECT_EQ(colour.r, last.colour.r);
    EXPECT_EQ(colour.g, last.colour.g);
    EXPECT_EQ(colour.b, last.colour.b);
}

bool EditorModeTest::FindWidget(const char* id, int x, int& y)
{
    ImGuiWindow* panel = ImGui::FindWindowByName("Editor panel");
    if (panel == nullptr)
    {
        return false;
    }
    const ImGuiID wanted = panel->GetIDNoKeepAlive(id);
    int w = 0;
    int h = 0;
    getWindowDimensions(w, h);
    for (y = 2; y < h; y += 5)
    {
        PointAt(x, y);
        if (ImGui::GetHoveredID() == wanted)
        {
            return true;
        }
    }
    return false;
}

void EditorModeTest::ClickPanel(int x, int y)
{
    Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    EditorFrame();
    Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    EditorFrame();
}

b2Body* FreeDynamicBody(b2World* world)
{
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        if (body->GetType() == b2_dynamicBody && body->GetFixtureList() != nullptr && body->GetJointList() == nullptr)
        {
            return body;
        }
    }
    return nullptr;
}

std::string ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& name, const std::string& text)
{
    std::ofstream(name, std::ios::binary) << text;
}
