// The editor panel: what it shows for the editor's panel values, which controls it enables, how
// it reads typed numbers back, and real clicks on its widgets.
#include "EditorModeFixture.h"

#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Editor/EditorPanel.h"
#include "Framework/PanelHost.h"
#include "Framework/Shell.h"

#include <string>

class EditorPanelTest : public EditorModeTest
{
};

TEST_F(EditorPanelTest, MixedValuesShowAsQuestionMarksAndEmptyTextsAndReadBackAsMixed)
{
    ToggleEditor();
    EditorFrame();
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
    EditorFrame();

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

TEST_F(EditorPanelTest, EnablingFollowsTheEditMethodThenTheEditorsFlags)
{
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
    ToggleEditor();
    EditorFrame();
    EXPECT_TRUE(EditorPanel().enabled.bodySettings && EditorPanel().enabled.createBody);
    EditorKey('v');
    EXPECT_FALSE(EditorPanel().enabled.bodySettings || EditorPanel().enabled.createBody);
    EditorKey('b');
    EXPECT_TRUE(EditorPanel().enabled.bodySettings);
}

TEST_F(EditorPanelTest, RealClicksTickACheckBoxAndTypeAFileName)
{
    ToggleEditor();
    EditorFrame();
    int w = 0;
    int h = 0;
    getWindowDimensions(w, h);
    const int left = w - k_panelWidth;
    int y = 0;
    ASSERT_TRUE(FindWidget("###Bullet", left + 20, y));
    ClickPanel(left + 20, y);
    EXPECT_EQ(1, EditorPanel().bodyBullet.value);

    // A name typed into "File" is saved to with Ctrl+S while the field still has the keyboard.
    SetFileName("");
    ASSERT_TRUE(FindWidget("##fileName", left + 100, y));
    ClickPanel(left + 100, y);
    for (const char c : std::string("typed.json"))
    {
        Editor_Keyboard(static_cast<unsigned char>(c), left + 100, y);
        Editor_KeyboardUp(static_cast<unsigned char>(c), left + 100, y);
    }
    EditorFrame();
    EXPECT_STREQ("typed.json", EditorPanel().fileName);
    EditorKey(19, GLUT_ACTIVE_CTRL);
    ExpectLastMessage("Saved scene to file: typed.json", k_successColour);
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
    EXPECT_EQ(PanelNumber::Unset, ParsePanelFloat("", f));
    EXPECT_EQ(PanelNumber::Unset, ParsePanelInt("  ", i));
    EXPECT_EQ(PanelNumber::Valid, ParsePanelInt("-12", i));
    EXPECT_EQ(-12, i);

    char text[k_panelNumberSize];
    FormatPanelFloat(0.2f, text, sizeof(text));
    EXPECT_STREQ("0.2", text);
    for (float value : {1.0f / 3.0f, 123456.789f, -1.0e-7f})
    {
        FormatPanelFloat(value, text, sizeof(text));
        ASSERT_EQ(PanelNumber::Valid, ParsePanelFloat(text, f)) << text;
        EXPECT_EQ(value, f) << text;
    }
    FormatPanelFloat(k_unsetFloat, text, sizeof(text));
    EXPECT_STREQ("", text);
}
