// The real program on the test display, driven like a user with xdotool: it opens its window,
// switches scenes with "]", pauses with "p" and quits cleanly with Esc.
#include "ToolRun.h"

#include <gtest/gtest.h>

namespace
{

// Raw RGB bytes of a strip of the window, 300 pixels wide, `h` rows from row `y`.
std::string Capture(const std::string& window, int y, int h)
{
    const std::string crop = "300x" + std::to_string(h) + "+0+" + std::to_string(y);
    return RunCommand("import -window " + window + " -crop " + crop + " +repage rgb:- 2>/dev/null").output;
}

bool HasInk(const std::string& pixels)
{
    return pixels.find_first_not_of('\0') != std::string::npos;
}

// Captures until `accept` holds, a bounded number of times: frames arrive every 16 ms, so a
// change shows within a few captures.
template <typename Accept>
std::string CaptureUntil(const std::string& window, int y, int h, Accept accept)
{
    std::string pixels;
    for (int attempt = 0; attempt < 300; ++attempt)
    {
        pixels = Capture(window, y, h);
        if (accept(pixels))
        {
            break;
        }
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
    ScratchDirectory scratch;
    const std::string program = std::string(VEXA_BINARY_DIR) + "/vexa";
    const pid_t pid = fork();
    if (pid == 0)
    {
        // In a sanitizer build the graphics driver's one-time allocations, unloaded before the
        // leak check, would fail the exit status; the in-process suites check for leaks.
        setenv("ASAN_OPTIONS", "halt_on_error=1:detect_leaks=0", 1);
        if (chdir(scratch.file("").c_str()) == 0)
        {
            execl(program.c_str(), "vexa", static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    ASSERT_GT(pid, 0);

    const std::string title = "'^V\\.E\\.X\\.A\\. \\(Box2D Version 2\\.4\\.0\\)$'";
    std::string window = RunCommand("xdotool search --sync --name " + title + " | head -n 1").output;
    window.erase(window.find_last_not_of("\n ") + 1);
    ASSERT_FALSE(window.empty());
    RunCommand("xdotool windowfocus --sync " + window);

    // The title line of the first scene.
    const std::string firstTitle = CaptureUntil(window, 3, 15, HasInk);
    ASSERT_TRUE(HasInk(firstTitle));
    RunCommand("xdotool key bracketright");
    const auto nextTitle = [&](const std::string& p) { return HasInk(p) && p != firstTitle; };
    EXPECT_NE(CaptureUntil(window, 3, 15, nextTitle), firstTitle);

    // Pausing adds the "****PAUSED****" line to the scene's text lines.
    const std::string textLines = Capture(window, 20, 90);
    RunCommand("xdotool key p");
    EXPECT_NE(CaptureUntil(window, 20, 90, [&](const std::string& p) { return p != textLines; }), textLines);

    RunCommand("xdotool key Escape");
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
