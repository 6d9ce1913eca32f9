// The panel's buttons acting on the world: applying body, fixture and joint values to several
// objects at once, creating bodies and fixtures at the cursor, naming. Values the physics
// library would assert on or that make no sense are refused with nothing changed, and the
// last tests drive the real panel widgets.
#include "EditorModeFixture.h"

#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Editor/EditorModelScene.h"
#include "Editor/EditorPanel.h"
#include "Framework/PanelHost.h"
#include "Framework/Shell.h"
#include "Physics/ShapeGeometry.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{

class PanelActions : public ::testing::Test, public EditorModelScene
{
protected:
    PanelActions() { a->SetBullet(true); }

    void selectBoth()
    {
        clickAt(a->GetPosition());
        clickAt(b->GetPosition(), 0, true);
    }

    b2Body* a = addBody(b2Vec2(-10.0f, 0.0f));
    b2Body* b = addBody(b2Vec2(10.0f, 0.0f));
    b2Fixture* boxA = addBox(a, 1.0f, 1.0f);
    b2Fixture* boxB = addBox(b, 0.5f, 0.5f);
    _panelInput& in = editor.panelInput();
};

TEST_F(PanelActions, BodySettingsKeepWhatWasLeftMixedAndMassScalesTheDensities)
{
    selectBoth();
    EXPECT_EQ(editor.panelInfo().bodyBullet, k_mixedFlag);
    in.bodyBullet = k_mixedFlag;
    in.bodyFixedRotation = 1;
    in.bodyGravityScale = 0.5f;
    editor.handleUIButton(k_applyBody);
    EXPECT_TRUE(a->IsBullet());
    EXPECT_FALSE(b->IsBullet());
    EXPECT_TRUE(a->IsFixedRotation() && b->IsFixedRotation());
    EXPECT_EQ(b->GetGravityScale(), 0.5f);
    EXPECT_EQ(a->GetType(), b2_dynamicBody) << "the empty type item keeps each body's type";

    // Mass 4 becomes 8: the density doubles. A static body has no mass to scale.
    b->SetType(b2_staticBody);
    in.bodyMass = 8.0f;
    editor.handleUIButton(k_applyBody);
    EXPECT_FLOAT_EQ(a->GetMass(), 8.0f);
    EXPECT_FLOAT_EQ(boxA->GetDensity(), 2.0f);
    EXPECT_EQ(boxB->GetDensity(), 1.0f);
    EXPECT_EQ(b->GetMass(), 0.0f);
}

TEST_F(PanelActions, FixtureDensityChangesTheMassUnsetFieldsKeepTheirValuesAndNamesGoToAll)
{
    boxA->SetSensor(true);
    b2Filter filter;
    filter.categoryBits = 2;
    boxA->SetFilterData(filter);
    editor.setEditMethod(EM_FIXTURES);
    selectBoth();
    in.fixtureDensity = 3.0f;
    in.fixtureIsSensor = k_mixedFlag;
    in.fixtureMaskBits = 5;
    editor.handleUIButton(k_applyFixture);
    EXPECT_FLOAT_EQ(a->GetMass(), 12.0f);
    EXPECT_FLOAT_EQ(b->GetMass(), 3.0f);
    EXPECT_TRUE(boxA->IsSensor());
    EXPECT_FALSE(boxB->IsSensor());
    EXPECT_EQ(boxA->GetFilterData().categoryBits, 2);
    EXPECT_EQ(boxB->GetFilterData().maskBits, 5);
    EXPECT_EQ(editor.panelInfo().fixtureDensity, 3.0f) << "the panel shows what the world now holds";

    in.name = "brick";
    editor.handleUIButton(k_setName);
    EXPECT_EQ(editor.getNameOfFixture(boxA), "brick");
    EXPECT_EQ(editor.getNameOfFixture(boxB), "brick");
    EXPECT_EQ(editor.getNameOfBody(a), "") << "only the selected fixtures are named";
}

TEST_F(PanelActions, EveryBadValueIsRefusedWithNothingChanged)
{
    const auto expectRefused = [this](int button, const std::string& refusal) {
        SCOPED_TRACE(refusal);
        const std::string before = snapshot();
        editor.handleUIButton(button);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(lastMessage().rfind(refusal, 0), 0u) << lastMessage();
    };
    const struct
    {
        _editMethod method;
        int button;
        const char* field;
        void (*set)(_panelInput&);
    } cases[] = {
        {EM_BODIES, k_applyBody, "Mass", [](_panelInput& in) { in.bodyMass = -1.0f; }},
        {EM_BODIES, k_applyBody, "Gravity scale", [](_panelInput& in) { in.bodyGravityScale = NAN; }},
        // Times a mass and gravity it overflows in the next step.
        {EM_BODIES, k_applyBody, "Gravity scale", [](_panelInput& in) { in.bodyGravityScale = 3.4e38f; }},
        {EM_BODIES, k_createBody, "Gravity scale",
         [](_panelInput& in) {
             in.bodyType = 2;
             in.bodyGravityScale = -2.0f;
         }},
        {EM_FIXTURES, k_applyFixture, "Density", [](_panelInput& in) { in.fixtureDensity = -0.5f; }},
        // A plank this light turns a whole bridge not-a-number in one step.
        {EM_FIXTURES, k_applyFixture, "Density", [](_panelInput& in) { in.fixtureDensity = 1e-30f; }},
        {EM_FIXTURES, k_applyFixture, "Friction", [](_panelInput& in) { in.fixtureFriction = INFINITY; }},
        {EM_FIXTURES, k_applyFixture, "Category bits", [](_panelInput& in) { in.fixtureCategoryBits = 0x10000; }},
        {EM_FIXTURES, k_applyFixture, "Mask bits", [](_panelInput& in) { in.fixtureMaskBits = -1; }},
        {EM_FIXTURES, k_applyFixture, "Group index", [](_panelInput& in) { in.fixtureGroupIndex = 32768; }},
        {EM_BODIES, k_createFixture, "Density",
         [](_panelInput& in) {
             in.shapeType = 0;
             in.fixtureDensity = -1.0f;
         }},
        {EM_JOINTS, k_applyJoint, "Damping ratio", [](_panelInput& in) { in.jointDampingRatio = NAN; }},
        {EM_JOINTS, k_applyJoint, "Motor speed", [](_panelInput& in) { in.jointMotorSpeed = -INFINITY; }},
    };
    addRevolute(a, b, b2Vec2(0.0f, 0.0f));
    for (const auto& c : cases)
    {
        editor.setEditMethod(c.method);
        clickAt(c.method == EM_JOINTS ? b2Vec2(0.0f, 0.0f) : a->GetPosition());
        if (c.method == EM_FIXTURES)
        {
            clickAt(b->GetPosition(), 0, true);
        }
        in = _panelInput();
        c.set(in);
        expectRefused(c.button, std::string(c.field) + " must be");
    }

    // A density within range whose mass overflows on a large fixture left the body's centre, then
    // its velocity, not a number (found by the monkey test).
    addBox(addBody(b2Vec2(0.0f, 0.0f)), 1e8f, 1e8f);
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(0.0f, 1000.0f));
    ASSERT_EQ(state().selectedFixtures.size(), 1u);
    in = _panelInput();
    in.fixtureDensity = 1e9f;
    expectRefused(k_applyFixture, "Fixture settings refused: mass is too large to compute.");
}

TEST_F(PanelActions, CreatingAsksForTypesAndBuildsShapesAroundTheCursorInTheBodysFrame)
{
    editor.handleUIButton(k_createBody);
    EXPECT_EQ(lastMessage(), "Choose a body type.");
    in.bodyType = b2_kinematicBody;
    editor.handleUIButton(k_createBody);
    b2Body* created = world()->GetBodyList();
    ASSERT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(created->GetType(), b2_kinematicBody);
    EXPECT_EQ(created->GetPosition(), b2Vec2_zero);

    selectBoth();
    editor.handleUIButton(k_createFixture);
    EXPECT_EQ(lastMessage(), "Select only one body to add the fixture to.") << "asked before the shape type";
    clickAt(a->GetPosition());
    editor.handleUIButton(k_createFixture);
    EXPECT_EQ(lastMessage(), "Choose a shape type.");

    // A square of side 1 around the cursor (the origin), lined up with the turned body.
    a->SetTransform(a->GetPosition(), 0.5f);
    in.shapeType = b2Shape::e_polygon;
    editor.handleUIButton(k_createFixture);
    const Physics::ShapeGeometry square = Physics::GetGeometry(a->GetFixtureList());
    ASSERT_EQ(square.points.size(), 4u);
    const b2Vec2 centre = a->GetLocalPoint(b2Vec2_zero);
    for (const b2Vec2& p : square.points)
    {
        EXPECT_NEAR(std::fabs(p.x - centre.x), 0.5f, 1.0e-5f);
        EXPECT_NEAR(std::fabs(p.y - centre.y), 0.5f, 1.0e-5f);
    }
    in.shapeType = b2Shape::e_chain;
    editor.handleUIButton(k_createFixture);
    const Physics::ShapeGeometry pentagon = Physics::GetGeometry(a->GetFixtureList());
    EXPECT_TRUE(pentagon.loop);
    EXPECT_EQ(pentagon.points.size(), 5u);
}

using PanelActionsThroughTheWidgets = EditorModeTest;

// The real panel, on two boxes, one a bullet, both selected: what a user types and ticks reaches
// the world only when it makes sense.
TEST_F(PanelActionsThroughTheWidgets, KeepMixedValuesRefuseTextThatIsNotANumberAndApplyNothingOnLeaving)
{
    ToggleEditor();
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
    EditorFrame();
    int column = 0;
    int h = 0;
    getWindowDimensions(column, h);
    column = column - k_panelWidth + 100;
    // Clicks the widget `id` in the panel's column at x; returns its row.
    const auto clickWidget = [this](const char* id, int x) {
        int y = 0;
        EXPECT_TRUE(FindWidget(id, x, y)) << id;
        ClickPanel(x, y);
        return y;
    };
    const auto snapshot = [world] { return WorldDoc(true).writeToString(world); };

    ASSERT_EQ(g_editor->controlState().selectedBodies.size(), 2u);
    EXPECT_EQ(PanelCheckboxLabel("Bullet", EditorPanel().bodyBullet), "(?) Bullet");
    EXPECT_STREQ(EditorPanel().bodyMass, "") << "the masses differ";
    const std::string before = snapshot();
    clickWidget("Apply body settings", column);
    EXPECT_EQ(snapshot(), before) << "untouched mixed boxes and empty fields keep each body's values";

    // Number fields start right of their labels.
    const int field = column + 50;
    const int y = clickWidget("##bodyGravityScale", field);
    for (const char c : std::string("--2"))
    {
        Editor_Keyboard(static_cast<unsigned char>(c), field, y);
        Editor_KeyboardUp(static_cast<unsigned char>(c), field, y);
    }
    EditorFrame();
    const int apply = clickWidget("Apply body settings", column);
    ExpectLastMessage("Gravity scale is not a number: nothing was changed.", k_refusalColour);
    EXPECT_EQ(snapshot(), before);

    // In vertex mode the body buttons are disabled: a click where one is does nothing.
    PointAt(10, 10);
    EditorKey('v');
    EditorFrame();
    ASSERT_EQ(g_editor->getEditMethod(), EM_VERTICES);
    ASSERT_FALSE(EditorPanel().enabled.applyBody);
    // Messages age out with the frames, oldest first: the newest is still the refusal, or none is left.
    const std::string newest = g_editor->messages().back().text;
    PointAt(column, apply);
    ClickPanel(column, apply);
    EXPECT_TRUE(g_editor->messages().empty() || g_editor->messages().back().text == newest);
    EXPECT_EQ(snapshot(), before);

    std::snprintf(EditorPanel().objectName, sizeof(EditorPanel().objectName), "typed");
    clickWidget("Exit editor", column);
    EXPECT_EQ(g_editor, nullptr);
    EXPECT_TRUE(host->names.bodyNames.empty()) << "no name was set on leaving";
}

}  // namespace
