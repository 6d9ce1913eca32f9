// The trace image Vexa ships, data/vexatrace.bmp: exactly what make-trace-image draws of the
// default scene, and a picture the editor reads, with the ragdoll's outline where the ragdoll
// stands and nothing hiding the scene elsewhere.
#include "ToolRun.h"

#include "Editor/Bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const std::string k_sourceDir = VEXA_SOURCE_DIR;
const std::string k_defaultScene = k_sourceDir + "/data/vexa.json";
const std::string k_traceImage = k_sourceDir + "/data/vexatrace.bmp";

}  // namespace

TEST(TraceImageFile, IsWhatTheGeneratorDrawsOfTheDefaultScene)
{
    ScratchDirectory scratch;
    const std::string regenerated = scratch.file("vexatrace.bmp");

    const ToolRun run = RunTool("make-trace-image", {k_defaultScene, regenerated}, scratch);

    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string shipped = ReadTextFile(k_traceImage);
    EXPECT_FALSE(shipped.empty());
    EXPECT_LT(shipped.size(), 100000u);
    EXPECT_TRUE(ReadTextFile(regenerated) == shipped)
        << "data/vexatrace.bmp is out of date: run make-trace-image data/vexa.json data/vexatrace.bmp";
}

TEST(TraceImageFile, OutlinesTheRagdollOverATransparentBackground)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Load(k_traceImage.c_str()));
    ASSERT_EQ(bitmap.GetWidth(), bitmap.GetHeight());
    unsigned size = 0;
    ASSERT_TRUE(bitmap.GetBits(nullptr, size, 0, 0, 0, 0xFF, false));
    std::vector<unsigned char> alpha(size);
    ASSERT_TRUE(bitmap.GetBits(alpha.data(), size, 0, 0, 0, 0xFF, false));
    // The picture spans world (0, 0) to (4.75, 4.75), as the editor shows it at first.
    const auto alphaAt = [&](float x, float y) {
        const float pixelsPerMetre = static_cast<float>(bitmap.GetWidth()) / 4.75f;
        const int column = static_cast<int>(x * pixelsPerMetre);
        const int row = static_cast<int>(y * pixelsPerMetre);
        return alpha[static_cast<size_t>(row) * bitmap.GetWidth() + column];
    };

    // The torso is 0.64 m wide and centred on x = 2.5 at y = 3; the head's top is at y = 4.38.
    EXPECT_EQ(alphaAt(2.18f, 3.0f), 255);
    EXPECT_EQ(alphaAt(2.82f, 3.0f), 255);
    EXPECT_EQ(alphaAt(2.5f, 4.38f), 255);
    EXPECT_EQ(alphaAt(2.5f, 3.0f), 0);
    EXPECT_EQ(alphaAt(1.0f, 3.0f), 0);
}
