// What a frame puts on screen: every scene against its reference picture, the panel beside it.
#include "Support/Shell/PixelReference.h"
#include "Support/Shell/ShellFixture.h"

#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/TestEntry.h"

#include <GL/gl.h>

#include <cstdlib>
#include <string>

// Every scene stepped with every drawing option on, against the picture the program drew of it
// before world drawing was batched: batching changes how many calls draw a frame, never its pixels.
TEST_F(ShellTest, EveryCatalogueSceneDrawsItsReferencePictureBesideThePanel)
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

    // The panel covers the strip right of the drawing area.
    int width = 0;
    int height = 0;
    getViewportDimensions(width, height);
    unsigned char panel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(width + 100, 4, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, panel);
    EXPECT_GT(panel[0] + panel[1] + panel[2], 0);
}
