// The real program on the test display, driven like a user with xdotool: it opens its window,
// switches scenes with "]", pauses with "p" and quits cleanly with Esc.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <future>

namespace
{

// Raw RGB bytes of the first capture of a strip of the window (300 pixels wide, `h` rows from row
// `y`) that shows something and differs from `before`; frames arrive every 16 ms.
std::string CaptureChange(const std::string& window, int y, int h, const std::string& before)
{
    const std::string crop = "300x" + std::to_string(h) + "+0+" + std::to_string(y);
    std::string pixels;
    const auto unchanged = [&] { return pixels == before || pixels.find_first_not_of('\0') == std::string::npos; };
    for (int attempt = 0; attempt < 300 && unchanged(); ++attempt)
    {
        pixels = RunCommand("import -window " + window + " -crop " + crop + " +repage rgb:- 2>/dev/null").output;
    }
    return pixels;
}

}  // namespace

TEST(ProgramEndToEnd, SwitchesScenePausesAndQuitsWithEsc)
{
    if (std::getenv("DISPLAY") == nullptr)
    {
        GTEST_SKIP() << "needs a display (run under xvfb-run)";
    }
    // Without them the window would never get its Esc and the run below would wait for ever.
    ASSERT_EQ(RunCommand("command -v xdotool import").status, 0) << "needs xdotool and ImageMagick's import";
    ScratchDirectory scratch;
    // In a sanitizer build the graphics driver's one-time allocations, unloaded before the leak
    // check, would fail the exit status; the in-process suites check for leaks.
    const std::string command =
        "cd '" + scratch.file("") + "' && ASAN_OPTIONS=halt_on_error=1:detect_leaks=0 '" + VEXA_BINARY_DIR + "/vexa'";
    std::future<ToolRun> program = std::async(std::launch::async, RunCommand, command);

    // From here on no check returns early, so that Esc always ends the program.
    const std::string title = "'^V\\.E\\.X\\.A\\. \\(Box2D Version 2\\.4\\.0\\)$'";
    const std::string window =
        RunCommand("xdotool search --sync --name " + title + " | head -n 1 | tr -d '\\n'").output;
    RunCommand("xdotool windowfocus --sync " + window);

    // The title line of the first scene, then of the next.
    const std::string firstTitle = CaptureChange(window, 3, 15, "");
    EXPECT_NE(firstTitle.find_first_not_of('\0'), std::string::npos);
    RunCommand("xdotool key bracketright");
    EXPECT_NE(CaptureChange(window, 3, 15, firstTitle), firstTitle);

    // Pausing adds the "****PAUSED****" line to the scene's text lines.
    const std::string textLines = CaptureChange(window, 20, 90, "");
    RunCommand("xdotool key p");
    EXPECT_NE(CaptureChange(window, 20, 90, textLines), textLines);

    RunCommand("xdotool key Escape");
    EXPECT_EQ(program.get().status, 0);
}
