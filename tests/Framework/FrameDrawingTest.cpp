// What a frame puts on screen: the world through the debug drawer, the overlay text and the side
// panel, read back from the window's pixels, and every scene against its reference picture.
#include "Support/Shell/PixelReference.h"
#include "Support/Shell/ShellFixture.h"

#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Framework/TestEntry.h"

#include <GL/gl.h>

#include <array>
#include <cstdlib>
#include <string>

namespace
{

struct Pixel
{
    int r;
    int g;
    int b;
};

// Pixel (x, y) of the window, y counted from the top, as the last frame drew it. Mesa's software
// renderer keeps the back buffer's contents across the swap, and unlike the front buffer it does
// not depend on the window having been exposed.
Pixel ReadShownPixel(int x, int y)
{
    int w = 0;
    int h = 0;
    getWindowDimensions(w, h);
    std::array<unsigned char, 4> rgba{};
    glReadBuffer(GL_BACK);
    glReadPixels(x, h - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return Pixel{rgba[0], rgba[1], rgba[2]};
}

bool AnyPixelInRow(int y, int fromX, int toX, bool (*matches)(const Pixel&))
{
    for (int x = fromX; x < toX; ++x)
    {
        if (matches(ReadShownPixel(x, y)))
        {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST_F(ShellTest, FrameShowsStaticShapesTitleAndPanel)
{
    ::Test* test = new ::Test;
    b2BodyDef bd;
    bd.position = getSettings()->viewCenter;
    b2PolygonShape box;
    box.SetAsBox(5.0f, 5.0f);
    test->GetWorld()->CreateBody(&bd)->CreateFixture(&box, 0.0f);
    delete getTest();
    setTest(test);

    Frame();

    int tw = 0;
    int th = 0;
    getViewportDimensions(tw, th);
    // Static shapes are green, filled at half intensity and half alpha over the black background.
    Pixel inside = ReadShownPixel(tw / 2, th / 2);
    EXPECT_GT(inside.g, inside.r);
    EXPECT_GT(inside.g, 30);

    // The title, drawn at (5, 15) in pink over black, has pixels whose red exceeds green.
    bool titleDrawn = false;
    for (int y = 5; y <= 16 && !titleDrawn; ++y)
    {
        titleDrawn = AnyPixelInRow(y, 5, 60, [](const Pixel& p) { return p.r > 150 && p.r > p.g; });
    }
    EXPECT_TRUE(titleDrawn);

    // The panel covers the strip right of the drawing area.
    Pixel panel = ReadShownPixel(tw + 100, th - 5);
    EXPECT_GT(panel.r + panel.g + panel.b, 0);
}

// Every scene of the catalogue, stepped twice with every drawing option on, against the picture the
// program drew of it before world drawing was batched: batching changes how many calls draw a
// frame, never its pixels.
TEST_F(ShellTest, EveryCatalogueSceneDrawsItsReferencePicture)
{
    Resize(520, 300);
    Settings& settings = *getSettings();
    settings.drawAABBs = 1;
    settings.drawCOMs = 1;
    settings.drawContactPoints = 1;
    settings.drawContactNormals = 1;
    for (int row = 0; row < getTestCount(); ++row)
    {
        // Scenes scatter their bodies with rand().
        std::srand(1);
        *getTestSelection() = row;
        Frame();
        Frame();
        Frame();
        SCOPED_TRACE(getTestEntry().name);
        // Tiles prints how long building it took, which differs from run to run: there the pixels
        // in the colour of the overlay text are left out.
        const unsigned char textColour[3] = {230, 153, 153};
        const bool timed = std::string(getTestEntry().name) == "Tiles";
        EXPECT_EQ(DifferingPixels("Framework/frames/scene-" + std::to_string(row) + ".picture", ReadDrawingArea(),
                                  timed ? textColour : nullptr),
                  0);
    }
}
