#include "Support/Shell/ShellFixture.h"

#include "Framework/Modifiers.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Support/GraphicsDriverPin.h"
#include "Tests/TestEntries.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace
{

int g_modifiers = 0;
bool g_shellShutDown = false;

// The shell quits with exit(0) (Esc, Quit). A test that reaches it would end the run early and
// look like a pass: such an exit fails the run instead.
void FailUnlessShutDown()
{
    if (!g_shellShutDown)
    {
        std::fprintf(stderr, "The program exited in the middle of a test.\n");
        std::_Exit(1);
    }
}

class ShellEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        std::atexit(FailUnlessShutDown);
        EXPECT_EQ(chdir(ShellWorkingDirectory().c_str()), 0);
        SetModifierQuery([] { return g_modifiers; });
        int argc = 1;
        char name[] = "vexa-tests";
        char* argv[] = {name, nullptr};
        StartShell(&argc, argv, g_testEntries);
        PinGraphicsDriver();
        // Let the window library map the window, so what frames draw can be read back.
        for (int i = 0; i < 10; ++i)
        {
            glutMainLoopEvent();
        }
    }

    void TearDown() override
    {
        ShutdownShell();
        g_shellShutDown = true;
    }
};

const ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

}  // namespace

void HoldModifiers(int modifiers)
{
    g_modifiers = modifiers;
}

const std::string& ShellWorkingDirectory()
{
    static const std::string directory = [] {
        char pattern[] = "/tmp/vexa-shell-XXXXXX";
        return std::string(mkdtemp(pattern) != nullptr ? pattern : "/tmp");
    }();
    return directory;
}

void ShellTest::SetUp()
{
    HoldModifiers(0);
    *getSettings() = Settings();
    *getSettingsHz() = 60.0f;
    setViewZoom(1.0f);
    *getTestSelection() = 0;
    Resize(1136, 688);
    // Runs the switch to row 0 when another row is current.
    Frame();
    Restart(0);
}

void ShellTest::WorldToPixel(const b2Vec2& p, int& x, int& y)
{
    int tw = 0;
    int th = 0;
    getViewportDimensions(tw, th);
    b2Vec2 lower = ConvertScreenToWorld(0, th);
    b2Vec2 upper = ConvertScreenToWorld(tw, 0);
    x = static_cast<int>(tw * (p.x - lower.x) / (upper.x - lower.x) + 0.5f);
    y = th - static_cast<int>(th * (p.y - lower.y) / (upper.y - lower.y) + 0.5f);
}
