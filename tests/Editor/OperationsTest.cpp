// Translating, rotating and scaling through keys and clicks: how operations start, switch and end,
// their amounts, what accepting applies, and what it refuses, leaving the world as it was.
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

class Operations : public ::testing::Test, public EditorModelScene
{
};

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

TEST_F(Operations, JointKeysSwitchTheMovingAnchorAndSetLimitsFromTheJointAngle)
{
    b2Body* b = addBody(b2Vec2(5.0f, 0.0f), b2_dynamicBody, 0.5f);
    b2RevoluteJointDef def;
    def.Initialize(addBody(b2Vec2(-5.0f, 0.0f)), b, b2Vec2_zero);
    def.referenceAngle = 0.25f;
    def.enableLimit = true;
    auto* joint = static_cast<b2RevoluteJoint*>(world()->CreateJoint(&def));
    press('j');
    clickAt(b2Vec2_zero);
    // A second `g` moves the other anchor, from where the mouse is then.
    drag("g", b2Vec2(1.0f, 0.0f), b2Vec2(3.0f, 0.0f));
    EXPECT_EQ(state().state, CS_TRANSLATE | CS_ANCHOR_A);
    press('g');
    EXPECT_EQ(state().state, CS_TRANSLATE | CS_ANCHOR_B);
    moveMouse(b2Vec2(3.0f, 2.0f));
    click(0);
    EXPECT_LT(b2Distance(joint->GetAnchorA(), b2Vec2_zero), 1e-4f);
    EXPECT_LT(b2Distance(joint->GetAnchorB(), b2Vec2(0.0f, 2.0f)), 1e-4f);

    // Rotating joint anchors turns about the cursor; `r` switches anchors, not the centre.
    press('r');
    EXPECT_EQ(state().state, CS_ROTATE | CS_ANCHOR_A);
    EXPECT_FALSE(state().rotateAroundSelection);
    press('r');
    EXPECT_EQ(state().state, CS_ROTATE | CS_ANCHOR_B);
    press(27);

    // Turning body B by 30 degrees with the joint still selected sets the lower limit to the joint
    // angle it would reach, and leaves the body as it was.
    press('b');
    clickAt(b2Vec2(5.0f, 0.0f));
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

TEST_F(Operations, AmountsStepAndSwitchedOrAbandonedOperationsLeaveTheWorldUntouched)
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

    // Ctrl turns in steps of 5 degrees, rounding to the nearer step.
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
    press(27);

    // A click while measuring neither accepts nor ends it; `m` starts a new measure.
    drag("m", b2Vec2(1.0f, 1.0f), b2Vec2(4.0f, 5.0f));
    click(0);
    EXPECT_EQ(state().state, CS_MEASURE);
    press('m');
    EXPECT_EQ(state().startMouseWorld, b2Vec2(4.0f, 5.0f));
    EXPECT_EQ(snapshot(), before);
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
    std::vector<b2Vec2> expected = worldPoints(box);
    for (size_t i = 0; i < expected.size(); ++i)
    {
        clickAt(expected[i], 0, i > 0);
        expected[i].x *= 1.5f;  // from the cursor, in world coordinates as on screen; y untouched
    }
    ASSERT_EQ(state().selectedVertices.size(), 4u);
    drag("s", b2Vec2(12.0f, 3.0f), b2Vec2(18.0f, 5.0f), "x");
    const std::vector<b2Vec2> shown = state().validVertexDisplays.at(0).vertices;
    click(0);
    EXPECT_TRUE(samePoints(shown, expected));
    EXPECT_TRUE(samePoints(worldPoints(box), expected));
}

// A chain's ghost vertex moves with its chain, in fixture mode and when all its vertices move, and
// stays at the same end of it when a scale of -1 mirrors them and the chain is turned around to keep
// its colliding side.
TEST_F(Operations, AMovedChainKeepsItsNameSelectionAndGhostAndAMirroredOneTurnsAround)
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
    Physics::ShapeGeometry g = Physics::GetGeometry(chain);
    EXPECT_EQ(g.points, (std::vector<b2Vec2>{{1, 3}, {5, 3}, {9, 5}}));
    EXPECT_TRUE(g.hasGhostBefore);
    EXPECT_FALSE(g.hasGhostAfter);
    EXPECT_EQ(g.ghostBefore, b2Vec2(-1.0f, 4.0f));

    press('v');
    clickAt(b2Vec2(1.0f, 3.0f));
    clickAt(b2Vec2(5.0f, 3.0f), 0, true);
    clickAt(b2Vec2(9.0f, 5.0f), 0, true);
    drag("s", b2Vec2(1.0f, 1.0f), b2Vec2(-1.0f, 1.0f), "x");
    click(0);
    g = Physics::GetGeometry(chain);
    EXPECT_EQ(g.points, (std::vector<b2Vec2>{{-9, 5}, {-5, 3}, {-1, 3}}));
    EXPECT_TRUE(g.hasGhostAfter);
    EXPECT_FALSE(g.hasGhostBefore);
    EXPECT_EQ(g.ghostAfter, b2Vec2(1.0f, 4.0f));
}

// Refusals: nothing changes, a message says why, and the operation stays open to be corrected.
// Each case acts on objects of its own, far enough from the others' to be picked alone.
TEST_F(Operations, RefusalsLeaveTheWorldAsItWasSayWhyAndStayOpen)
{
    b2Body* pair = addBody(b2Vec2(5, 0));
    addBox(pair, 1.0f, 1.0f);
    addCircle(pair, 0.5f, b2Vec2(2, 0));
    addCircle(addBody(b2Vec2(5, 10)), 0.5f);
    addBox(addBody(b2Vec2(5, -10)), 1.0f, 1.0f);
    addChain(addBody(b2Vec2(20, 20), b2_staticBody), {{-4, 0}, {0, 0}, {4, 0}}, false);
    addBody(b2Vec2(-10, 0));
    addBox(addBody(b2Vec2(-10, -10)), 1.0f, 1.0f);
    // Joints with their A anchor at the first body, their B anchor 3 to the right of it.
    Physics::CreateRopeJoint(
        world(), {addBody(b2Vec2(-30, 0)), addBody(b2Vec2(-30, 6)), b2Vec2_zero, b2Vec2(3, -6), 3.0f, false});
    b2DistanceJointDef rod;
    rod.Initialize(addBody(b2Vec2(-30, 20)), addBody(b2Vec2(-30, 26)), b2Vec2(-30, 20), b2Vec2(-27, 20));
    world()->CreateJoint(&rod);
    b2Body* slider = addBody(b2Vec2(-30, -14));
    b2PrismaticJointDef slide;
    slide.Initialize(addBody(b2Vec2(-30, -20)), slider, b2Vec2(-30, -20), b2Vec2(1, 0));
    slide.localAnchorB = slider->GetLocalPoint(b2Vec2(-27, -20));
    world()->CreateJoint(&slide);
    const struct
    {
        const char* what;
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
        {"fixtures scaled to zero with Ctrl", 'f', b2Vec2(5, 0), "s", b2Vec2(10, 0), b2Vec2(0.5f, 0), "", true,
         "Scaling refused", b2Vec2(7, 0)},
        {"circle scaled to no radius", 'f', b2Vec2(5, 10), "s", b2Vec2(10, 0), b2Vec2(0.5f, 0), "", true,
         "circle radius"},
        {"polygon flattened", 'f', b2Vec2(5, -10), "s", b2Vec2(10, 1), b2Vec2(0.5f, 1), "x", true, "polygon"},
        {"chain vertex onto its neighbour", 'v', b2Vec2(20, 20), "g", b2Vec2(20, 20), b2Vec2(24, 20), "", false,
         "chain points"},
        {"body moved too far", 'b', b2Vec2(-10, 0), "g", b2Vec2(-10, 0), b2Vec2(3e9f, 0), "", false, "too far"},
        {"fixture moved to no finite place", 'f', b2Vec2(-10, -10), "g", b2Vec2(-10, -10), b2Vec2(NAN, 0), "", false,
         "not finite"},
        // The second `g` moves the B anchor, here onto the A anchor.
        {"rope anchors made to coincide", 'j', b2Vec2(-30, 0), "gg", b2Vec2(-27, 0), b2Vec2(-30, 0), "", false,
         "coincide"},
        {"distance joint anchors made to coincide", 'j', b2Vec2(-30, 20), "gg", b2Vec2(-27, 20), b2Vec2(-30, 20), "",
         false, "coincide"},
        {"prismatic axis of no length", 'j', b2Vec2(-30, -20), "gg", b2Vec2(-27, -20), b2Vec2(-30, -20), "", false,
         "no length"},
    };
    const std::string before = snapshot();
    for (const auto& refusal : refusals)
    {
        SCOPED_TRACE(refusal.what);
        press(static_cast<unsigned char>(refusal.method));
        clickAt(refusal.select);
        if (refusal.shiftSelect)
        {
            clickAt(*refusal.shiftSelect, 0, true);
        }
        drag(refusal.keys, refusal.from, refusal.to, refusal.then);
        const int open = state().state;
        click(0, false, refusal.ctrl);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(state().state, open);
        EXPECT_NE(lastMessage().find(refusal.reason), std::string::npos) << lastMessage();
        press(27);
    }
}

}  // namespace
