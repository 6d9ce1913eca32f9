// What the editor draws: frames rendered into the shell's window and read back (every overlay
// against its reference picture), and the overlay text rows composed without a display.
#include "Editor/Editor.h"
#include "Editor/EditorText.h"
#include "Editor/Mat33.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "Support/Shell/PixelReference.h"
#include "Support/Shell/ShellFixture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{

struct Pixel
{
    int r;
    int g;
    int b;
};

class EditorDrawingTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        getViewportDimensions(m_width, m_height);
    }

    // Shows the world rectangle around `centre` at `zoom` and tells the editor so.
    void View(Editor& editor, b2Vec2 centre, float zoom)
    {
        getSettings()->viewCenter = centre;
        setViewZoom(zoom);
        UpdateProjection();
        editor.setDisplayArea(ConvertScreenToWorld(0, m_height), ConvertScreenToWorld(m_width, 0), m_width, m_height);
    }

    void Render(Editor& editor, int frames)
    {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        editor.beginDrawing();
        for (int i = 0; i < frames; ++i)
        {
            editor.render();
        }
        editor.endDrawing();
    }

    // One frame on a black background, read back.
    void DrawFrame(Editor& editor)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        Render(editor, 1);
        m_pixels.assign(static_cast<size_t>(m_width) * m_height * 4, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, m_pixels.data());
    }

    // Pixel (x, y) of the last frame, y from the top.
    Pixel At(int x, int y) const
    {
        const unsigned char* p = &m_pixels[(static_cast<size_t>(m_height - 1 - y) * m_width + x) * 4];
        return Pixel{p[0], p[1], p[2]};
    }

    // Pixels of the last frame in the box [x0, x1) × [y0, y1) that match.
    std::vector<std::pair<int, int>> Find(int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& matches)
    {
        std::vector<std::pair<int, int>> found;
        for (int y = std::max(y0, 0); y < std::min(y1, m_height); ++y)
        {
            for (int x = std::max(x0, 0); x < std::min(x1, m_width); ++x)
            {
                if (matches(At(x, y)))
                {
                    found.emplace_back(x, y);
                }
            }
        }
        return found;
    }

    // Whether a pixel within one of (dx, dy) from the world point matches.
    bool Near(const b2Vec2& world, int dx, int dy, const std::function<bool(Pixel)>& matches)
    {
        int x = 0;
        int y = 0;
        WorldToPixel(world, x, y);
        return !Find(x + dx - 1, y + dy - 1, x + dx + 2, y + dy + 2, matches).empty();
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<unsigned char> m_pixels;
};

bool IsRed(Pixel p)
{
    return p.r > 150 && p.g < 100 && p.b < 100;
}

bool IsWhite(Pixel p)
{
    return p.r > 150 && p.g > 150 && p.b > 150;
}

bool IsYellow(Pixel p)
{
    return p.r > 180 && p.g > 180 && p.b < 100;
}

std::vector<std::string> Texts(const TextRows& rows)
{
    std::vector<std::string> texts;
    for (const TextRow& row : rows)
    {
        texts.push_back(row.text);
    }
    return texts;
}

bool Contains(const TextRows& rows, const std::string& text)
{
    std::vector<std::string> texts = Texts(rows);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

b2Body* AddBox(b2World* world, b2BodyType type, b2Vec2 position, float half)
{
    b2BodyDef bd;
    bd.type = type;
    bd.position = position;
    b2Body* body = world->CreateBody(&bd);
    b2PolygonShape box;
    box.SetAsBox(half, half);
    body->CreateFixture(&box, 1.0f);
    return body;
}

}  // namespace

TEST_F(EditorDrawingTest, CursorRingAlternatesRedAndWhiteEvenWithoutAWorld)
{
    Editor editor(nullptr);
    View(editor, b2Vec2_zero, 1.0f);
    DrawFrame(editor);

    // The ring starts at the top and runs clockwise: red, then white, 8 pixels out.
    EXPECT_TRUE(Near(b2Vec2_zero, 2, -8, IsRed));
    EXPECT_FALSE(Near(b2Vec2_zero, 2, -8, IsWhite));
    EXPECT_TRUE(Near(b2Vec2_zero, 5, -6, IsWhite));
}

TEST_F(EditorDrawingTest, OnlyTheSelectedBodyIsOutlinedInTheSelectionColour)
{
    ::Test host;
    b2Body* chosen = AddBox(host.GetWorld(), b2_dynamicBody, b2Vec2(6.0f, 4.0f), 3.0f);
    AddBox(host.GetWorld(), b2_dynamicBody, b2Vec2(-6.0f, 4.0f), 3.0f);
    Editor editor(&host);
    View(editor, b2Vec2_zero, 1.0f);
    int x = 0;
    int y = 0;
    WorldToPixel(chosen->GetPosition(), x, y);
    editor.handleMouseMove(b2Vec2(static_cast<float>(x), static_cast<float>(y)), chosen->GetPosition());
    editor.updateSelectionCandidate();
    editor.select(0);
    ASSERT_EQ(editor.controlState().selectedBodies.count(chosen), 1u);
    DrawFrame(editor);

    // Right edges of the two boxes, halfway up.
    EXPECT_TRUE(Near(b2Vec2(9.0f, 5.0f), 0, 0, IsYellow));
    EXPECT_FALSE(Near(b2Vec2(-3.0f, 5.0f), 0, 0, IsYellow));
}

TEST_F(EditorDrawingTest, TentativeOutlineIsWhereTheAcceptedShapeIsDrawn)
{
    // A box on a turned body, all four corners scaled along the world's x axis only: the case
    // where the body's axes and the world's differ.
    ::Test host;
    b2Body* body = AddBox(host.GetWorld(), b2_staticBody, b2Vec2(8.0f, 5.0f), 2.0f);
    body->SetTransform(body->GetPosition(), 0.5f);
    Editor editor(&host);
    View(editor, b2Vec2(10.0f, 5.0f), 0.2f);
    auto mouse = [&](const b2Vec2& p) {
        int x = 0;
        int y = 0;
        WorldToPixel(p, x, y);
        editor.handleMouseMove(b2Vec2(static_cast<float>(x), static_cast<float>(y)), p);
    };
    const auto* box = static_cast<const b2PolygonShape*>(body->GetFixtureList()->GetShape());
    editor.handleKeyDown('v');
    for (int i = 0; i < box->m_count; ++i)
    {
        mouse(body->GetWorldPoint(box->m_vertices[i]));
        editor.setSpecialKeyState(i > 0, false, false);
        editor.handleMouseButtonDown(0);
    }
    editor.setSpecialKeyState(false, false, false);
    mouse(b2Vec2(8.0f, 1.0f));
    editor.handleKeyDown('s');
    editor.handleKeyDown('x');
    mouse(b2Vec2(10.0f, 1.0f));

    // Tentative outline: (1, 1, 0.75); the accepted shape's outline: the static body colour.
    auto tentative = [](Pixel p) { return p.r > 240 && p.g > 240 && p.b > 150 && p.b < 230; };
    auto accepted = [](Pixel p) { return p.g > 150 && p.g > p.r + 50 && p.g > p.b + 50; };
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    WorldToPixel(b2Vec2(6.0f, 8.5f), x0, y0);
    WorldToPixel(b2Vec2(15.0f, 1.5f), x1, y1);
    DrawFrame(editor);
    const auto before = Find(x0, y0, x1, y1, tentative);
    editor.handleMouseButtonDown(0);
    ASSERT_EQ(editor.controlState().state, 0);
    DrawFrame(editor);
    const auto after = Find(x0, y0, x1, y1, accepted);
    ASSERT_GT(before.size(), 100u);
    ASSERT_GT(after.size(), 100u);

    // Away from the corners (where vertex markers cover the lines) each outline lies on the other.
    std::vector<std::pair<int, int>> corners;
    for (int i = 0; i < box->m_count; ++i)
    {
        int x = 0;
        int y = 0;
        WorldToPixel(body->GetWorldPoint(box->m_vertices[i]), x, y);
        corners.emplace_back(x, y);
    }
    auto near = [](const std::pair<int, int>& p, const std::vector<std::pair<int, int>>& points, int reach) {
        return std::any_of(points.begin(), points.end(), [&](const std::pair<int, int>& q) {
            return std::abs(p.first - q.first) <= reach && std::abs(p.second - q.second) <= reach;
        });
    };
    for (const auto* pair : {&before, &after})
    {
        const auto& other = pair == &before ? after : before;
        for (const auto& p : *pair)
        {
            if (!near(p, corners, 8))
            {
                ASSERT_TRUE(near(p, other, 1)) << p.first << "," << p.second;
            }
        }
    }
}

TEST_F(EditorDrawingTest, GridLevelsAppearAsTheViewZoomsIn)
{
    Editor editor(nullptr);
    auto fine = [](Pixel p) { return p.b > 40 && p.r < 30 && p.g < 30; };
    auto unit = [](Pixel p) { return p.g > 25 && p.r < 20 && p.b < 20; };
    auto coarse = [](Pixel p) { return p.r > 60 && p.g < 30 && p.b < 30; };
    struct Case
    {
        float pixelsPerUnit;
        bool fine;
        bool unit;
        bool coarse;
    };
    // Around (1000, 1000), so that a line of every level is in view and the origin is not; the
    // text rows at the top are left out.
    for (const Case& c : {Case{300.0f, true, true, true}, Case{26.0f, false, true, true},
                          Case{24.0f, false, false, true}, Case{2.4f, false, false, false}})
    {
        float zoom = static_cast<float>(m_width) / (c.pixelsPerUnit * 50.0f);
        View(editor, b2Vec2(1000.37f, 1000.41f), zoom);
        DrawFrame(editor);
        SCOPED_TRACE(c.pixelsPerUnit);
        EXPECT_EQ(!Find(0, 80, m_width, m_height, fine).empty(), c.fine);
        EXPECT_EQ(!Find(0, 80, m_width, m_height, unit).empty(), c.unit);
        EXPECT_EQ(!Find(0, 80, m_width, m_height, coarse).empty(), c.coarse);
    }
}

TEST_F(EditorDrawingTest, MessagesStackOldestFirstFadeAndAgeOutAfterSixHundredFrames)
{
    Editor editor(nullptr);
    View(editor, b2Vec2_zero, 1.0f);
    // Without a trace image the first frame reports it, in red like the first message below.
    Render(editor, 1);
    ASSERT_EQ(editor.messages().size(), 1u);
    editor.addMessage("first message", k_errorColour);
    editor.addMessage("second message", k_successColour);
    auto red = [](Pixel p) { return p.r > 30 && p.g < 20 && p.b < 20; };
    auto green = [](Pixel p) { return p.g > 30 && p.r < 20 && p.b < 20; };
    auto meanRow = [](const std::vector<std::pair<int, int>>& found) {
        double sum = 0.0;
        for (const auto& p : found)
        {
            sum += p.second;
        }
        return found.empty() ? -1.0 : sum / static_cast<double>(found.size());
    };
    DrawFrame(editor);
    auto redText = Find(0, 0, 200, 100, red);
    auto greenText = Find(0, 0, 200, 100, green);
    ASSERT_FALSE(redText.empty());
    ASSERT_FALSE(greenText.empty());
    EXPECT_LT(meanRow(redText), meanRow(greenText));
    int brightest = 0;
    for (const auto& p : redText)
    {
        brightest = std::max(brightest, At(p.first, p.second).r);
    }
    EXPECT_GT(brightest, 240);

    // Half a second before the end (frame 571) the text is drawn at about half strength.
    Render(editor, 569);
    DrawFrame(editor);
    ASSERT_EQ(editor.messages().size(), 3u);
    int faded = 0;
    for (const auto& p : Find(0, 0, 200, 100, red))
    {
        faded = std::max(faded, At(p.first, p.second).r);
    }
    EXPECT_GT(faded, 60);
    EXPECT_LT(faded, 190);

    Render(editor, 40);
    EXPECT_TRUE(editor.messages().empty());
}

// A scene with every shape and joint type the editor draws, shown in each edit method with a
// candidate and a selection, and during each operation's overlay, against the pictures the
// editor drew before its drawing was batched.
TEST_F(EditorDrawingTest, EveryOverlayDrawsItsReferencePicture)
{
    Resize(520, 300);
    getViewportDimensions(m_width, m_height);
    ::Test host;
    b2World* world = host.GetWorld();
    b2BodyDef groundDef;
    b2Body* ground = world->CreateBody(&groundDef);
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(-9.0f, -1.0f), b2Vec2(9.0f, -1.0f));
    ground->CreateFixture(&edge, 0.0f);
    const b2Vec2 hill[] = {{-9.0f, 0.0f}, {-6.0f, 1.0f}, {-3.0f, 0.5f}};
    b2ChainShape chain;
    Physics::SetChain(chain, hill, 3);
    ground->CreateFixture(&chain, 0.0f);
    b2Body* a = AddBox(world, b2_dynamicBody, b2Vec2(-4.0f, 4.0f), 1.0f);
    b2CircleShape circle;
    circle.m_p.Set(0.5f, 0.5f);
    circle.m_radius = 0.75f;
    a->CreateFixture(&circle, 1.0f);
    b2Body* b = AddBox(world, b2_dynamicBody, b2Vec2(0.0f, 4.0f), 0.8f);
    b->SetTransform(b->GetPosition(), 0.4f);
    b2Body* c = AddBox(world, b2_kinematicBody, b2Vec2(4.0f, 4.0f), 0.6f);
    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position.Set(0.0f, 9.0f);
    b2Body* d = world->CreateBody(&bd);
    const b2Vec2 ring[] = {{-1.5f, -1.0f}, {1.5f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.2f}};
    b2ChainShape loop;
    Physics::SetLoop(loop, ring, 4);
    d->CreateFixture(&loop, 0.0f);
    d->CreateFixture(&circle, 1.0f);
    b2RevoluteJointDef hinge;
    hinge.Initialize(a, b, b2Vec2(-2.0f, 4.0f));
    hinge.enableLimit = true;
    hinge.lowerAngle = -0.5f;
    hinge.upperAngle = 1.0f;
    world->CreateJoint(&hinge);
    b2PrismaticJointDef slider;
    slider.Initialize(b, c, b2Vec2(2.0f, 4.0f), b2Vec2(1.0f, 0.0f));
    slider.enableLimit = true;
    slider.lowerTranslation = -1.0f;
    slider.upperTranslation = 2.0f;
    world->CreateJoint(&slider);
    b2DistanceJointDef rod;
    rod.Initialize(a, d, a->GetPosition(), d->GetPosition());
    world->CreateJoint(&rod);
    b2WheelJointDef wheel;
    wheel.Initialize(c, d, c->GetPosition(), b2Vec2(0.0f, 1.0f));
    world->CreateJoint(&wheel);
    Physics::RopeJointDef rope;
    rope.bodyA = ground;
    rope.bodyB = c;
    rope.localAnchorA.Set(6.0f, 0.0f);
    rope.maxLength = 6.0f;
    Physics::CreateRopeJoint(world, rope);

    Editor editor(&host);
    View(editor, b2Vec2(0.0f, 4.0f), 0.45f);
    auto mouse = [&](const b2Vec2& p) {
        int x = 0;
        int y = 0;
        WorldToPixel(p, x, y);
        editor.handleMouseMove(b2Vec2(static_cast<float>(x), static_cast<float>(y)), p);
    };
    auto click = [&](const b2Vec2& p, bool shift) {
        mouse(p);
        editor.setSpecialKeyState(shift, false, false);
        editor.handleMouseButtonDown(0);
        editor.setSpecialKeyState(false, false, false);
    };
    auto expectPicture = [&](const std::string& name) {
        DrawFrame(editor);
        EXPECT_EQ(DifferingPixels("Editor/frames/" + name + ".picture", ReadDrawingArea()), 0) << name;
    };

    // Bodies: two selected, one under the mouse with its information.
    click(a->GetPosition(), false);
    click(c->GetPosition(), true);
    mouse(b->GetPosition());
    editor.handleKeyDown('i');
    expectPicture("bodies");
    editor.handleKeyDown('r');
    mouse(b2Vec2(2.0f, 8.0f));
    expectPicture("bodies-rotate");
    editor.handleKeyDown(27);

    // Joints: the revolute and prismatic joints selected (with their limits), the rod a candidate.
    editor.handleKeyDown('j');
    click(b2Vec2(-2.0f, 4.0f), false);
    click(b2Vec2(2.0f, 4.0f), true);
    mouse(a->GetPosition());
    expectPicture("joints");
    editor.handleKeyDown('g');
    mouse(b2Vec2(1.0f, 6.0f));
    expectPicture("joints-translate");
    editor.handleKeyDown(27);

    // Vertices: the insertion point under Tab, then two corners being scaled.
    editor.handleKeyDown('v');
    editor.handleKeyDown(9);
    mouse(b2Vec2(4.6f, 4.0f));
    expectPicture("vertices-insertion");
    editor.handleKeyUp(9);
    click(c->GetWorldPoint(b2Vec2(0.6f, 0.6f)), false);
    click(c->GetWorldPoint(b2Vec2(0.6f, -0.6f)), true);
    mouse(b2Vec2(6.0f, 2.0f));
    editor.handleKeyDown('s');
    mouse(b2Vec2(7.0f, 1.0f));
    expectPicture("vertices-scale");
    editor.handleKeyDown(27);

    // Fixtures: the loop and circle of one body moved along x.
    editor.handleKeyDown('f');
    click(b2Vec2(1.5f, 8.0f), false);
    mouse(b2Vec2(0.0f, 9.0f));
    editor.handleKeyDown('g');
    editor.handleKeyDown('x');
    mouse(b2Vec2(2.0f, 10.0f));
    expectPicture("fixtures-translate");
    editor.handleKeyDown(27);

    // Measuring from the cursor.
    editor.handleKeyDown('m');
    mouse(b2Vec2(-6.0f, 7.0f));
    expectPicture("measure");
}

TEST(EditorDrawingText, BitMasksReadAsTheValuesOfTheirBits)
{
    EXPECT_EQ(humanReadableBitMask(0), "zero");
    EXPECT_EQ(humanReadableBitMask(0xFFFF), "all bits set");
    EXPECT_EQ(humanReadableBitMask(0x8001), "1,32768");
    EXPECT_EQ(humanReadableBitMask(0x0006), "2,4");
}

TEST(EditorDrawingText, InfoDescribesBodiesFixturesAndJoints)
{
    b2World world(b2Vec2(0.0f, -10.0f));
    b2BodyDef bd;
    b2Body* bare = world.CreateBody(&bd);
    TextRows bareRows = BodyInfoText(*bare, "");
    EXPECT_EQ(bareRows[1].text, "  Type: static");
    EXPECT_EQ(bareRows.back().text, "  Fixtures: 0");
    EXPECT_EQ(bareRows.back().colour.g, 0.0f);

    b2Body* body = AddBox(&world, b2_dynamicBody, b2Vec2(1.0f, 2.0f), 0.5f);
    b2ChainShape loop;
    const b2Vec2 points[] = {{0.0f, 0.0f}, {4.0f, 0.0f}, {4.0f, 4.0f}};
    loop.CreateLoop(points, 3);
    b2Fixture* chain = body->CreateFixture(&loop, 0.0f);
    TextRows bodyRows = BodyInfoText(*body, "crate");
    EXPECT_EQ(bodyRows[1].text, "  Name: crate");
    EXPECT_TRUE(Contains(bodyRows, "  Position: 1.000000,2.000000"));
    EXPECT_TRUE(Contains(bodyRows, "    Polygon: 1"));
    EXPECT_TRUE(Contains(bodyRows, "    Loop: 1"));
    EXPECT_TRUE(Contains(bodyRows, "      Total child edges: 3"));
    EXPECT_FALSE(Contains(bodyRows, "    Circle: 0"));

    b2Filter filter;
    filter.categoryBits = 0x0003;
    chain->SetFilterData(filter);
    TextRows chainRows = FixtureInfoText(*chain, "");
    EXPECT_TRUE(Contains(chainRows, "  Shape: chain"));
    EXPECT_TRUE(Contains(chainRows, "  Category bits: 1,2"));
    EXPECT_TRUE(Contains(chainRows, "  Mask bits: all bits set"));
    EXPECT_TRUE(Contains(chainRows, "  Sub-type: loop"));

    b2RevoluteJointDef hinge;
    hinge.Initialize(bare, body, b2Vec2(1.0f, 2.0f));
    hinge.enableLimit = true;
    hinge.lowerAngle = -0.5f * b2_pi;
    hinge.upperAngle = 0.25f * b2_pi;
    TextRows hingeRows = JointInfoText(*world.CreateJoint(&hinge), "hinge");
    EXPECT_EQ(Texts(hingeRows)[2], "  Type: revolute");
    EXPECT_TRUE(Contains(hingeRows, "  Lower limit: -90.000000 deg"));
    EXPECT_TRUE(Contains(hingeRows, "    (movement range: 135.000000 deg)"));

    Physics::RopeJointDef rope;
    rope.bodyA = bare;
    rope.bodyB = body;
    rope.localAnchorB.Set(0.0f, 0.5f);
    rope.maxLength = 3.5f;
    TextRows ropeRows = JointInfoText(*Physics::CreateRopeJoint(&world, rope), "");
    EXPECT_TRUE(Contains(ropeRows, "  Type: rope"));
    EXPECT_TRUE(Contains(ropeRows, "  Max length: 3.500000"));

    b2DistanceJointDef spring;
    spring.Initialize(bare, body, b2Vec2_zero, b2Vec2(1.0f, 2.0f));
    b2Joint* distance = world.CreateJoint(&spring);
    Physics::SetSpring(distance, 4.0f, 0.5f);
    EXPECT_TRUE(Contains(JointInfoText(*distance, ""), "  Frequency: 4.0000 Hz"));
}

TEST(EditorDrawingText, OperationBlockFollowsTheState)
{
    OperationView view;
    view.editMethod = EM_FIXTURES;
    EXPECT_EQ(Texts(OperationText(view)), std::vector<std::string>{"Selecting fixtures (0)"});
    view.selectedCount = 2;
    EXPECT_TRUE(Contains(OperationText(view), "  Del : delete selection (press twice)"));

    view.state = CS_DELETE;
    EXPECT_EQ(Texts(OperationText(view))[0], "Pending deletion  (2 fixtures)");
    view.editMethod = EM_JOINTS;
    EXPECT_EQ(Texts(OperationText(view)),
              (std::vector<std::string>{"", "  Press Del again to confirm", "  Esc : cancel"}));

    view.state = CS_MEASURE;
    view.mouseFromStart.Set(3.0f, 4.0f);
    EXPECT_TRUE(Contains(OperationText(view), "  Distance : 5.000000"));
    view.state = CS_ROTATE | CS_UPPER_LIMIT;
    EXPECT_TRUE(Contains(OperationText(view), "  Press l again to switch to lower limit"));

    // Moving joint anchor A names the other anchor's body as the next one to move.
    view.state = CS_TRANSLATE | CS_ANCHOR_A;
    view.delta.Set(1.5f, -2.0f);
    std::vector<std::string> texts = Texts(OperationText(view));
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 5),
              (std::vector<std::string>{"Translating (body A joint anchor)", "  Delta : 1.5000, -2.0000", "",
                                        "  Press g/t again to move joint anchor for body B", ""}));
    view.editMethod = EM_BODIES;
    view.limitJointSelected = true;
    view.state = CS_ROTATE;
    view.angle = 0.5f;
    view.rotateAroundSelection = true;
    texts = Texts(OperationText(view));
    EXPECT_EQ(texts[0], "Rotating around selection");
    EXPECT_EQ(texts[1], "  Angle : 28.6479 degrees");
    EXPECT_EQ(texts[3], "  Press l to set joint limits for currently selected joint");
    EXPECT_EQ(texts.back(), "* Hold Ctrl to move in steps of 5 degrees");
    view.state = CS_SCALE | CS_Y_AXIS;
    view.factor.Set(1.0f, 0.25f);
    EXPECT_TRUE(Contains(OperationText(view), "  Factor : 1.0000,0.2500"));
    // Flags that never go together describe nothing.
    view.state = CS_SCALE | CS_ANCHOR_A;
    EXPECT_TRUE(OperationText(view).empty());
}

TEST(EditorDrawingText, LongLinesAreCutNotOverrun)
{
    std::string name(1000, 'n');
    EXPECT_EQ(FormatText("  Name: %s", name.c_str()).size(), 255u);
}

TEST(EditorDrawingMatrices, CompositionAppliesTheFirstMatrixFirst)
{
    b2Mat33 move;
    b2Mat33 turn;
    setMat33Translation(move, b2Vec2(1.0f, 0.0f));
    setMat33Rotation(turn, 0.5f * b2_pi);
    b2Vec2 p = b2Mul(b2Mul(move, turn), b2Vec2(1.0f, 0.0f));
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y, 2.0f, 1e-6f);

    b2Transform xf(b2Vec2(3.0f, -2.0f), b2Rot(0.7f));
    b2Mat33 there;
    b2Mat33 back;
    setMat33Transform(there, xf);
    setMat33TransformT(back, xf);
    b2Vec2 q = b2Mul(b2Mul(there, back), b2Vec2(0.25f, 5.0f));
    EXPECT_NEAR(q.x, 0.25f, 1e-5f);
    EXPECT_NEAR(q.y, 5.0f, 1e-5f);

    // Angles far out of range come back within a turn instead of looping for ever.
    float huge = 1.0e30f;
    normalizeAngle(huge);
    EXPECT_LE(std::fabs(huge), b2_pi);
    float angle = 3.5f * b2_pi;
    normalizeAngle(angle);
    EXPECT_NEAR(angle, -0.5f * b2_pi, 1e-5f);
}
