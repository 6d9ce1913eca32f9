// Translating, rotating and scaling through keys and clicks without a display: how operations
// start, switch and end, their amounts, what accepting applies to bodies, fixtures, vertices and
// joint anchors, and what it refuses, leaving the world as it was.
#include "Editor/EditorModelScene.h"

#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace
{

constexpr float k_degree = 0.017453292f;

// The point at `degrees` clockwise from straight up, 10 m from the origin.
b2Vec2 OnCircle(float degrees)
{
    return b2Vec2(10.0f * std::sin(degrees * k_degree), 10.0f * std::cos(degrees * k_degree));
}

struct OperationScene : EditorModelScene
{
    // Presses `keys` with the mouse at `from`, moves the mouse to `to` and presses `then`.
    void drag(const std::string& keys, b2Vec2 from, b2Vec2 to, const std::string& then = "")
    {
        moveMouse(from);
        pressEach(keys);
        moveMouse(to);
        pressEach(then);
    }

    void pressEach(const std::string& keys)
    {
        for (const char key : keys)
        {
            press(static_cast<unsigned char>(key));
        }
    }
};

class Operations : public ::testing::Test, public OperationScene
{
};

void ExpectNear(b2Vec2 actual, b2Vec2 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
}

TEST_F(Operations, TranslateStartsWithASelectionFromTheMouseAtThatMomentAndMovesOnlyIt)
{
    b2Body* moved = addBody(b2Vec2(10.0f, 10.0f));
    b2Body* other = addBody(b2Vec2(-10.0f, -10.0f));
    press('g');
    EXPECT_EQ(state().state, 0) << "nothing to translate";
    // The cursor goes to a click, or with `c` `s` to the selection's centre when there is one.
    pressEach("cs");
    EXPECT_EQ(state().state, CS_MOVE_CURSOR);
    clickAt(b2Vec2(-3.0f, 1.0f));
    EXPECT_EQ(state().cursorPos, b2Vec2(-3.0f, 1.0f));
    clickAt(b2Vec2(10.0f, 10.0f));
    drag("g", b2Vec2(12.0f, 10.0f), b2Vec2(15.0f, 14.0f));
    click(0);
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(moved->GetPosition(), b2Vec2(13.0f, 14.0f));
    EXPECT_EQ(other->GetPosition(), b2Vec2(-10.0f, -10.0f));
    EXPECT_EQ(state().selectionCenter, b2Vec2(13.0f, 14.0f));
    pressEach("cs");
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(state().cursorPos, b2Vec2(13.0f, 14.0f));
}

TEST_F(Operations, AnchorKeysSwitchTheMovingAnchorAndRestartFromTheMouse)
{
    b2Joint* joint = addRevolute(addBody(b2Vec2(-5.0f, 0.0f)), addBody(b2Vec2(5.0f, 0.0f)), b2Vec2_zero);
    press('j');
    clickAt(b2Vec2_zero);
    drag("g", b2Vec2(1.0f, 0.0f), b2Vec2(3.0f, 0.0f));
    EXPECT_EQ(state().state, CS_TRANSLATE | CS_ANCHOR_A);
    press('g');
    EXPECT_EQ(state().state, CS_TRANSLATE | CS_ANCHOR_B);
    moveMouse(b2Vec2(3.0f, 2.0f));
    click(0);
    ExpectNear(joint->GetAnchorA(), b2Vec2_zero);
    ExpectNear(joint->GetAnchorB(), b2Vec2(0.0f, 2.0f));

    // Rotating joint anchors turns about the cursor; `r` switches anchors, not the centre.
    press('r');
    EXPECT_EQ(state().state, CS_ROTATE | CS_ANCHOR_A);
    EXPECT_FALSE(state().rotateAroundSelection);
    press('r');
    EXPECT_EQ(state().state, CS_ROTATE | CS_ANCHOR_B);
}

TEST_F(Operations, AbandonedAndSwitchedOperationsLeaveTheWorldUntouched)
{
    addBox(addBody(b2Vec2(3.0f, 1.0f), b2_dynamicBody, 0.3f), 1.0f, 1.0f);
    clickAt(b2Vec2(3.0f, 1.0f));
    const std::string before = snapshot();
    drag("r", b2Vec2(5.0f, 5.0f), b2Vec2(-4.0f, 2.0f));
    drag("s", b2Vec2(6.0f, 1.0f), b2Vec2(9.0f, 1.0f));
    drag("g", b2Vec2(0.0f, 0.0f), b2Vec2(7.0f, 7.0f));
    EXPECT_EQ(state().state, CS_TRANSLATE);
    press(27);
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(snapshot(), before);

    // A click while measuring neither accepts nor ends it; `m` starts a new measure.
    drag("m", b2Vec2(1.0f, 1.0f), b2Vec2(4.0f, 5.0f));
    click(0);
    EXPECT_EQ(state().state, CS_MEASURE);
    press('m');
    EXPECT_EQ(state().startMouseWorld, b2Vec2(4.0f, 5.0f));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Operations, AmountsStepFinelyAndInWholeSteps)
{
    addBody(b2Vec2(0.0f, 10.0f));
    clickAt(b2Vec2(0.0f, 10.0f));
    drag("r", OnCircle(0.0f), OnCircle(-7.0f));
    editor.setSpecialKeyState(false, false, true);
    EXPECT_NEAR(editor.getRotatedAngle(), 5.0f * k_degree, 1e-6f);
    moveMouse(OnCircle(7.0f));
    EXPECT_NEAR(editor.getRotatedAngle(), -5.0f * k_degree, 1e-6f);
    editor.setSpecialKeyState(false, false, false);

    // A scale started on its centre (the cursor) has nothing to divide by: factor 1.
    press(27);
    drag("s", b2Vec2_zero, b2Vec2(3.0f, 2.0f));
    EXPECT_EQ(editor.getScaledFactor(), b2Vec2(1.0f, 1.0f));

    // Restricted to x, the y factor stays exactly 1 through Shift and Ctrl.
    press(27);
    drag("s", b2Vec2(2.0f, 3.0f), b2Vec2(7.3f, 4.1f), "x");
    editor.setSpecialKeyState(true, false, true);
    EXPECT_EQ(editor.getScaledFactor().y, 1.0f);
    EXPECT_NEAR(editor.getScaledFactor().x, 1.2f, 1e-6f);
}

TEST_F(Operations, RotationKeysResetAnglesAndSetLimitsFromTheJointAngle)
{
    b2Body* b = addBody(b2Vec2(5.0f, 0.0f), b2_dynamicBody, 0.5f);
    b2RevoluteJointDef def;
    def.Initialize(addBody(b2Vec2(-5.0f, 0.0f)), b, b2Vec2_zero);
    def.referenceAngle = 0.25f;
    def.enableLimit = true;
    auto* joint = static_cast<b2RevoluteJoint*>(world()->CreateJoint(&def));
    press('j');
    clickAt(b2Vec2_zero);
    press('b');
    clickAt(b2Vec2(5.0f, 0.0f));

    // Turning body B by 30 degrees sets the lower limit to the joint angle it would reach.
    drag("r", OnCircle(0.0f), OnCircle(-30.0f), "l");
    EXPECT_EQ(state().state, CS_ROTATE | CS_LOWER_LIMIT);
    click(0);
    EXPECT_EQ(state().state, CS_ROTATE | CS_LOWER_LIMIT);
    EXPECT_NEAR(joint->GetLowerLimit(), 0.25f + 30.0f * k_degree, 1e-5f);
    EXPECT_EQ(b->GetAngle(), 0.5f);
    press('l');
    EXPECT_EQ(state().state, CS_ROTATE | CS_UPPER_LIMIT);

    pressEach("\x1bro");
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(b->GetAngle(), 0.0f);
    EXPECT_EQ(b->GetPosition(), b2Vec2(5.0f, 0.0f));
}

// One drag moves a vertex of each polygon: the square's across its opposite edge, which is
// refused, and the triangle's to turn it over, which is stored counter-clockwise again.
TEST_F(Operations, VertexDragThatTurnsAPolygonOverIsRewoundOrRefused)
{
    b2Fixture* square = addBox(addBody(b2Vec2_zero), 2.0f, 2.0f);
    b2Fixture* triangle = addPolygon(addBody(b2Vec2(10.0f, 0.0f)), {{0, 0}, {4, 0}, {0, 4}});
    const std::vector<b2Vec2> squareBefore = worldPoints(square);
    press('v');
    clickAt(b2Vec2(2.0f, 2.0f));
    clickAt(b2Vec2(14.0f, 0.0f), 0, true);
    drag("g", b2Vec2(0.0f, 0.0f), b2Vec2(-6.0f, 0.0f));
    ASSERT_EQ(state().invalidVertexDisplays.size(), 1u);
    EXPECT_EQ(state().invalidVertexDisplays[0].fixture, square);
    ASSERT_EQ(state().validVertexDisplays.size(), 1u);
    EXPECT_EQ(state().validVertexDisplays[0].fixture, triangle);
    click(0);
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(worldPoints(square), squareBefore);
    EXPECT_EQ(lastMessage(), "Vertex move cancelled - polygon winding would be illegal");

    const auto* polygon = static_cast<const b2PolygonShape*>(triangle->GetShape());
    ASSERT_EQ(polygon->m_count, 3);
    EXPECT_GT(b2Cross(polygon->m_vertices[1] - polygon->m_vertices[0], polygon->m_vertices[2] - polygon->m_vertices[0]),
              0.0f);
    // The moved vertex is still selected under its new index.
    const std::set<vertexInfo>& selected = state().selectedVertices;
    const auto moved =
        std::find_if(selected.begin(), selected.end(), [&](const vertexInfo& v) { return v.fixture == triangle; });
    ASSERT_NE(moved, selected.end());
    EXPECT_EQ(editor.getWorldPosition(*moved, g_identityTransform), b2Vec2(8.0f, 0.0f));
}

TEST_F(Operations, RestrictedVertexScaleOnARotatedBodyActsAlongTheWorldAxesAsShown)
{
    b2Fixture* box = addBox(addBody(b2Vec2(10.0f, 0.0f), b2_dynamicBody, 0.5f), 2.0f, 1.0f);
    press('v');
    const std::vector<b2Vec2> before = worldPoints(box);
    for (size_t i = 0; i < before.size(); ++i)
    {
        clickAt(before[i], 0, i > 0);
    }
    ASSERT_EQ(state().selectedVertices.size(), 4u);
    drag("s", b2Vec2(12.0f, 3.0f), b2Vec2(18.0f, 5.0f), "x");
    const std::vector<b2Vec2> shown = state().validVertexDisplays.at(0).vertices;
    click(0);
    const std::vector<b2Vec2> after = worldPoints(box);
    for (size_t i = 0; i < before.size(); ++i)
    {
        // x from the cursor times 1.5, y untouched: in world coordinates, as on screen.
        ExpectNear(shown[i], b2Vec2(before[i].x * 1.5f, before[i].y));
        EXPECT_NE(
            std::find_if(after.begin(), after.end(), [&](const b2Vec2& p) { return b2Distance(p, shown[i]) < 1e-4f; }),
            after.end());
    }
}

TEST_F(Operations, MirroredChainIsTurnedAroundToKeepItsCollidingSide)
{
    b2Fixture* chain = addChain(addBody(b2Vec2_zero, b2_staticBody), {{2, 0}, {4, 0}, {6, 1}}, false);
    Physics::SetChainGhosts(chain, Physics::ChainGhosts{true, false, b2Vec2(1.0f, -1.0f), b2Vec2_zero});
    press('v');
    clickAt(b2Vec2(2.0f, 0.0f));
    clickAt(b2Vec2(4.0f, 0.0f), 0, true);
    clickAt(b2Vec2(6.0f, 1.0f), 0, true);
    drag("s", b2Vec2(1.0f, 1.0f), b2Vec2(-1.0f, 1.0f), "x");
    click(0);
    const Physics::ShapeGeometry g = Physics::GetGeometry(chain);
    EXPECT_EQ(g.points, (std::vector<b2Vec2>{{-6, 1}, {-4, 0}, {-2, 0}}));
    EXPECT_TRUE(g.hasGhostAfter);
    EXPECT_FALSE(g.hasGhostBefore);
}

TEST_F(Operations, TranslatedChainKeepsItsFixtureNameGhostsAndSelection)
{
    b2Fixture* chain = addChain(addBody(b2Vec2_zero, b2_staticBody), {{0, 0}, {4, 0}, {8, 2}}, false);
    Physics::SetChainGhosts(chain, Physics::ChainGhosts{true, false, b2Vec2(-2.0f, 1.0f), b2Vec2_zero});
    host.names.fixtureNames[chain] = "rail";
    press('f');
    clickAt(b2Vec2(4.0f, 0.0f));
    drag("g", b2Vec2(4.0f, 0.0f), b2Vec2(5.0f, 3.0f));
    click(0);
    EXPECT_EQ(world()->GetBodyList()->GetFixtureList(), chain);
    EXPECT_EQ(state().selectedFixtures, std::set<b2Fixture*>{chain});
    EXPECT_EQ(editor.getNameOfFixture(chain), "rail");
    const Physics::ShapeGeometry g = Physics::GetGeometry(chain);
    EXPECT_EQ(g.points, (std::vector<b2Vec2>{{1, 3}, {5, 3}, {9, 5}}));
    EXPECT_TRUE(g.hasGhostBefore);
    EXPECT_FALSE(g.hasGhostAfter);
    EXPECT_EQ(g.ghostBefore, b2Vec2(-1.0f, 4.0f));
}

// A joint whose A anchor is at the origin and B anchor at (3, 0).
void AddJoint(OperationScene& t, b2JointType type)
{
    b2Body* a = t.addBody(b2Vec2(0.0f, 0.0f));
    b2Body* b = t.addBody(b2Vec2(0.0f, 6.0f));
    if (type == e_ropeJoint)
    {
        Physics::CreateRopeJoint(t.world(), Physics::RopeJointDef{a, b, b2Vec2_zero, b2Vec2(3.0f, -6.0f), 3.0f, false});
    }
    else if (type == e_distanceJoint)
    {
        b2DistanceJointDef def;
        def.Initialize(a, b, b2Vec2(0.0f, 0.0f), b2Vec2(3.0f, 0.0f));
        t.world()->CreateJoint(&def);
    }
    else
    {
        b2PrismaticJointDef def;
        def.Initialize(a, b, b2Vec2(0.0f, 0.0f), b2Vec2(1.0f, 0.0f));
        def.localAnchorB = b->GetLocalPoint(b2Vec2(3.0f, 0.0f));
        t.world()->CreateJoint(&def);
    }
}

// Refusals: nothing changes, a message says why, and the operation stays open to be corrected.
TEST(RefusedOperations, LeaveTheWorldAsItWasSayWhyAndStayOpen)
{
    using Scene = OperationScene;
    const struct
    {
        const char* what;
        void (*build)(Scene&);
        char method;
        b2Vec2 select;
        const char* keys;  // pressed at `from` before the mouse moves to `to`, then `then`
        b2Vec2 from;
        b2Vec2 to;
        const char* then;
        bool ctrl;  // held for the accepting click
        const char* reason;
        std::optional<b2Vec2> shiftSelect = std::nullopt;
    } refusals[] = {
        {"fixtures scaled to zero with Ctrl",
         [](Scene& t) {
             b2Body* body = t.addBody(b2Vec2(5, 0));
             t.addBox(body, 1.0f, 1.0f);
             t.addCircle(body, 0.5f, b2Vec2(2, 0));
         },
         'f', b2Vec2(5, 0), "s", b2Vec2(10, 0), b2Vec2(0.5f, 0), "", true, "Scaling refused", b2Vec2(7, 0)},
        {"circle scaled to no radius", [](Scene& t) { t.addCircle(t.addBody(b2Vec2(5, 0)), 0.5f); }, 'f', b2Vec2(5, 0),
         "s", b2Vec2(10, 0), b2Vec2(0.5f, 0), "", true, "circle radius"},
        {"polygon flattened", [](Scene& t) { t.addBox(t.addBody(b2Vec2(5, 0)), 1.0f, 1.0f); }, 'f', b2Vec2(5, 0), "s",
         b2Vec2(10, 1), b2Vec2(0.5f, 1), "x", true, "polygon"},
        {"chain vertex onto its neighbour",
         [](Scene& t) {
             t.addChain(t.addBody(b2Vec2_zero, b2_staticBody), {{0, 0}, {4, 0}, {8, 0}}, false);
         },
         'v', b2Vec2(4, 0), "g", b2Vec2(4, 0), b2Vec2(8, 0), "", false, "chain points"},
        {"body moved too far", [](Scene& t) { t.addBody(b2Vec2_zero); }, 'b', b2Vec2_zero, "g", b2Vec2_zero,
         b2Vec2(3e9f, 0), "", false, "too far"},
        {"fixture moved to no finite place", [](Scene& t) { t.addBox(t.addBody(b2Vec2_zero), 1.0f, 1.0f); }, 'f',
         b2Vec2_zero, "g", b2Vec2_zero, b2Vec2(NAN, 0), "", false, "not finite"},
        // The second `g` moves the B anchor, here onto the A anchor.
        {"distance joint anchors made to coincide", [](Scene& t) { AddJoint(t, e_distanceJoint); }, 'j', b2Vec2_zero,
         "gg", b2Vec2(3, 0), b2Vec2_zero, "", false, "coincide"},
        {"rope anchors made to coincide", [](Scene& t) { AddJoint(t, e_ropeJoint); }, 'j', b2Vec2_zero, "gg",
         b2Vec2(3, 0), b2Vec2_zero, "", false, "coincide"},
        {"prismatic axis of no length", [](Scene& t) { AddJoint(t, e_prismaticJoint); }, 'j', b2Vec2_zero, "gg",
         b2Vec2(3, 0), b2Vec2_zero, "", false, "no length"},
    };
    for (const auto& refusal : refusals)
    {
        SCOPED_TRACE(refusal.what);
        Scene t;
        refusal.build(t);
        t.press(static_cast<unsigned char>(refusal.method));
        t.clickAt(refusal.select);
        if (refusal.shiftSelect)
        {
            t.clickAt(*refusal.shiftSelect, 0, true);
        }
        t.drag(refusal.keys, refusal.from, refusal.to, refusal.then);
        const std::string before = t.snapshot();
        const int open = t.state().state;
        t.click(0, false, refusal.ctrl);
        EXPECT_EQ(t.snapshot(), before);
        EXPECT_EQ(t.state().state, open);
        EXPECT_NE(t.lastMessage().find(refusal.reason), std::string::npos) << t.lastMessage();
    }
}

}  // namespace
