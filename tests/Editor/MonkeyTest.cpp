// Random use of editor mode on every scene of the registry: seeded user input through the real
// window callbacks and the editor panel's actions, with the editor's references into the world, the
// names and the world's numbers checked after every event; undo rounds that must give back the world
// they started from and the one they ended with; and the check itself, on references broken on purpose.
//
// The same seed replays the same events. VEXA_MONKEY_EVENTS, VEXA_MONKEY_SEED and VEXA_MONKEY_SCENE
// (one registry row only) set a longer or different run without a rebuild; a fault or a crash prints
// the latest events and the values that replay them.
#include "EditorModeFixture.h"

#include "CanonicalScene.h"
#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Editor/EditorModelScene.h"
#include "Editor/EditorPanel.h"
#include "Editor/EditorText.h"
#include "Framework/PanelHost.h"
#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Framework/ViewTransform.h"
#include "Physics/ShapeGeometry.h"
#include "WorldDoc/WorldDoc.h"
#include "WorldReferenceCheck.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <numeric>
#include <random>
#include <string_view>
#include <vector>

#include <unistd.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace
{

// The latest events, formatted as they happen, so that a crash (a failed library assertion, a
// sanitizer report) can still print them.
constexpr int k_logSize = 32;
constexpr int k_lineSize = 200;
char g_header[k_lineSize];
char g_lines[k_logSize][k_lineSize];
int g_logged = 0;
volatile std::sig_atomic_t g_dumped = 0;

template <class Put>
void PutRecentEvents(Put put)
{
    put(g_header);
    put("\n");
    for (int i = g_logged > k_logSize ? g_logged - k_logSize : 0; i < g_logged; ++i)
    {
        put(g_lines[i % k_logSize]);
        put("\n");
    }
}

std::string RecentEvents()
{
    std::string text;
    PutRecentEvents([&text](const char* part) { text += part; });
    return text;
}

// Only writes what is formatted already: it runs in a signal handler.
void DumpRecentEvents()
{
    const auto put = [](const char* text) {
        const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
        (void)ignored;
    };
    if (g_dumped == 0)
    {
        g_dumped = 1;
        put("\nmonkey: crashed after these events\n");
        PutRecentEvents(put);
    }
}

void InstallCrashReport()
{
    struct sigaction action = {};
    action.sa_handler = [](int signal) {
        DumpRecentEvents();
        std::raise(signal);
    };
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGABRT, &action, nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers report memory faults themselves and call this before the process ends.
    __sanitizer_set_death_callback(DumpRecentEvents);
#else
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE})
    {
        sigaction(signal, &action, nullptr);
    }
#endif
}

// Text typed into the panel's number fields, and names.
const char* const k_floatTexts[] = {"",     "0",     "-1",    "1",      "0.5",  "2.5",   "100",  "-0",
                                    "1e30", "-1e30", "1e-30", "3.4e38", "1e39", "nan",   "inf",  "-inf",
                                    "abc",  "1,5",   " 7 ",   "1e",     "--2",  "0x1p3", "1e-45"};
const char* const k_intTexts[] = {"",      "0",          "-1",          "1",           "65535", "65536", "-32768",
                                  "32767", "2147483647", "-2147483648", "99999999999", "x",     "0x10",  " 3"};
const char* const k_names[] = {"", "a", "wheel", "%s%n%d", "two words", "\xc3\xa9l\xc3\xa9ment", "\"quoted\\", "wheel"};
// Keys of the editor: operations, edit methods, overlays, deletion, clipboard, undo and redo.
const std::string_view k_editorKeys = "\x1b\tbfvjcMgtrsxylLmoa\x7fhHiw+-q1grsxyaol\x7f\x1b";
const std::string_view k_simulationKeys = " pr[]xzabcdfjkmqsw,.123450";
const int k_specialKeys[] = {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_HOME, GLUT_KEY_F1};

const char* ModifierText(int modifiers)
{
    static const char* const texts[] = {"",     " Shift",     " Ctrl",     " Shift+Ctrl",
                                        " Alt", " Shift+Alt", " Ctrl+Alt", " Shift+Ctrl+Alt"};
    return texts[modifiers & 7];
}

// Empty when the world holds the scene `expected`; otherwise `what` and where the two part.
std::string SceneDifference(const char* what, const std::string& expected)
{
    const std::string actual = CanonicalScene(getTest()->GetWorld());
    if (actual == expected)
    {
        return std::string();
    }
    const auto parted = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const std::size_t at = static_cast<std::size_t>(parted.first - expected.begin());
    const std::size_t from = at > 120 ? at - 120 : 0;
    return std::string(what) + ":\n  expected ..." + expected.substr(from, 240) + "\n  found    ..." +
           actual.substr(from, 240);
}

struct Pixel
{
    int x;
    int y;
};

// Where a world point is in the window; far-off objects land well outside it, not beyond what an
// int holds.
Pixel WindowPixel(const b2Vec2& p)
{
    int w = 0;
    int h = 0;
    getViewportDimensions(w, h);
    const ViewBounds view = ComputeViewBounds(getSettings()->viewCenter, getViewZoom(), w, h);
    const float u = (p.x - view.lower.x) / (view.upper.x - view.lower.x);
    const float v = (view.upper.y - p.y) / (view.upper.y - view.lower.y);
    return {static_cast<int>(std::clamp(u * static_cast<float>(w), -100000.0f, 100000.0f)),
            static_cast<int>(std::clamp(v * static_cast<float>(h), -100000.0f, 100000.0f))};
}

// A save that did not come back whole, or empty.
std::string CheckSave(const std::string& file)
{
    WorldDoc doc(false);
    std::unique_ptr<b2World> loaded(doc.readFromFile(file.c_str()));
    const b2World* saved = g_editor->getWorld();
    if (loaded != nullptr && doc.skippedCount() == 0 && loaded->GetBodyCount() == saved->GetBodyCount() &&
        loaded->GetJointCount() == saved->GetJointCount())
    {
        return std::string();
    }
    return FormatText("the scene saved to %s does not load whole: %d objects left out, %d of %d bodies, "
                      "%d of %d joints",
                      file.c_str(), doc.skippedCount(), loaded ? loaded->GetBodyCount() : -1, saved->GetBodyCount(),
                      loaded ? loaded->GetJointCount() : -1, saved->GetJointCount());
}

long long EnvironmentNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoll(text) : fallback;
}

}  // namespace

TEST(MonkeyCheck, FindsReferencesThatOutliveTheirObjects)
{
    EditorModelScene scene;
    b2World* world = scene.world();
    b2Body* body = scene.addBody(b2Vec2_zero);
    b2Fixture* fixture = scene.addBox(body, 1.0f, 1.0f);
    b2Body* other = scene.addBody(b2Vec2_zero);
    ObjectNames& names = scene.host.names;
    _controlState state;
    state.selectedBodies.insert(body);
    state.selectedVertices.insert(vertexInfo{fixture, 3});
    names.bodyNames[body] = "box";
    EXPECT_EQ("", FindBrokenReferences(world, &state, &names));

    state.candidateVertices.insert(vertexInfo{fixture, 4});
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("candidateVertices"));
    state.candidateVertices.clear();

    // Destroyed behind the editor's and the host's backs: the freed addresses stay behind.
    world->DestroyBody(body);
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("selectedBodies"));
    state.selectedBodies.clear();
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("selectedVertices"));
    state.selectedVertices.clear();
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, &names).find("the body names"));
    names.bodyNames.clear();

    state.splitInfo.fixture = fixture;
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("split point"));
    state.splitInfo.fixture = nullptr;
    EXPECT_EQ("", FindBrokenReferences(world, &state, &names));

    other->SetTransform(b2Vec2(0.0f, NAN), 0.0f);
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("position (0, nan)"));
}

// The monkey. Scene files it saves, and the snapshots of simulation mode, stay apart from other tests'.
class MonkeyTest : public EditorModeTest
{
protected:
    void SetUp() override
    {
        EditorModeTest::SetUp();
        std::filesystem::create_directories(m_directory);
        ASSERT_EQ(0, chdir(m_directory.c_str()));
        InstallCrashReport();
    }
    void TearDown() override
    {
        EXPECT_EQ(0, chdir(ShellWorkingDirectory().c_str()));
        EditorModeTest::TearDown();
    }

    // Resets the shell and starts row `row` in the editor, for a run of `events` events.
    void start(unsigned long long seed, int row, int events)
    {
        m_random.seed(seed * 1000003u + static_cast<unsigned long long>(row));
        std::srand(static_cast<unsigned>(seed + static_cast<unsigned long long>(row)));
        std::snprintf(g_header, sizeof(g_header),
                      "monkey replay: VEXA_MONKEY_SEED=%llu VEXA_MONKEY_SCENE=%d VEXA_MONKEY_EVENTS=%d "
                      "--gtest_filter=MonkeyTest.%s",
                      seed, row, events, ::testing::UnitTest::GetInstance()->current_test_info()->name());
        g_logged = 0;
        m_event = 0;
        m_plan.clear();
        m_saveFault.clear();
        // The same start whatever ran before: no editor, no files, default view, the scene new.
        if (g_editor != nullptr)
        {
            ExitEditor();
        }
        for (const auto& entry : std::filesystem::directory_iterator(m_directory))
        {
            std::filesystem::remove_all(entry.path());
        }
        std::filesystem::copy_file(VEXA_SOURCE_DIR "/data/vexa.json", m_directory + "/vexa.json");
        HoldModifiers(0);
        ResetPanelMouse();
        *getSettings() = Settings();
        *getSettingsHz() = 60.0f;
        setViewZoom(1.0f);
        Resize(1136, 688);
        SwitchScene(row);
        Restart(0);
        PassiveMotion(10, 10);
        SimulationLoop();
        key(5, GLUT_ACTIVE_CTRL);
    }

    // Sends events until `events` have gone or a check fails; false when one did.
    bool sendEvents(int events)
    {
        for (m_event = 0; m_event < events; ++m_event)
        {
            const Editor* editor = g_editor;
            const unsigned revision = editor != nullptr ? editor->edits().revision() : 0;
            if (!m_plan.empty())
            {
                runPlannedStep();
            }
            else
            {
                editor != nullptr ? editorEvent() : simulationEvent();
            }
            HoldModifiers(0);
            ++m_eventsSent;
            if (editor != nullptr && editor == g_editor && editor->edits().revision() != revision)
            {
                ++m_worldChanges;
            }
            if (!holds(check()))
            {
                return false;
            }
        }
        return true;
    }

    // Random edits that stay in this editor visit (no loads, no scene switches, no leaving the
    // editor); then every step undone, which must give back the world of the start, and every step
    // redone, which must give back the world of the end.
    void undoRound(unsigned long long seed, int row, int events)
    {
        start(seed, row, events);
        const std::string before = CanonicalScene(getTest()->GetWorld());
        if (!sendEvents(events) || !finishPlan())
        {
            return;
        }
        // The end of the history is the world with every step done, redo branch included.
        key(27, 0);
        if (!walk(25, "Nothing to redo"))
        {
            return;
        }
        const std::string after = CanonicalScene(getTest()->GetWorld());
        if (walk(26, "Nothing to undo") &&
            holds(SceneDifference("undoing every step did not give back the starting world", before)) &&
            walk(25, "Nothing to redo"))
        {
            holds(SceneDifference("redoing every step did not give back the final world", after));
        }
    }

    const std::string m_directory = ShellWorkingDirectory() + "/monkey";
    const unsigned long long m_seed = static_cast<unsigned long long>(EnvironmentNumber("VEXA_MONKEY_SEED", 1));
    const int m_onlyRow = static_cast<int>(EnvironmentNumber("VEXA_MONKEY_SCENE", -1));
    // Undo rounds keep to the editor visit they start in.
    bool m_editingOnly = false;
    long long m_eventsSent = 0;
    long long m_worldChanges = 0;

private:
    // Fails the test with `fault` and the events that led to it unless `fault` is empty.
    bool holds(const std::string& fault)
    {
        EXPECT_TRUE(fault.empty()) << fault << "\n" << RecentEvents();
        return fault.empty();
    }

    // Ends what the hand was still doing, so that the last step is whole.
    bool finishPlan()
    {
        bool fine = true;
        while (fine && !m_plan.empty())
        {
            runPlannedStep();
            fine = holds(check());
        }
        return fine;
    }

    // Ctrl+`code` (undo or redo) until the editor answers `nothingLeft`, with a check after each.
    bool walk(unsigned char code, const char* nothingLeft)
    {
        bool fine = true;
        do
        {
            key(code, GLUT_ACTIVE_CTRL);
            fine = holds(check());
        } while (fine && g_editor->messages().back().text != nothingLeft);
        return fine;
    }

    // What breaks the invariants, the loaded form of a save included; empty when nothing.
    std::string check() const
    {
        ::Test* test = getTest();
        if (!m_saveFault.empty())
        {
            return m_saveFault;
        }
        if (g_editor != nullptr && (g_editor->getTest() != test || g_editor->getWorld() != test->GetWorld()))
        {
            return "the editor does not edit the scene that runs";
        }
        return FindBrokenReferences(test->GetWorld(), g_editor != nullptr ? &g_editor->controlState() : nullptr,
                                    &test->names);
    }

    void key(unsigned char code, int modifiers)
    {
        log("key %d%s%s", code, ModifierText(modifiers), g_editor != nullptr ? "" : " (simulation)");
        HoldModifiers(modifiers);
        (g_editor != nullptr ? Editor_Keyboard : Keyboard)(code, 10, 10);
        // The key may have entered or left the editor: its release goes to the mode that is on now.
        (g_editor != nullptr ? Editor_KeyboardUp : KeyboardUp)(code, 10, 10);
    }

    struct Choice
    {
        int weight;
        void (MonkeyTest::*event)();
    };

    // Runs one of the first `count` events of the list, picked by weight.
    void choose(const Choice* choices, int count)
    {
        int at = pick(std::accumulate(choices, choices + count, 0,
                                      [](int total, const Choice& choice) { return total + choice.weight; }));
        for (; at >= choices->weight; ++choices)
        {
            at -= choices->weight;
        }
        (this->*choices->event)();
    }

    // Events. Those of several steps (an operation, a drag) plan the later steps, which run as
    // the following events. Undo rounds leave out the last three: they leave the editor visit.
    void editorEvent()
    {
        static const Choice choices[] = {
            {15, &MonkeyTest::moveMouse},         {10, &MonkeyTest::leftClick}, {4, &MonkeyTest::rightClick},
            {2, &MonkeyTest::rightDrag},          {20, &MonkeyTest::editorKey}, {12, &MonkeyTest::operation},
            {3, &MonkeyTest::deleteTwice},        {2, &MonkeyTest::specialKey}, {3, &MonkeyTest::tabClick},
            {9, &MonkeyTest::panelAction},        {5, &MonkeyTest::undoOrRedo}, {5, &MonkeyTest::clipboard},
            {6, &MonkeyTest::someFrames},         {2, &MonkeyTest::saveScene},  {2, &MonkeyTest::loadScene},
            {2, &MonkeyTest::enterOrLeaveEditor}, {1, &MonkeyTest::switchScene}};
        const int count = static_cast<int>(std::size(choices));
        choose(choices, m_editingOnly ? count - 3 : count);
    }

    void simulationEvent()
    {
        static const Choice choices[] = {
            {30, &MonkeyTest::someFrames},        {20, &MonkeyTest::simulationKey}, {15, &MonkeyTest::grab},
            {7, &MonkeyTest::rightDrag},          {3, &MonkeyTest::specialKey},     {3, &MonkeyTest::snapshot},
            {20, &MonkeyTest::enterOrLeaveEditor}};
        choose(choices, static_cast<int>(std::size(choices)));
    }

    void leftClick() { click(GLUT_LEFT_BUTTON); }
    void rightClick() { click(GLUT_RIGHT_BUTTON); }
    void simulationKey()
    {
        // Drawn one after the other: the order in which arguments are evaluated is the compiler's.
        const int modifiers = chance(0.1) ? GLUT_ACTIVE_SHIFT : 0;
        key(pickFrom(k_simulationKeys), modifiers);
    }
    // A snapshot saved or loaded.
    void snapshot() { key(chance(0.5) ? 19 : 12, GLUT_ACTIVE_CTRL); }

    // Undo, redo, and redo as Ctrl+Shift+Z.
    void undoOrRedo()
    {
        const int choice = pick(4);
        key(choice == 1 ? 25 : 26, choice == 2 ? GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT : GLUT_ACTIVE_CTRL);
    }

    // Copy, paste, mirror.
    void clipboard()
    {
        const int choice = pick(3);
        key(choice == 0 ? 3 : choice == 1 ? 22 : 'M', choice == 2 ? GLUT_ACTIVE_SHIFT : GLUT_ACTIVE_CTRL);
    }

    void moveMouse()
    {
        const Pixel p = pickPixel(false);
        motion(p.x, p.y, chance(0.2) ? GLUT_ACTIVE_SHIFT : chance(0.15) ? GLUT_ACTIVE_CTRL : 0);
    }

    void click(int button)
    {
        const Pixel p = pickPixel(true);
        const int modifiers = chance(0.25) ? GLUT_ACTIVE_SHIFT : chance(0.1) ? GLUT_ACTIVE_CTRL : 0;
        log("%s click at (%d, %d)%s", button == GLUT_LEFT_BUTTON ? "left" : "right", p.x, p.y, ModifierText(modifiers));
        HoldModifiers(modifiers);
        Editor_MouseMotion(p.x, p.y);
        Editor_Mouse(button, GLUT_DOWN, p.x, p.y);
        Editor_Mouse(button, GLUT_UP, p.x, p.y);
    }

    void rightDrag()
    {
        const Pixel p = pickPixel(true);
        const int steps = 1 + pick(6);
        const int dx = pick(161) - 80;
        const int dy = pick(161) - 80;
        const int modifiers = g_editor != nullptr && chance(0.4) ? GLUT_ACTIVE_CTRL : 0;
        mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, p.x, p.y, modifiers);
        for (int i = 1; i <= steps; ++i)
        {
            m_plan.push_back([=] { motion(p.x + i * dx, p.y + i * dy, modifiers); });
        }
        m_plan.push_back(
            [=] { mouseButton(GLUT_RIGHT_BUTTON, GLUT_UP, p.x + steps * dx, p.y + steps * dy, modifiers); });
    }

    void grab()
    {
        const Pixel p = pickPixel(true);
        const int steps = pick(5);
        const int dx = pick(61) - 30;
        const int dy = pick(61) - 30;
        mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, p.x, p.y, chance(0.2) ? GLUT_ACTIVE_SHIFT : 0);
        for (int i = 1; i <= steps; ++i)
        {
            m_plan.push_back([=] {
                motion(p.x + i * dx, p.y + i * dy, 0);
                frame();
            });
        }
        // Now and then Ctrl+E in the middle of a grab: the editor ends it.
        if (chance(0.1))
        {
            m_plan.push_back([this] { key(5, GLUT_ACTIVE_CTRL); });
        }
        m_plan.push_back([=] { mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, p.x + steps * dx, p.y + steps * dy, 0); });
    }

    void editorKey()
    {
        unsigned char code = static_cast<unsigned char>(pickFrom(k_editorKeys));
        const int choice = pick(100);
        const int modifiers = choice < 65   ? 0
                              : choice < 85 ? GLUT_ACTIVE_SHIFT
                              : choice < 95 ? GLUT_ACTIVE_CTRL
                              : choice < 98 ? GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT
                                            : GLUT_ACTIVE_ALT;
        // As the window library sends letters: control codes with Ctrl held (Ctrl+C is 3),
        // capitals with Shift.
        if ((modifiers & GLUT_ACTIVE_CTRL) != 0 && std::isalpha(code) && chance(0.8))
        {
            code &= 0x1f;
        }
        if ((modifiers & GLUT_ACTIVE_SHIFT) != 0 && std::islower(code))
        {
            code = static_cast<unsigned char>(std::toupper(code));
        }
        // Ctrl+L would load another scene.
        if (!m_editingOnly || modifiers != GLUT_ACTIVE_CTRL || (code != 'l' && code != 'L' && code != 12))
        {
            key(code, modifiers);
        }
    }

    // Select, start an operation, steer it, move, then accept or abandon it.
    void operation()
    {
        click(GLUT_LEFT_BUTTON);
        const unsigned char start = "gtrs"[pick(4)];
        m_plan.push_back([=] { key(start, 0); });
        if (chance(0.4))
        {
            const unsigned char steer = "xylL"[pick(4)];
            m_plan.push_back([=] { key(chance(0.3) ? start : steer, 0); });
        }
        for (int i = pick(3); i >= 0; --i)
        {
            m_plan.push_back([this] { moveMouse(); });
        }
        m_plan.push_back([this] { chance(0.85) ? click(GLUT_LEFT_BUTTON) : key(27, 0); });
    }

    void deleteTwice()
    {
        key(127, 0);
        m_plan.push_back([this] { key(127, 0); });
    }

    void specialKey()
    {
        const int code = pickFrom(k_specialKeys);
        log("special key %d", code);
        (g_editor != nullptr ? Editor_KeyboardSpecial : KeyboardSpecial)(code, 10, 10);
        // The editor leaves special-key releases to the shell, which hands them to the panel.
        KeyboardSpecialUp(code, 10, 10);
    }

    // Tab held shows where a vertex would be inserted; a click there inserts it.
    void tabClick()
    {
        log("Tab down");
        Editor_Keyboard(9, 10, 10);
        m_plan.push_back([this] { click(GLUT_LEFT_BUTTON); });
        m_plan.push_back([this] {
            log("Tab up");
            (g_editor != nullptr ? Editor_KeyboardUp : KeyboardUp)(9, 10, 10);
        });
    }

    // An edit method chosen, or a few controls changed and then a button pressed.
    void panelAction()
    {
        if (chance(0.15))
        {
            const int method = pick(4);
            log("panel: edit method %d", method);
            EditorRadioHandler(method);
            return;
        }
        // The panel shows the selection as of the last frame, and frames pass while the hand
        // moves to it.
        frame();
        if (g_editor == nullptr)
        {
            return;
        }
        const std::string typed = changePanelControls();
        const EditorPanelEnabling& on = EditorPanel().enabled;
        const bool enabled[] = {false,         on.applyBody,     on.applyFixture, on.applyJoint,
                                on.createBody, on.createFixture, on.createJoint,  on.name};
        std::vector<int> buttons;
        for (int id = 1; id < static_cast<int>(std::size(enabled)); ++id)
        {
            if (enabled[id])
            {
                buttons.push_back(id);
            }
        }
        if (m_editingOnly && buttons.empty())
        {
            return;
        }
        // "Exit editor" (0) now and then.
        const int button = buttons.empty() || (!m_editingOnly && chance(0.02)) ? 0 : pickFrom(buttons);
        log("panel:%s; button %d", typed.c_str(), button);
        EditorButtonHandler(button);
        updateUIPanelState();
    }

    // Changes up to four of the controls the panel lets the user change; returns what it did.
    std::string changePanelControls()
    {
        EditorPanelControls& c = EditorPanel();
        const EditorPanelEnabling& on = c.enabled;
        // A number field (`text`, `integer` or not), a check box, a list of item ids, or the name.
        const struct
        {
            const char* label;
            bool enabled;
            char* text;
            bool integer = false;
            PanelCheckbox* box = nullptr;
            int* list = nullptr;
            std::vector<int> ids = {};
        } controls[] = {{"mass", on.bodySettings, c.bodyMass},
                        {"gravity scale", on.bodySettings, c.bodyGravityScale},
                        {"density", on.fixtureSettings, c.fixtureDensity},
                        {"restitution", on.fixtureSettings, c.fixtureRestitution},
                        {"friction", on.fixtureSettings, c.fixtureFriction},
                        {"category", on.fixtureSettings, c.fixtureCategoryBits, true},
                        {"mask", on.fixtureSettings, c.fixtureMaskBits, true},
                        {"group", on.fixtureSettings, c.fixtureGroupIndex, true},
                        {"max power", on.jointSettings, c.jointMaxMotorPower},
                        {"motor speed", on.jointSettings, c.jointMotorSpeed},
                        {"length", on.jointSettings, c.jointLength},
                        {"frequency", on.jointSettings, c.jointFrequency},
                        {"damping", on.jointSettings, c.jointDampingRatio},
                        {"fixed rotation", on.bodySettings, nullptr, false, &c.bodyFixedRotation},
                        {"bullet", on.bodySettings, nullptr, false, &c.bodyBullet},
                        {"sensor", on.fixtureSettings, nullptr, false, &c.fixtureIsSensor},
                        {"collide connected", on.jointSettings, nullptr, false, &c.jointCollideConnected},
                        {"limit", on.jointSettings, nullptr, false, &c.jointEnableLimit},
                        {"motor", on.jointSettings, nullptr, false, &c.jointEnableMotor},
                        {"body type", on.bodySettings, nullptr, false, nullptr, &c.bodyType, {-1, 2, 0, 1}},
                        {"shape", on.shapeType, nullptr, false, nullptr, &c.shapeType, {4, 0, 2, 1, 3}},
                        {"joint type", on.createJoint, nullptr, false, nullptr, &c.jointType, {0, 1, 3, 2, 7, 10}},
                        {"name", on.name, c.objectName}};
        std::string typed;
        for (int i = pick(5); i > 0; --i)
        {
            const auto& control = controls[pick(static_cast<int>(std::size(controls)))];
            const bool name = control.text == c.objectName;
            // Number texts are picked whether or not the field takes them.
            const char* text = name || control.text == nullptr ? nullptr
                               : control.integer               ? pickFrom(k_intTexts)
                                                               : pickFrom(k_floatTexts);
            if (!control.enabled)
            {
                continue;
            }
            typed += std::string(" ") + control.label + " ";
            if (control.box != nullptr)
            {
                control.box->value = control.box->value != 0 ? 0 : 1;
                control.box->mixed = false;
                typed += std::to_string(control.box->value);
            }
            else if (control.list != nullptr)
            {
                *control.list = pickFrom(control.ids);
                typed += std::to_string(*control.list);
            }
            else
            {
                text = name ? pickFrom(k_names) : text;
                std::snprintf(control.text, name ? sizeof(c.objectName) : k_panelNumberSize, "%s", text);
                typed += std::string("\"") + text + "\"";
            }
        }
        return typed;
    }

    // Puts one of `files` in the panel's file field; returns its path.
    std::string typeFileName(const std::vector<const char*>& files)
    {
        const char* file = pickFrom(files);
        const std::string path = file[0] == '\0' ? std::string() : m_directory + "/" + file;
        SetFileName(path);
        log("file name \"%s\"", file);
        return path;
    }

    void saveScene()
    {
        const std::string path = typeFileName({"a.json", "b.json", "", "missing/c.json", "a.json"});
        key(chance(0.5) ? 19 : 's', GLUT_ACTIVE_CTRL);
        if (g_editor != nullptr && !g_editor->messages().empty() &&
            g_editor->messages().back().text.rfind("Saved scene", 0) == 0)
        {
            m_saveFault = CheckSave(path);
        }
    }

    void loadScene()
    {
        const std::string path =
            typeFileName({"a.json", "b.json", "", "absent.json", "cut.json", "junk.json", "vexa.json"});
        if (path == m_directory + "/cut.json")
        {
            // The start of a scene that was saved.
            std::string text = ReadFile(m_directory + "/a.json");
            text.resize(text.empty() ? 0 : static_cast<std::size_t>(pick(static_cast<int>(text.size()))));
            WriteFile(path, text);
        }
        else if (path == m_directory + "/junk.json")
        {
            WriteFile(path, "{\"body\": [{\"type\": 7, \"position\": [1e999, \"x\"]}], \"gravity\"");
        }
        key(chance(0.5) ? 12 : 'l', GLUT_ACTIVE_CTRL);
        // A scene with unsaved changes is given up only on the second Ctrl+L.
        if (chance(0.5))
        {
            m_plan.push_back([this] { key(12, GLUT_ACTIVE_CTRL); });
        }
    }

    // Out of the editor, another scene from the list, and back in.
    void switchScene()
    {
        key(5, GLUT_ACTIVE_CTRL);
        m_plan.push_back([this] {
            const int row = pick(getTestCount());
            log("scene list: row %d, then a frame", row);
            SwitchScene(row);
        });
        m_plan.push_back([this] { key(5, GLUT_ACTIVE_CTRL); });
    }

    void someFrames()
    {
        const int count = 1 + pick(g_editor != nullptr ? 2 : 4);
        log("%d frame%s", count, count == 1 ? "" : "s");
        for (int i = 0; i < count; ++i)
        {
            frame();
        }
    }

    void enterOrLeaveEditor()
    {
        if (g_editor != nullptr && chance(0.3))
        {
            log("panel: Exit editor");
            EditorButtonHandler(0);
            return;
        }
        key(chance(0.7) ? 5 : 'e', GLUT_ACTIVE_CTRL);
    }

    void mouseButton(int button, int state, int x, int y, int modifiers)
    {
        log("%s %s at (%d, %d)%s", button == GLUT_LEFT_BUTTON ? "left" : "right", state == GLUT_DOWN ? "down" : "up", x,
            y, ModifierText(modifiers));
        HoldModifiers(modifiers);
        (g_editor != nullptr ? Editor_Mouse : Mouse)(button, state, x, y);
    }

    void motion(int x, int y, int modifiers)
    {
        log("move to (%d, %d)%s", x, y, ModifierText(modifiers));
        HoldModifiers(modifiers);
        (g_editor != nullptr ? Editor_MouseMotion : MouseMotion)(x, y);
    }

    void frame() { (g_editor != nullptr ? Editor_DisplayFunc : SimulationLoop)(); }

    void runPlannedStep()
    {
        const std::function<void()> next = std::move(m_plan.front());
        m_plan.pop_front();
        next();
    }

    // A window pixel near an object of the world, or anywhere in or just outside the window;
    // `inScene` keeps it off the side panel, whose controls are used through its own actions.
    Pixel pickPixel(bool inScene)
    {
        int w = 0;
        int h = 0;
        getWindowDimensions(w, h);
        b2World* world = getTest()->GetWorld();
        const int kind = pick(10);
        Pixel pixel = {0, 0};
        if (kind < 8 && world->GetBodyCount() > 0)
        {
            b2Body* body = world->GetBodyList();
            for (int i = pick(world->GetBodyCount()); i > 0; --i)
            {
                body = body->GetNext();
            }
            b2Vec2 p = body->GetPosition();
            if (kind >= 3 && body->GetFixtureList() != nullptr)
            {
                // A point of one of the body's first fixtures: a vertex, or a circle's centre.
                b2Fixture* fixture = body->GetFixtureList();
                for (int i = pick(4); i > 0 && fixture->GetNext() != nullptr; --i)
                {
                    fixture = fixture->GetNext();
                }
                const Physics::ShapeGeometry geometry = Physics::GetGeometry(fixture);
                if (!geometry.points.empty())
                {
                    p = b2Mul(body->GetTransform(), pickFrom(geometry.points));
                }
            }
            if (kind >= 6 && body->GetJointList() != nullptr)
            {
                b2Joint* joint = body->GetJointList()->joint;
                p = chance(0.5) ? joint->GetAnchorA() : joint->GetAnchorB();
            }
            pixel = WindowPixel(p);
            pixel.x += pick(9) - 4;
            pixel.y += pick(9) - 4;
        }
        else
        {
            pixel = {pick(w + 40) - 20, pick(h + 40) - 20};
        }
        if (inScene && pixel.x >= w - k_panelWidth)
        {
            pixel.x = pick(w - k_panelWidth);
        }
        return pixel;
    }

    __attribute__((format(printf, 2, 3))) void log(const char* format, ...)
    {
        char* line = g_lines[g_logged % k_logSize];
        const int used = std::snprintf(line, k_lineSize, "#%d ", m_event);
        va_list args;
        va_start(args, format);
        std::vsnprintf(line + used, static_cast<std::size_t>(k_lineSize - used), format, args);
        va_end(args);
        ++g_logged;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    template <class List>
    auto pickFrom(const List& list) -> std::decay_t<decltype(list[0])>
    {
        return list[static_cast<std::size_t>(pick(static_cast<int>(std::size(list))))];
    }

    std::mt19937_64 m_random;
    int m_event = 0;
    std::deque<std::function<void()>> m_plan;
    std::string m_saveFault;
};

TEST_F(MonkeyTest, RandomUseOfEverySceneKeepsTheEditorsReferencesAlive)
{
    const long long events = EnvironmentNumber("VEXA_MONKEY_EVENTS", 20000);
    const int first = m_onlyRow >= 0 ? m_onlyRow : 0;
    const int rows = m_onlyRow >= 0 ? 1 : getTestCount();
    for (int i = 0; i < rows; ++i)
    {
        const int share = static_cast<int>(events / rows + (i < events % rows ? 1 : 0));
        start(m_seed, first + i, share);
        sendEvents(share);
    }
    std::printf("monkey: %lld of %lld events sent on %d scene%s, seed %llu; %lld of them changed the world\n",
                m_eventsSent, events, rows, rows == 1 ? "" : "s", m_seed, m_worldChanges);
}

// Rounds are short enough for the history to keep every step they make.
TEST_F(MonkeyTest, UndoingEveryStepGivesBackTheStartingWorldAndRedoingTheFinalOne)
{
    const int eventsPerRound = static_cast<int>(EnvironmentNumber("VEXA_MONKEY_EVENTS", 150));
    const int roundsPerRow = m_onlyRow >= 0 ? 1 : 3;
    m_editingOnly = true;
    int rounds = 0;
    for (int row = m_onlyRow >= 0 ? m_onlyRow : 0; row < getTestCount(); row += m_onlyRow >= 0 ? getTestCount() : 7)
    {
        for (int round = 0; round < roundsPerRow; ++round, ++rounds)
        {
            undoRound(m_seed + round, row, eventsPerRound);
        }
    }
    std::printf("monkey: %d undo rounds of %d events, %lld of them changed the world\n", rounds, eventsPerRound,
                m_worldChanges);
}
