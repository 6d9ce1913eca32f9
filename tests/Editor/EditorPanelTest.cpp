// The editor panel: what it shows for the editor's panel values, which controls it enables, how
// it reads typed numbers back, and real clicks and typing on its widgets.
#include "EditorModeFixture.h"

#include "Framework/PanelHost.h"
#include "Framework/Test.h"
#include "WorldDoc/WorldDoc.h"

#include <imgui_internal.h>

#include <cstdio>
#include <string>
#include <vector>

// Editor mode on, with a frame shown.
class EditorPanelTest : public EditorModeTest
{
protected:
    void SetUp() override
    {
        EditorModeTest::SetUp();
        ToggleEditor();
        Editor_DisplayFunc();
        int width = 0;
        getWindowDimensions(width, windowHeight);
        panelLeft = width - k_panelWidth;
    }

    // Press and release with a frame after each, as a person's click arrives.
    void ClickPanel(int x, int y)
    {
        Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        Editor_DisplayFunc();
        Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
        Editor_DisplayFunc();
    }

    // Moves the mouse down the panel's column at x until ImGui reports the widget `id` of the
    // panel under it, and clicks it there; returns its row.
    int clickWidget(const char* id, int x)
    {
        const ImGuiID wanted = ImGui::FindWindowByName("Editor panel")->GetIDNoKeepAlive(id);
        int y = 2;
        for (; y < windowHeight; y += 5)
        {
            PointAt(x, y);
            if (ImGui::GetHoveredID() == wanted)
            {
                break;
            }
        }
        EXPECT_LT(y, windowHeight) << id << " is not in the panel's column";
        ClickPanel(x, y);
        return y;
    }

    // Types into the field that has the keyboard, then shows a frame.
    void type(const std::string& text, int x, int y)
    {
        for (const char c : text)
        {
            Editor_Keyboard(static_cast<unsigned char>(c), x, y);
            Editor_KeyboardUp(static_cast<unsigned char>(c), x, y);
        }
        Editor_DisplayFunc();
    }

    // Where the panel starts in the window.
    int panelLeft = 0;
    int windowHeight = 0;
};

TEST_F(EditorPanelTest, EnablingFollowsTheEditMethodThenTheFlagsAndMixedValuesShowAsQuestionMarksAndReadBackAsMixed)
{
    // Enabling follows the edit method, then the editor's flags.
    const _panelInfo none;
    const EditorPanelEnabling vertices = ComputeEditorPanelEnabling(EM_VERTICES, none);
    EXPECT_FALSE(vertices.bodySettings || vertices.fixtureSettings || vertices.shapeType || vertices.jointSettings);
    _panelInfo creatable;
    creatable.fixtureCreatable = true;
    creatable.jointCreatable = true;
    const EditorPanelEnabling both = ComputeEditorPanelEnabling(EM_VERTICES, creatable);
    EXPECT_TRUE(both.fixtureSettings && both.shapeType && both.createFixture && both.jointSettings && both.createJoint);
    EXPECT_FALSE(both.bodySettings);
    const EditorPanelEnabling fixtures = ComputeEditorPanelEnabling(EM_FIXTURES, none);
    EXPECT_TRUE(fixtures.fixtureSettings);
    EXPECT_FALSE(fixtures.shapeType) << "the shape list only serves creating a fixture";

    // Through the real keys: the panel follows a key that changes the edit method.
    EXPECT_TRUE(EditorPanel().enabled.bodySettings && EditorPanel().enabled.createBody);
    EditorKey('v');
    EXPECT_FALSE(EditorPanel().enabled.bodySettings || EditorPanel().enabled.createBody);

    // Values of a selection whose objects disagree, as the editor reports them.
    _panelInfo& info = g_editor->panelInfo();
    info.bodyType = 2;
    info.bodyFixedRotation = 1;
    info.bodyBullet = k_mixedFlag;
    info.bodyGravityScale = 0.5f;
    info.fixtureMaskBits = 0xFFFF;
    info.jointType = 4;  // a pulley: the list has no such item
    info.panelChanged = true;
    updateUIPanelState();

    const EditorPanelControls& c = EditorPanel();
    EXPECT_FALSE(info.panelChanged);
    EXPECT_EQ(2, c.bodyType);
    EXPECT_STREQ("", c.bodyMass);
    EXPECT_STREQ("0.5", c.bodyGravityScale);
    EXPECT_STREQ("", c.fixtureCategoryBits);
    EXPECT_STREQ("65535", c.fixtureMaskBits);
    EXPECT_EQ(0, c.jointType);
    EXPECT_EQ("(?) Bullet", PanelCheckboxLabel("Bullet", c.bodyBullet));
    EXPECT_EQ("Fixed rotation", PanelCheckboxLabel("Fixed rotation", c.bodyFixedRotation));

    // Nothing is copied while the editor has not flagged a change.
    info.bodyType = 0;
    updateUIPanelState();
    EXPECT_EQ(2, c.bodyType);

    ASSERT_TRUE(SetEditorInputPanelInfo());
    const _panelInput& in = g_editor->panelInput();
    EXPECT_EQ(k_mixedFlag, in.bodyBullet) << "an untouched \"(?) \" box keeps each object's flag";
    EXPECT_EQ(1, in.bodyFixedRotation);
    EXPECT_EQ(k_unsetFloat, in.bodyMass);
    EXPECT_EQ(0.5f, in.bodyGravityScale);
    EXPECT_EQ(k_unsetInt, in.fixtureCategoryBits);
}

// Two boxes of different mass, one a bullet, both selected: what a user types and ticks reaches
// the world only when it makes sense.
TEST_F(EditorPanelTest, RealWidgetsKeepMixedValuesRefuseTextThatIsNotANumberAndApplyNothingOnLeaving)
{
    // A name typed into "File" is saved to with Ctrl+S while the field still has the keyboard.
    SetFileName("");
    const int column = panelLeft + 100;
    type("typed.json", column, clickWidget("##fileName", column));
    EditorKey(19, GLUT_ACTIVE_CTRL);
    ExpectLastMessage("Saved scene to file: typed.json", k_successColour);

    ::Test* host = g_editor->getTest();
    b2World* world = host->GetWorld();
    while (world->GetBodyList() != nullptr)
    {
        host->DestroyBody(world->GetBodyList());
    }
    std::vector<b2Body*> bodies;
    for (float x : {-4.0f, 4.0f})
    {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(x, 20.0f);
        def.bullet = x < 0.0f;
        b2PolygonShape box;
        box.SetAsBox(x < 0.0f ? 1.0f : 0.5f, 1.0f);
        bodies.push_back(world->CreateBody(&def));
        bodies.back()->CreateFixture(&box, 1.0f);
    }
    g_editor->worldChanged();
    LeftClickAt(bodies[0]->GetPosition());
    HoldModifiers(GLUT_ACTIVE_SHIFT);
    LeftClickAt(bodies[1]->GetPosition());
    HoldModifiers(0);
    ASSERT_EQ(g_editor->controlState().selectedBodies.size(), 2u);
    const auto snapshot = [world] { return WorldDoc(true).writeToString(world); };
    const std::string before = snapshot();
    clickWidget("Apply body settings", column);
    EXPECT_EQ(snapshot(), before) << "the untouched mixed bullet box and empty fields keep each body's values";

    // A ticked box and a number field that does not hold a number: the refusal applies neither.
    clickWidget("###Bullet", panelLeft + 20);
    EXPECT_EQ(1, EditorPanel().bodyBullet.value);
    EXPECT_FALSE(EditorPanel().bodyBullet.mixed);
    // Number fields start right of their labels.
    type("--2", column + 50, clickWidget("##bodyGravityScale", column + 50));
    const int apply = clickWidget("Apply body settings", column);
    ExpectLastMessage("Gravity scale is not a number: nothing was changed.", k_refusalColour);
    EXPECT_EQ(snapshot(), before);

    // In vertex mode the body buttons are disabled: a click where one is runs nothing, so no newer
    // refusal of the gravity text (shown again after the switch) follows the one above, which ages
    // with every frame.
    PointAt(10, 10);
    EditorKey('v');
    Editor_DisplayFunc();
    ASSERT_FALSE(EditorPanel().enabled.applyBody);
    std::snprintf(EditorPanel().bodyGravityScale, sizeof(EditorPanel().bodyGravityScale), "--2");
    const float refusalLife = g_editor->messages().back().life;
    PointAt(column, apply);
    ClickPanel(column, apply);
    EXPECT_LT(g_editor->messages().back().life, refusalLife);
    EXPECT_EQ(snapshot(), before);

    std::snprintf(EditorPanel().objectName, sizeof(EditorPanel().objectName), "typed");
    clickWidget("Exit editor", column);
    EXPECT_EQ(g_editor, nullptr);
    EXPECT_TRUE(host->names.bodyNames.empty()) << "no name was set on leaving";
}

TEST(EditorPanelNumbers, TextThatIsNotOneWholeNumberIsMalformedAndShownFloatsReadBackExactly)
{
    float f = 7.0f;
    int i = 7;
    for (const char* bad : {"1e", "abc", "--2", "1.5.2", "inf", "nan", "1e39", "2 3"})
    {
        EXPECT_EQ(PanelNumber::Malformed, ParsePanelFloat(bad, f)) << bad;
        EXPECT_EQ(PanelNumber::Malformed, ParsePanelInt(bad, i)) << bad;
    }
    for (const char* bad : {"3.7", "99999999999", "0x10"})
    {
        EXPECT_EQ(PanelNumber::Malformed, ParsePanelInt(bad, i)) << bad;
    }
    EXPECT_EQ(7.0f, f);
    EXPECT_EQ(7, i);
    EXPECT_EQ(PanelNumber::Unset, ParsePanelInt("  ", i));
    EXPECT_EQ(PanelNumber::Valid, ParsePanelInt("-12", i));
    EXPECT_EQ(-12, i);

    char text[k_panelNumberSize];
    for (float value : {1.0f / 3.0f, 123456.789f, -1.0e-7f})
    {
        FormatPanelFloat(value, text, sizeof(text));
        ASSERT_EQ(PanelNumber::Valid, ParsePanelFloat(text, f)) << text;
        EXPECT_EQ(value, f) << text;
    }
}
