// Translating, rotating and scaling through keys and clicks without a display: how operations
// start, switch and end, their amounts, what accepting applies to bodies, fixtures, vertices and
// joint anchors, and what it refuses, leaving the world as it was.
#include "Editor/EditorModelScene.h"

#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "WorldDoc/WorldDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace
{

constexpr float k_degree = 0.017453292f;

struct OperationScene : EditorModelScene
{
    std::string written()
    {
        WorldDoc doc(true);
        return doc.writeToString(world());
    }

    // Opens the operation of `key` with the mouse at `from` and moves the mouse to `to`.
    void drag(unsigned char key, b2Vec2 from, b2Vec2 to)
    {
        moveMouse(from);
        press(key);
        moveMouse(to);
    }

    b2Fixture* addTriangle(b2Body* body, b2Vec2 a, b2Vec2 b, b2Vec2 c)
    {
        const b2Vec2 points[] = {a, b, c};
        b2PolygonShape triangle;
        triangle.Set(points, 3);
        return addShape(body, triangle);
    }

    std::vector<b2Vec2> worldVertices(b2Fixture* fixture)
    {
        const Physics::ShapeGeometry g = Physics::GetGeometry(fixture);
        std::vector<b2Vec2> points;
        for (const b2Vec2& p : g.points)
        {
            points.push_back(fixture->GetBody()->GetWorldPoint(p));
        }
        return points;
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

// Starting, switching and ending operations.

TEST_F(Operations, TranslateStartsWithASelectionFromTheMouseAtThatMomentAndMovesOnlyIt)
{
    b2Body* moved = addBody(b2Vec2(10.0f, 10.0f));
    b2Body* other = addBody(b2Vec2(-10.0f, -10.0f));
    press('g');
    EXPECT_EQ(state().state, 0);
    clickAt(b2Vec2(10.0f, 10.0f));
    drag('g', b2Vec2(12.0f, 10.0f), b2Vec2(15.0f, 14.0f));
    EXPECT_EQ(state().state, CS_TRANSLATE);
    EXPECT_EQ(state().startMouseWorld, b2Vec2(12.0f, 10.0f));
    click(0);
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(moved->GetPosition(), b2Vec2(13.0f, 14.0f));
    EXPECT_EQ(other->GetPosition(), b2Vec2(-10.0f, -10.0f));
    EXPECT_EQ(state().selectionCenter, b2Vec2(13.0f, 14.0f));
}

TEST_F(Operations, AnchorKeysSwitchTheMovingAnchorAndRestartFromTheMouse)
{
    b2Joint* joint = addRevolute(addBody(b2Vec2(-5.0f, 0.0f)), addBody(b2Vec2(5.0f, 0.0f)), b2Vec2_zero);
    press('j');
    clickAt(b2Vec2_zero);
    drag('g', b2Vec2(1.0f, 0.0f), b2Vec2(3.0f, 0.0f));
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
    const std::string before = written();
    drag('r', b2Vec2(5.0f, 5.0f), b2Vec2(-4.0f, 2.0f));
    drag('s', b2Vec2(6.0f, 1.0f), b2Vec2(9.0f, 1.0f));
    drag('g', b2Vec2(0.0f, 0.0f), b2Vec2(7.0f, 7.0f));
    EXPECT_EQ(state().state, CS_TRANSLATE);
    press(27);
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(written(), before);

    // A click while measuring neither accepts nor ends it; `m` starts a new measure.
    drag('m', b2Vec2(1.0f, 1.0f), b2Vec2(4.0f, 5.0f));
    click(0);
    EXPECT_EQ(state().state, CS_MEASURE);
    press('m');
    EXPECT_EQ(state().startMouseWorld, b2Vec2(4.0f, 5.0f));
    EXPECT_EQ(written(), before);
}

TEST_F(Operations, CursorMovesToTheClickOrToTheSelectionCentre)
{
    addBody(b2Vec2(4.0f, 2.0f));
    press('c');
    press('s');
    EXPECT_EQ(state().state, CS_MOVE_CURSOR);
    clickAt(b2Vec2(-3.0f, 1.0f));
    EXPECT_EQ(state().cursorPos, b2Vec2(-3.0f, 1.0f));
    clickAt(b2Vec2(4.0f, 2.0f));
    press('c');
    press('s');
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(state().cursorPos, b2Vec2(4.0f, 2.0f));
}

// Amounts.

TEST_F(Operations, AmountsStepFinelyAndInWholeSteps)
{
    addBody(b2Vec2(0.0f, 10.0f));
    clickAt(b2Vec2(0.0f, 10.0f));
    drag('r', b2Vec2(0.0f, 10.0f), b2Vec2(-10.0f * std::sin(7.0f * k_degree), 10.0f * std::cos(7.0f * k_degree)));
    editor.setSpecialKeyState(false, false, true);
    EXPECT_NEAR(editor.getRotatedAngle(), 5.0f * k_degree, 1e-6f);
    moveMouse(b2Vec2(10.0f * std::sin(7.0f * k_degree), 10.0f * std::cos(7.0f * k_degree)));
    EXPECT_NEAR(editor.getRotatedAngle(), -5.0f * k_degree, 1e-6f);
    editor.setSpecialKeyState(false, false, false);

    // A scale started on its centre (the cursor) has nothing to divide by: factor 1.
    press(27);
    drag('s', b2Vec2_zero, b2Vec2(3.0f, 2.0f));
    EXPECT_EQ(editor.getScaledFactor(), b2Vec2(1.0f, 1.0f));

    // Restricted to x, the y factor stays exactly 1 through Shift and Ctrl.
    press(27);
    drag('s', b2Vec2(2.0f, 3.0f), b2Vec2(7.3f, 4.1f));
    press('x');
    editor.setSpecialKeyState(true, false, true);
    EXPECT_EQ(editor.getScaledFactor().y, 1.0f);
    EXPECT_NEAR(editor.getScaledFactor().x, 1.2f, 1e-6f);
}

TEST_F(Operations, RotationKeysResetAnglesAndSetLimitsFromTheJointAngle)
{
    b2Body* a = addBody(b2Vec2(-5.0f, 0.0f));
    b2Body* b = addBody(b2Vec2(5.0f, 0.0f), b2_dynamicBody, 0.5f);
    b2RevoluteJointDef def;
    def.Initialize(a, b, b2Vec2_zero);
    def.referenceAngle = 0.25f;
    def.enableLimit = true;
    auto* joint = static_cast<b2RevoluteJoint*>(world()->CreateJoint(&def));
    press('j');
    clickAt(b2Vec2_zero);
    press('b');
    clickAt(b2Vec2(5.0f, 0.0f));

    // Turning body B by 30 degrees sets the lower limit to the joint angle it would reach.
    drag('r', b2Vec2(0.0f, 10.0f), b2Vec2(-10.0f * std::sin(30.0f * k_degree), 10.0f * std::cos(30.0f * k_degree)));
    press('l');
    EXPECT_EQ(state().state, CS_ROTATE | CS_LOWER_LIMIT);
    click(0);
    EXPECT_EQ(state().state, CS_ROTATE | CS_LOWER_LIMIT);
    EXPECT_NEAR(joint->GetLowerLimit(), 0.25f + 30.0f * k_degree, 1e-5f);
    EXPECT_EQ(b->GetAngle(), 0.5f);
    press('l');
    EXPECT_EQ(state().state, CS_ROTATE | CS_UPPER_LIMIT);

    press(27);
    press('r');
    press('o');
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(b->GetAngle(), 0.0f);
    EXPECT_EQ(b->GetPosition(), b2Vec2(5.0f, 0.0f));
}

// Vertex moves.

TEST_F(Operations, TriangleTurnedClockwiseIsStoredCounterClockwiseWithItsVertexSelected)
{
    b2Fixture* triangle = addTriangle(addBody(b2Vec2_zero), b2Vec2(0.0f, 0.0f), b2Vec2(4.0f, 0.0f), b2Vec2(0.0f, 4.0f));
    press('v');
    clickAt(b2Vec2(4.0f, 0.0f));
    drag('g', b2Vec2(4.0f, 0.0f), b2Vec2(-4.0f, 1.0f));
    EXPECT_EQ(state().validVertexDisplays.size(), 1u);
    EXPECT_TRUE(state().invalidVertexDisplays.empty());
    click(0);
    const auto* polygon = static_cast<const b2PolygonShape*>(triangle->GetShape());
    ASSERT_EQ(polygon->m_count, 3);
    EXPECT_GT(b2Cross(polygon->m_vertices[1] - polygon->m_vertices[0], polygon->m_vertices[2] - polygon->m_vertices[0]),
              0.0f);
    ASSERT_EQ(state().selectedVertices.size(), 1u);
    EXPECT_EQ(editor.getWorldPosition(*state().selectedVertices.begin(), g_identityTransform), b2Vec2(-4.0f, 1.0f));
}

TEST_F(Operations, SquareDraggedAcrossItsEdgeIsRefusedWhileTheOtherFixtureMoves)
{
    b2Fixture* square = addBox(addBody(b2Vec2_zero), 2.0f, 2.0f);
    b2Fixture* triangle = addTriangle(addBody(b2Vec2(10.0f, 0.0f)), b2Vec2(0.0f, 0.0f), b2Vec2(4.0f, 0.0f),
                                      b2Vec2(0.0f, 4.0f));
    const std::vector<b2Vec2> squareBefore = worldVertices(square);
    press('v');
    clickAt(b2Vec2(2.0f, 2.0f));
    clickAt(b2Vec2(14.0f, 0.0f), 0, true);
    drag('g', b2Vec2(0.0f, 0.0f), b2Vec2(-6.0f, 0.0f));
    EXPECT_EQ(state().invalidVertexDisplays.size(), 1u);
    EXPECT_EQ(state().invalidVertexDisplays[0].fixture, square);
    click(0);
    EXPECT_EQ(state().state, 0);
    EXPECT_EQ(worldVertices(square), squareBefore);
    EXPECT_EQ(editor.messages().back().text, "Vertex move cancelled - polygon winding would be illegal");
    const std::vector<b2Vec2> moved = worldVertices(triangle);
    EXPECT_NE(std::find(moved.begin(), moved.end(), b2Vec2(8.0f, 0.0f)), moved.end());
}

TEST_F(Operations, RestrictedVertexScaleOnARotatedBodyActsAlongTheWorldAxesAsShown)
{
    b2Fixture* box = addBox(addBody(b2Vec2(10.0f, 0.0f), b2_dynamicBody, 0.5f), 2.0f, 1.0f);
    press('v');
    const std::vector<b2Vec2> before = worldVertices(box);
    for (size_t i = 0; i < before.size(); ++i)
    {
        clickAt(before[i], 0, i > 0);
    }
    ASSERT_EQ(state().selectedVertices.size(), 4u);
    drag('s', b2Vec2(12.0f, 3.0f), b2Vec2(18.0f, 5.0f));
    press('x');
    const std::vector<b2Vec2> shown = state().validVertexDisplays.at(0).vertices;
    click(0);
    const std::vector<b2Vec2> after = worldVertices(box);
    for (size_t i = 0; i < before.size(); ++i)
    {
        // x from the cursor times 1.5, y untouched: in world coordinates, as on screen.
        EXPECT_NEAR(shown[i].x, before[i].x * 1.5f, 1e-4f);
        EXPECT_NEAR(shown[i].y, before[i].y, 1e-4f);
        EXPECT_NE(std::find_if(after.begin(), after.end(),
                               [&](const b2Vec2& p) { return b2Distance(p, shown[i]) < 1e-4f; }),
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
    drag('s', b2Vec2(1.0f, 1.0f), b2Vec2(-1.0f, 1.0f));
    press('x');
    click(0);
    const Physics::ShapeGeometry g = Physics::GetGeometry(chain);
    EXPECT_EQ(g.points, (std::vector<b2Vec2>{{-6, 1}, {-4, 0}, {-2, 0}}));
    EXPECT_TRUE(g.hasGhostAfter);
    EXPECT_FALSE(g.hasGhostBefore);
}

// Fixtures.

TEST_F(Operations, TranslatedChainKeepsItsFixtureNameGhostsAndSelection)
{
    b2Fixture* chain = addChain(addBody(b2Vec2_zero, b2_staticBody), {{0, 0}, {4, 0}, {8, 2}}, false);
    Physics::SetChainGhosts(chain, Physics::ChainGhosts{true, false, b2Vec2(-2.0f, 1.0f), b2Vec2_zero});
    host.names.fixtureNames[chain] = "rail";
    press('f');
    clickAt(b2Vec2(4.0f, 0.0f));
    drag('g', b2Vec2(4.0f, 0.0f), b2Vec2(5.0f, 3.0f));
    click(0);
    EXPECT_EQ(world()->GetBodyList()->GetFixtureList(), chain);
    EXPECT_EQ(state().selectedFixtures.count(chain), 1u);
    EXPECT_EQ(editor.getNameOfFixture(chain), "rail");
    const Physics::ShapeGeometry g = Physics::GetGeometry(chain);
    EXPECT_EQ(g.points, (std::vector<b2Vec2>{{1, 3}, {5, 3}, {9, 5}}));
    EXPECT_TRUE(g.hasGhostBefore);
    EXPECT_FALSE(g.hasGhostAfter);
    EXPECT_EQ(g.ghostBefore, b2Vec2(-1.0f, 4.0f));
}

// Refusals: nothing changes, a message says why, and the operation stays open to be corrected.

struct Refusal
{
    const char* what;
    std::function<void(OperationScene&)> setUp;  // builds, selects, opens and aims the operation
    bool ctrl;
    const char* reason;
};

void ExpectRefused(const Refusal& refusal)
{
    SCOPED_TRACE(refusal.what);
    OperationScene t;
    refusal.setUp(t);
    const std::string before = t.written();
    const int open = t.state().state;
    t.click(0, false, refusal.ctrl);
    EXPECT_EQ(t.written(), before);
    EXPECT_EQ(t.state().state, open);
    ASSERT_FALSE(t.editor.messages().empty());
    const std::string message = t.editor.messages().back().text;
    EXPECT_NE(message.find(refusal.reason), std::string::npos) << message;
}

// A joint whose B anchor is at (3, 0) and A anchor at the origin.
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

// Selects the joint and drags its B anchor onto its A anchor.
void AnchorOntoAnchor(OperationScene& t, b2JointType type)
{
    AddJoint(t, type);
    t.press('j');
    t.clickAt(b2Vec2_zero);
    t.moveMouse(b2Vec2(3.0f, 0.0f));
    t.press('g');
    t.press('g');
    t.moveMouse(b2Vec2_zero);
}

TEST(RefusedOperations, LeaveTheWorldAsItWasSayWhyAndStayOpen)
{
    const Refusal refusals[] = {
        {"fixtures scaled to zero with Ctrl",
         [](OperationScene& t) {
             b2Body* body = t.addBody(b2Vec2(5.0f, 0.0f));
             t.addBox(body, 1.0f, 1.0f);
             t.addCircle(body, 0.5f, b2Vec2(2.0f, 0.0f));
             t.press('f');
             t.clickAt(b2Vec2(5.0f, 0.0f));
             t.clickAt(b2Vec2(7.0f, 0.0f), 0, true);
             t.drag('s', b2Vec2(10.0f, 0.0f), b2Vec2(0.5f, 0.0f));
         },
         true, "Scaling refused"},
        {"circle scaled to no radius",
         [](OperationScene& t) {
             t.addCircle(t.addBody(b2Vec2(5.0f, 0.0f)), 0.5f);
             t.press('f');
             t.clickAt(b2Vec2(5.0f, 0.0f));
             t.drag('s', b2Vec2(10.0f, 0.0f), b2Vec2(0.5f, 0.0f));
         },
         true, "circle radius"},
        {"polygon flattened",
         [](OperationScene& t) {
             t.addBox(t.addBody(b2Vec2(5.0f, 0.0f)), 1.0f, 1.0f);
             t.press('f');
             t.clickAt(b2Vec2(5.0f, 0.0f));
             t.drag('s', b2Vec2(10.0f, 1.0f), b2Vec2(0.5f, 1.0f));
             t.press('x');
         },
         true, "polygon"},
        {"chain vertex onto its neighbour",
         [](OperationScene& t) {
             t.addChain(t.addBody(b2Vec2_zero, b2_staticBody), {{0, 0}, {4, 0}, {8, 0}}, false);
             t.press('v');
             t.clickAt(b2Vec2(4.0f, 0.0f));
             t.drag('g', b2Vec2(4.0f, 0.0f), b2Vec2(8.0f, 0.0f));
         },
         false, "chain points"},
        {"body moved too far",
         [](OperationScene& t) {
             t.addBody(b2Vec2_zero);
             t.clickAt(b2Vec2_zero);
             t.drag('g', b2Vec2_zero, b2Vec2(3e9f, 0.0f));
         },
         false, "too far"},
        {"fixture moved to no finite place",
         [](OperationScene& t) {
             t.addBox(t.addBody(b2Vec2_zero), 1.0f, 1.0f);
             t.press('f');
             t.clickAt(b2Vec2_zero);
             t.drag('g', b2Vec2_zero, b2Vec2(NAN, 0.0f));
         },
         false, "not finite"},
        {"distance joint anchors made to coincide", [](OperationScene& t) { AnchorOntoAnchor(t, e_distanceJoint); },
         false, "coincide"},
        {"rope anchors made to coincide", [](OperationScene& t) { AnchorOntoAnchor(t, e_ropeJoint); }, false,
         "coincide"},
        {"prismatic axis of no length", [](OperationScene& t) { AnchorOntoAnchor(t, e_prismaticJoint); }, false,
         "no length"},
    };
    for (const Refusal& refusal : refusals)
    {
        ExpectRefused(refusal);
    }
}

}  // namespace
