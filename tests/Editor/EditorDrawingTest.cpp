// What the editor draws: frames rendered into the shell's window and read back (every overlay
// against its reference picture, the grid, messages and the trace image), and the overlay text
// rows composed without a display.
#include "Editor/Bitmap.h"
#include "Editor/EditorModelScene.h"
#include "Editor/EditorText.h"
#include "Editor/Mat33.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "Support/Shell/PixelReference.h"
#include "Support/Shell/ShellFixture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{

struct Pixel
{
    int r, g, b;
};

class EditorDrawingTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        getViewportDimensions(m_width, m_height);
    }

    // The trace image is read from the working directory, where it must not outlive its test.
    void TearDown() override
    {
        std::remove("vexatrace.bmp");
        imageScale = 4.75f;
        ShellTest::TearDown();
    }

    // Shows the world rectangle around `centre` at `zoom` and tells the editor so.
    void View(Editor& editor, b2Vec2 centre, float zoom)
    {
        getSettings()->viewCenter = centre;
        setViewZoom(zoom);
        UpdateProjection();
        editor.setDisplayArea(ConvertScreenToWorld(0, m_height), ConvertScreenToWorld(m_width, 0), m_width, m_height);
    }

    void MoveMouse(Editor& editor, const b2Vec2& p)
    {
        int x = 0;
        int y = 0;
        WorldToPixel(p, x, y);
        editor.handleMouseMove(b2Vec2(static_cast<float>(x), static_cast<float>(y)), p);
    }

    void ClickAt(Editor& editor, const b2Vec2& p, bool shift)
    {
        MoveMouse(editor, p);
        editor.setSpecialKeyState(shift, false, false);
        editor.handleMouseButtonDown(0);
        editor.setSpecialKeyState(false, false, false);
    }

    // Frames drawn over each other on one black background, then read back.
    void DrawFrame(Editor& editor, int frames = 1)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        editor.beginDrawing();
        for (int i = 0; i < frames; ++i)
        {
            editor.render();
        }
        editor.endDrawing();
        m_frame = ReadDrawingArea();
    }

    // Pixel (x, y) of the last frame, y from the top.
    Pixel At(int x, int y) const
    {
        const unsigned char* p = &m_frame.rgb[(static_cast<size_t>(m_height - 1 - y) * m_width + x) * 3];
        return Pixel{p[0], p[1], p[2]};
    }

    // The first row of the box [x0, x1) × [y0, y1) of the last frame, from the top, with a pixel
    // that matches (-1 when none does), and the strongest red of the pixels that match.
    std::pair<int, int> Find(int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& matches) const
    {
        int top = -1;
        int reddest = 0;
        for (int y = y0; y < y1; ++y)
        {
            for (int x = x0; x < x1; ++x)
            {
                const Pixel p = At(x, y);
                if (matches(p))
                {
                    top = top < 0 ? y : top;
                    reddest = std::max(reddest, p.r);
                }
            }
        }
        return {top, reddest};
    }

    // The trace image's test view, (-1, -1) to about (11, 11), read back at world points as the
    // colour that dominates there: 'r', 'g', 'b', or 'k' for black.
    std::string ColoursAt(Editor& editor, const std::vector<b2Vec2>& points)
    {
        View(editor, b2Vec2(5.0f, 5.0f), 0.25f);
        DrawFrame(editor);
        std::string colours;
        for (const b2Vec2& p : points)
        {
            int x = 0;
            int y = 0;
            WorldToPixel(p, x, y);
            const Pixel c = At(x, y);
            const int strongest = std::max({c.r, c.g, c.b});
            colours += strongest < 40 ? 'k' : strongest == c.r ? 'r' : strongest == c.g ? 'g' : 'b';
        }
        return colours;
    }

    int m_width = 0;
    int m_height = 0;
    Picture m_frame;
};

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
    return std::any_of(rows.begin(), rows.end(), [&](const TextRow& row) { return row.text == text; });
}

}  // namespace

// What an editor without a world draws: messages, the grid, and the trace image, "vexatrace.bmp" of
// the working directory, stretched over the square from the world origin to (imageScale,
// imageScale) behind everything else.
TEST_F(EditorDrawingTest, MessagesStackFadeAndAgeOutGridLevelsFollowTheZoomAndTheTraceImageFillsItsSquare)
{
    Editor editor(nullptr);
    View(editor, b2Vec2_zero, 1.0f);
    // Without a trace image the first frame reports it, in red, as every overlay picture shows.
    DrawFrame(editor);
    ASSERT_EQ(editor.messages().size(), 1u);
    editor.addMessage("first message", k_errorColour);
    editor.addMessage("second message", k_successColour);
    auto red = [](Pixel p) { return p.r > 30 && p.g < 20 && p.b < 20; };
    auto green = [](Pixel p) { return p.g > 30 && p.r < 20 && p.b < 20; };
    DrawFrame(editor);
    // The older, red text starts above the green.
    const auto [redTop, redStrength] = Find(0, 0, 200, 100, red);
    const int greenTop = Find(0, 0, 200, 100, green).first;
    ASSERT_GE(redTop, 0);
    ASSERT_GE(greenTop, 0);
    EXPECT_LT(redTop, greenTop);
    EXPECT_GT(redStrength, 240);
    // Half a second before the end (frame 571) the text is drawn at about half strength.
    DrawFrame(editor, 569);
    DrawFrame(editor);
    ASSERT_EQ(editor.messages().size(), 3u);
    const int faded = Find(0, 0, 200, 100, red).second;
    EXPECT_GT(faded, 60);
    EXPECT_LT(faded, 190);
    DrawFrame(editor, 40);
    EXPECT_TRUE(editor.messages().empty()) << "messages last 600 frames";

    auto fine = [](Pixel p) { return p.b > 40 && p.r < 30 && p.g < 30; };
    auto unit = [](Pixel p) { return p.g > 25 && p.r < 20 && p.b < 20; };
    auto coarse = [](Pixel p) { return p.r > 60 && p.g < 30 && p.b < 30; };
    struct Case
    {
        float pixelsPerUnit;
        bool fine, unit, coarse;
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
        EXPECT_EQ(Find(0, 80, m_width, m_height, fine).first >= 0, c.fine);
        EXPECT_EQ(Find(0, 80, m_width, m_height, unit).first >= 0, c.unit);
        EXPECT_EQ(Find(0, 80, m_width, m_height, coarse).first >= 0, c.coarse);
    }

    // Red, green and blue columns: rows of three pixels, which are not a multiple of four. A new
    // editor would report a missing image on its first frame, as above.
    const std::vector<std::uint32_t> rows = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000, 0x00FF00, 0x0000FF};
    std::ofstream("vexatrace.bmp", std::ios::binary) << BitmapFileBytes({3, 2, 24, 0, {}, {}, BitmapRows(3, rows, 24)});
    Editor traced(nullptr);
    // The columns' centres, and a point beyond the square.
    EXPECT_EQ(ColoursAt(traced, {{0.79f, 1.55f}, {2.37f, 3.55f}, {3.96f, 1.55f}, {7.92f, 3.55f}}), "rgbk");
    imageScale = 9.5f;
    EXPECT_EQ(ColoursAt(traced, {{1.58f, 1.55f}, {4.75f, 3.55f}, {7.92f, 3.55f}}), "rgb");
    EXPECT_TRUE(traced.messages().empty());
}

// A scene with every shape and joint type the editor draws, shown in each edit method with a
// candidate and a selection, and during each operation's overlay, against the pictures the
// editor drew before its drawing was batched.
TEST_F(EditorDrawingTest, EveryOverlayDrawsItsReferencePictureAndInformationRowsDescribeTheObjects)
{
    Resize(520, 300);
    getViewportDimensions(m_width, m_height);
    EditorModelScene scene;
    b2World* world = scene.world();
    b2Body* ground = scene.addBody(b2Vec2_zero, b2_staticBody);
    scene.addEdge(ground, b2Vec2(-9.0f, -1.0f), b2Vec2(9.0f, -1.0f));
    scene.addChain(ground, {{-9.0f, 0.0f}, {-6.0f, 1.0f}, {-3.0f, 0.5f}}, false);
    b2Body* a = scene.addBody(b2Vec2(-4.0f, 4.0f));
    scene.addBox(a, 1.0f, 1.0f);
    scene.addCircle(a, 0.75f, b2Vec2(0.5f, 0.5f));
    b2Body* b = scene.addBody(b2Vec2(0.0f, 4.0f), b2_dynamicBody, 0.4f);
    scene.addBox(b, 0.8f, 0.8f);
    b2Body* c = scene.addBody(b2Vec2(4.0f, 4.0f), b2_kinematicBody);
    scene.addBox(c, 0.6f, 0.6f);
    b2Body* d = scene.addBody(b2Vec2(0.0f, 9.0f));
    b2Fixture* loop = scene.addChain(d, {{-1.5f, -1.0f}, {1.5f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.2f}}, true);
    scene.addCircle(d, 0.75f, b2Vec2(0.5f, 0.5f));
    auto* hinge = static_cast<b2RevoluteJoint*>(scene.addRevolute(a, b, b2Vec2(-2.0f, 4.0f)));
    hinge->EnableLimit(true);
    hinge->SetLimits(-0.5f, 1.0f);
    b2PrismaticJointDef slider;
    slider.Initialize(b, c, b2Vec2(2.0f, 4.0f), b2Vec2(1.0f, 0.0f));
    slider.enableLimit = true;
    slider.lowerTranslation = -1.0f;
    slider.upperTranslation = 2.0f;
    world->CreateJoint(&slider);
    b2DistanceJointDef rod;
    rod.Initialize(a, d, a->GetPosition(), d->GetPosition());
    b2Joint* rodJoint = world->CreateJoint(&rod);
    b2WheelJointDef wheel;
    wheel.Initialize(c, d, c->GetPosition(), b2Vec2(0.0f, 1.0f));
    world->CreateJoint(&wheel);
    b2Joint* rope = Physics::CreateRopeJoint(world, {ground, c, b2Vec2(6.0f, 0.0f), b2Vec2_zero, 6.0f});

    Editor& editor = scene.editor;
    View(editor, b2Vec2(0.0f, 4.0f), 0.45f);
    auto expectPicture = [&](const std::string& name) {
        DrawFrame(editor);
        EXPECT_EQ(DifferingPixels("Editor/frames/" + name + ".picture", ReadDrawingArea()), 0) << name;
    };

    // Bodies: two selected, one under the mouse with its information.
    ClickAt(editor, a->GetPosition(), false);
    ClickAt(editor, c->GetPosition(), true);
    MoveMouse(editor, b->GetPosition());
    editor.handleKeyDown('i');
    expectPicture("bodies");
    editor.handleKeyDown('r');
    MoveMouse(editor, b2Vec2(2.0f, 8.0f));
    expectPicture("bodies-rotate");
    editor.handleKeyDown(27);

    // Joints: the revolute and prismatic joints selected (with their limits), the rod a candidate.
    editor.handleKeyDown('j');
    ClickAt(editor, b2Vec2(-2.0f, 4.0f), false);
    ClickAt(editor, b2Vec2(2.0f, 4.0f), true);
    MoveMouse(editor, a->GetPosition());
    expectPicture("joints");
    editor.handleKeyDown('g');
    MoveMouse(editor, b2Vec2(1.0f, 6.0f));
    expectPicture("joints-translate");
    editor.handleKeyDown(27);

    // Vertices: the insertion point under Tab, then two corners being scaled.
    editor.handleKeyDown('v');
    editor.handleKeyDown(9);
    MoveMouse(editor, b2Vec2(4.6f, 4.0f));
    expectPicture("vertices-insertion");
    editor.handleKeyUp(9);
    ClickAt(editor, c->GetWorldPoint(b2Vec2(0.6f, 0.6f)), false);
    ClickAt(editor, c->GetWorldPoint(b2Vec2(0.6f, -0.6f)), true);
    MoveMouse(editor, b2Vec2(6.0f, 2.0f));
    editor.handleKeyDown('s');
    MoveMouse(editor, b2Vec2(7.0f, 1.0f));
    expectPicture("vertices-scale");
    editor.handleKeyDown(27);

    // Fixtures: the loop and circle of one body moved along x.
    editor.handleKeyDown('f');
    ClickAt(editor, b2Vec2(1.5f, 8.0f), false);
    MoveMouse(editor, b2Vec2(0.0f, 9.0f));
    editor.handleKeyDown('g');
    editor.handleKeyDown('x');
    MoveMouse(editor, b2Vec2(2.0f, 10.0f));
    expectPicture("fixtures-translate");
    editor.handleKeyDown(27);

    // Measuring from the cursor.
    editor.handleKeyDown('m');
    MoveMouse(editor, b2Vec2(-6.0f, 7.0f));
    expectPicture("measure");

    // The rows the information mode shows, about the scene's objects and a body without fixtures.
    const TextRows bodyRows = BodyInfoText(*d, "crate");
    EXPECT_EQ(bodyRows[1].text, "  Name: crate");
    EXPECT_TRUE(Contains(bodyRows, "  Position: 0.000000,9.000000"));
    EXPECT_TRUE(Contains(bodyRows, "    Circle: 1"));
    EXPECT_TRUE(Contains(bodyRows, "    Loop: 1"));
    EXPECT_TRUE(Contains(bodyRows, "      Total child edges: 4"));
    EXPECT_FALSE(Contains(bodyRows, "    Polygon: 0"));
    EXPECT_EQ(BodyInfoText(*d, std::string(1000, 'n'))[1].text.size(), 255u) << "long lines are cut";
    const TextRows bareRows = BodyInfoText(*scene.addBody(b2Vec2_zero, b2_staticBody), "");
    EXPECT_EQ(bareRows[1].text, "  Type: static");
    EXPECT_EQ(bareRows.back().text, "  Fixtures: 0");
    EXPECT_EQ(bareRows.back().colour.g, 0.0f);

    const TextRows loopRows = FixtureInfoText(*loop, "");
    EXPECT_TRUE(Contains(loopRows, "  Shape: chain"));
    EXPECT_TRUE(Contains(loopRows, "  Category bits: 1"));
    EXPECT_TRUE(Contains(loopRows, "  Mask bits: all bits set"));
    EXPECT_TRUE(Contains(loopRows, "  Sub-type: loop"));
    EXPECT_EQ(humanReadableBitMask(0), "zero");
    EXPECT_EQ(humanReadableBitMask(0x8001), "1,32768");

    // The hinge's limits, -0.5 and 1 radians, are shown in degrees, worked out in single precision.
    const TextRows hingeRows = JointInfoText(*hinge, "hinge");
    EXPECT_EQ(hingeRows[2].text, "  Type: revolute");
    EXPECT_TRUE(Contains(hingeRows, "  Lower limit: -28.647890 deg"));
    EXPECT_TRUE(Contains(hingeRows, "    (movement range: 85.943672 deg)"));
    EXPECT_TRUE(Contains(JointInfoText(*rope, ""), "  Type: rope"));
    EXPECT_TRUE(Contains(JointInfoText(*rope, ""), "  Max length: 6.000000"));
    Physics::SetSpring(rodJoint, 4.0f, 0.5f);
    EXPECT_TRUE(Contains(JointInfoText(*rodJoint, ""), "  Frequency: 4.0000 Hz"));
}

// The overlay pictures show the idle block with a selection, a rotation around the cursor and
// most of the block of a joint anchor being moved; these are the states and rows they do not show.
TEST(EditorDrawingText, OperationBlockFollowsTheState)
{
    OperationView view;
    view.editMethod = EM_FIXTURES;
    EXPECT_EQ(Texts(OperationText(view)), std::vector<std::string>{"Selecting fixtures (0)"});
    view.selectedCount = 2;

    view.state = CS_DELETE;
    EXPECT_EQ(Texts(OperationText(view))[0], "Pending deletion  (2 fixtures)");
    view.editMethod = EM_JOINTS;
    EXPECT_EQ(Texts(OperationText(view)),
              (std::vector<std::string>{"", "  Press Del again to confirm", "  Esc : cancel"}));

    view.state = CS_ROTATE | CS_UPPER_LIMIT;
    EXPECT_TRUE(Contains(OperationText(view), "  Press l again to switch to lower limit"));

    // Moving joint anchor A names the other anchor's body as the next one to move.
    view.state = CS_TRANSLATE | CS_ANCHOR_A;
    EXPECT_EQ(Texts(OperationText(view))[3], "  Press g/t again to move joint anchor for body B");
    view.editMethod = EM_BODIES;
    view.limitJointSelected = true;
    view.state = CS_ROTATE;
    view.rotateAroundSelection = true;
    const std::vector<std::string> texts = Texts(OperationText(view));
    EXPECT_EQ(texts[0], "Rotating around selection");
    EXPECT_EQ(texts[3], "  Press l to set joint limits for currently selected joint");
    // Flags that never go together describe nothing.
    view.state = CS_SCALE | CS_ANCHOR_A;
    EXPECT_TRUE(OperationText(view).empty());
}

// Angles far out of range come back within a turn instead of looping for ever.
TEST(EditorDrawingMatrices, AnglesOfAnySizeAreBroughtWithinHalfATurn)
{
    float huge = 1.0e30f;
    normalizeAngle(huge);
    EXPECT_LE(std::fabs(huge), b2_pi);
    float angle = 3.5f * b2_pi;
    normalizeAngle(angle);
    EXPECT_NEAR(angle, -0.5f * b2_pi, 1e-5f);
}
