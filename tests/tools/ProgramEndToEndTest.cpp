// The real program on the test display, driven like a user with xdotool: it opens its window,
// switches scenes with "]", pauses with "p" and quits cleanly with Esc.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
    {
        return output;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
    {
        output.append(buffer, n);
    }
    pclose(pipe);
    return output;
}

// Raw RGB bytes of a rectangle of the window.
std::string Capture(const std::string& window, int x, int y, int w, int h)
{
    return RunCommand("import -window " + window + " -crop " + std::to_string(w) + "x" + std::to_string(h) + "+" +
               std::to_string(x) + "+" + std::to_string(y) + " +repage rgb:- 2>/dev/null");
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
        pixels = Capture(window, 0, y, 300, h);
        if (accept(pixels))
        {
            break;
        }
    }
    return pixels;
}

class ProgramEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
        {
            GTEST_SKIP() << "needs a display (run under xvfb-run)";
        }
        char pattern[] = "/tmp/vexa-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }

    pid_t Launch()
    {
        pid_t pid = fork();
        if (pid == 0)
        {
            if (chdir(directory.c_str()) != 0)
            {
                _exit(127);
            }
            // In a sanitizer build the graphics driver's one-time allocations, unloaded before
            // the leak check, would fail the exit status; the in-process suites check for leaks.
            setenv("ASAN_OPTIONS", "halt_on_error=1:detect_leaks=0", 1);
            std::string program = std::string(VEXA_BINARY_DIR) + "/vexa";
            execl(program.c_str(), "vexa", static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    }

    std::string directory;
};

}  // namespace

TEST_F(ProgramEndToEnd, SwitchesScenePausesAndQuitsWithEsc)
{
    pid_t pid = Launch();
    ASSERT_GT(pid, 0);

    std::string window = RunCommand("xdotool search --sync --name '^V\\.E\\.X\\.A\\. \\(Box2D Version 2\\.4\\.0\\)$' | head -n 1");
    while (!window.empty() && (window.back() == '\n' || window.back() == ' '))
    {
        window.pop_back();
    }
    ASSERT_FALSE(window.empty());
    RunCommand("xdotool windowfocus --sync " + window);

    // The title line of the first scene.
    std::string firstTitle = CaptureUntil(window, 3, 15, HasInk);
    ASSERT_TRUE(HasInk(firstTitle));

    RunCommand("xdotool key bracketright");
    std::string nextTitle = CaptureUntil(window, 3, 15, [&](const std::string& p) { return HasInk(p) && p != firstTitle; });
    EXPECT_NE(nextTitle, firstTitle);

    // Pausing adds the "****PAUSED****" line to the scene's text lines.
    std::string textLines = Capture(window, 0, 20, 300, 90);
    RunCommand("xdotool key p");
    std::string pausedLine = CaptureUntil(window, 20, 90, [&](const std::string& p) { return p != textLines; });
    EXPECT_NE(pausedLine, textLines);

    RunCommand("xdotool key Escape");
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
