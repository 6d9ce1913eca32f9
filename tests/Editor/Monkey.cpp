#include "Monkey.h"

#include "CanonicalScene.h"
#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Editor/EditorPanel.h"
#include "Framework/PanelHost.h"
#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Framework/ViewTransform.h"
#include "Physics/ShapeGeometry.h"
#include "Support/Shell/ShellFixture.h"
#include "WorldDoc/WorldDoc.h"
#include "WorldReferenceCheck.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
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
    if (g_dumped != 0)
    {
        return;
    }
    g_dumped = 1;
    auto put = [](const char* text) {
        const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
        (void)ignored;
    };
    put("\nmonkey: crashed after these events\n");
    PutRecentEvents(put);
}

void OnFatalSignal(int signal)
{
    DumpRecentEvents();
    std::raise(signal);
}

void InstallCrashReport()
{
    struct sigaction action = {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGABRT, &action, nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers report memory faults themselves and call this before the process ends.
    __sanitizer_set_death_callback(DumpRecentEvents);
#else
    sigaction(SIGSEGV, &action, nullptr);
    sigaction(SIGBUS, &action, nullptr);
    sigaction(SIGFPE, &action, nullptr);
#endif
}

// Event choices: text typed into the panel's number fields, and names.
const char* const k_floatTexts[] = {"", "0", "-1", "1", "0.5", "2.5", "100", "-0", "1e30", "-1e30", "1e-30", "3.4e38",
                                    "1e39", "nan", "inf", "-inf", "abc", "1,5", " 7 ", "1e", "--2", "0x1p3", "1e-45"};
const char* const k_intTexts[] = {"", "0", "-1", "1", "65535", "65536", "-32768", "32767", "2147483647",
                                  "-2147483648", "99999999999", "x", "0x10", " 3"};
const char* const k_names[] = {"", "a", "wheel", "%s%n%d", "two words", "\xc3\xa9l\xc3\xa9ment", "\"quoted\\",
                               "wheel"};
// Keys of the editor: operations, edit methods, overlays, deletion, clipboard, undo and redo.
const unsigned char k_editorKeys[] = {27, 9,   'b', 'f', 'v', 'j', 'c', 'M', 'g', 't', 'r', 's', 'x', 'y',
                                      'l', 'L', 'm', 'o', 'a', 127, 'h', 'H', 'i', 'w', '+', '-', 'q', '1',
                                      'g', 'r', 's', 'x', 'y', 'a', 'o', 'l', 127, 27};
const unsigned char k_simulationKeys[] = {' ', 'p', 'r', '[', ']', 'x', 'z', 'a', 'b', 'c', 'd', 'f', 'j', 'k',
                                          'm', 'q', 's', 'w', ',', '.', '1', '2', '3', '4', '5', '0'};
const int k_specialKeys[] = {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_HOME, GLUT_KEY_F1};

template <class T, std::size_t N>
constexpr int Count(const T (&)[N])
{
    return static_cast<int>(N);
}

const char* ModifierText(int modifiers)
{
    static const char* const texts[] = {"", " Shift", " Ctrl", " Shift+Ctrl", " Alt", " Shift+Alt", " Ctrl+Alt",
                                        " Shift+Ctrl+Alt"};
    return texts[modifiers & 7];
}

}  // namespace

Monkey::Monkey(std::uint64_t seed, const std::string& directory) : m_seed(seed), m_directory(directory)
{
    InstallCrashReport();
}

std::string Monkey::runScene(int row, int events)
{
    m_editingOnly = false;
    start(row, events, "");
    return sendEvents(events);
}

namespace
{

// Empty when the world holds the scene `expected`; otherwise `what` and where the two part.
std::string SceneDifference(const char* what, const std::string& expected)
{
    const std::string actual = CanonicalScene(getTest()->GetWorld());
    const auto parted = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    if (parted.first == expected.end() && parted.second == actual.end())
    {
        return std::string();
    }
    const std::size_t at = static_cast<std::size_t>(parted.first - expected.begin());
    const std::size_t from = at > 120 ? at - 120 : 0;
    return std::string(what) + ":\n  expected ..." + expected.substr(from, 240) + "\n  found    ..." +
           actual.substr(from, 240);
}

}  // namespace

std::string Monkey::runUndoRound(int row, int events)
{
    m_editingOnly = true;
    start(row, events, " --gtest_filter=MonkeyTest.Undo*");
    const std::string before = CanonicalScene(getTest()->GetWorld());
    std::string fault = sendEvents(events);
    if (!fault.empty())
    {
        return fault;
    }
    // What the hand was still doing is finished first, so that the last step is whole.
    while (fault.empty() && !m_plan.empty())
    {
        const std::function<void()> next = std::move(m_plan.front());
        m_plan.pop_front();
        next();
        fault = check();
    }
    // The end of the history is the world with every step done, redo branch included.
    key(27, 0);
    const auto walk = [this](unsigned char code, const char* nothingLeft) {
        for (;;)
        {
            key(code, GLUT_ACTIVE_CTRL);
            const std::string fault = check();
            if (!fault.empty())
            {
                return fault;
            }
            if (g_editor->messages().back().text == nothingLeft)
            {
                return std::string();
            }
        }
    };
    if (fault.empty())
    {
        fault = walk(25, "Nothing to redo");
    }
    const std::string after = CanonicalScene(getTest()->GetWorld());
    if (fault.empty())
    {
        fault = walk(26, "Nothing to undo");
    }
    if (fault.empty())
    {
        fault = SceneDifference("undoing every step did not give back the starting world", before);
    }
    if (fault.empty())
    {
        fault = walk(25, "Nothing to redo");
    }
    if (fault.empty())
    {
        fault = SceneDifference("redoing every step did not give back the final world", after);
    }
    return fault.empty() ? fault : fault + "\n" + RecentEvents();
}

void Monkey::start(int row, int events, const char* kind)
{
    m_random.seed(m_seed * 1000003u + static_cast<std::uint64_t>(row));
    std::srand(static_cast<unsigned>(m_seed + static_cast<std::uint64_t>(row)));
    std::snprintf(g_header, sizeof(g_header),
                  "monkey seed %llu, scene row %d; replay: VEXA_MONKEY_SEED=%llu VEXA_MONKEY_SCENE=%d "
                  "VEXA_MONKEY_EVENTS=%d%s",
                  static_cast<unsigned long long>(m_seed), row, static_cast<unsigned long long>(m_seed), row, events,
                  kind);
    g_logged = 0;
    m_plan.clear();

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
    *getTestSelection() = row;
    SimulationLoop();
    Restart(0);
    PassiveMotion(10, 10);
    SimulationLoop();
    key(5, GLUT_ACTIVE_CTRL);
}

std::string Monkey::sendEvents(int events)
{
    for (m_event = 0; m_event < events; ++m_event)
    {
        const Editor* editor = g_editor;
        const unsigned revision = editor != nullptr ? editor->edits().revision() : 0;
        if (!m_plan.empty())
        {
            const std::function<void()> next = std::move(m_plan.front());
            m_plan.pop_front();
            next();
        }
        else if (editor != nullptr)
        {
            m_editingOnly ? editingEvent() : editorEvent();
        }
        else
        {
            simulationEvent();
        }
        HoldModifiers(0);
        ++m_eventsSent;
        if (editor != nullptr && editor == g_editor && editor->edits().revision() != revision)
        {
            ++m_worldChanges;
        }
        const std::string fault = check();
        if (!fault.empty())
        {
            return fault + "\n" + RecentEvents();
        }
    }
    return std::string();
}

void Monkey::editorEvent()
{
    static const Choice choices[] = {
        {15, &Monkey::moveMouse},   {10, &Monkey::leftClick},     {4, &Monkey::rightClick}, {2, &Monkey::rightDrag},
        {20, &Monkey::editorKey},   {12, &Monkey::operation},     {3, &Monkey::deleteTwice}, {2, &Monkey::specialKey},
        {3, &Monkey::tabClick},     {9, &Monkey::panelAction},    {5, &Monkey::undoOrRedo}, {5, &Monkey::clipboard},
        {6, &Monkey::someFrames},   {2, &Monkey::saveScene},      {2, &Monkey::loadScene},
        {2, &Monkey::enterOrLeaveEditor}, {1, &Monkey::switchScene}};
    choose(choices);
}

void Monkey::editingEvent()
{
    static const Choice choices[] = {
        {15, &Monkey::moveMouse},   {10, &Monkey::leftClick},  {4, &Monkey::rightClick}, {2, &Monkey::rightDrag},
        {20, &Monkey::editorKey},   {12, &Monkey::operation},  {3, &Monkey::deleteTwice}, {2, &Monkey::specialKey},
        {3, &Monkey::tabClick},     {9, &Monkey::panelAction}, {5, &Monkey::undoOrRedo}, {5, &Monkey::clipboard},
        {6, &Monkey::someFrames},   {2, &Monkey::saveScene}};
    choose(choices);
}

void Monkey::simulationEvent()
{
    static const Choice choices[] = {{30, &Monkey::someFrames}, {20, &Monkey::simulationKey}, {15, &Monkey::grab},
                                     {7, &Monkey::rightDrag},   {3, &Monkey::specialKey},     {3, &Monkey::snapshot},
                                     {20, &Monkey::enterOrLeaveEditor}};
    choose(choices);
}

template <std::size_t N>
void Monkey::choose(const Choice (&choices)[N])
{
    int total = 0;
    for (const Choice& choice : choices)
    {
        total += choice.weight;
    }
    int at = pick(total);
    for (const Choice& choice : choices)
    {
        at -= choice.weight;
        if (at < 0)
        {
            (this->*choice.event)();
            return;
        }
    }
}

void Monkey::moveMouse()
{
    int x = 0;
    int y = 0;
    pickPixel(x, y, false);
    motion(x, y, chance(0.2) ? GLUT_ACTIVE_SHIFT : chance(0.15) ? GLUT_ACTIVE_CTRL : 0);
}

void Monkey::leftClick()
{
    click(GLUT_LEFT_BUTTON);
}

void Monkey::rightClick()
{
    click(GLUT_RIGHT_BUTTON);
}

void Monkey::click(int button)
{
    int x = 0;
    int y = 0;
    pickPixel(x, y, true);
    const int modifiers = chance(0.25) ? GLUT_ACTIVE_SHIFT : chance(0.1) ? GLUT_ACTIVE_CTRL : 0;
    log("%s click at (%d, %d)%s", button == GLUT_LEFT_BUTTON ? "left" : "right", x, y, ModifierText(modifiers));
    HoldModifiers(modifiers);
    Editor_MouseMotion(x, y);
    Editor_Mouse(button, GLUT_DOWN, x, y);
    Editor_Mouse(button, GLUT_UP, x, y);
}

void Monkey::rightDrag()
{
    int x = 0;
    int y = 0;
    pickPixel(x, y, true);
    const int steps = 1 + pick(6);
    const int dx = pick(161) - 80;
    const int dy = pick(161) - 80;
    const int modifiers = g_editor != nullptr && chance(0.4) ? GLUT_ACTIVE_CTRL : 0;
    mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, x, y, modifiers);
    for (int i = 1; i <= steps; ++i)
    {
        m_plan.push_back([=] { motion(x + i * dx, y + i * dy, modifiers); });
    }
    m_plan.push_back([=] { mouseButton(GLUT_RIGHT_BUTTON, GLUT_UP, x + steps * dx, y + steps * dy, modifiers); });
}

void Monkey::editorKey()
{
    unsigned char code = k_editorKeys[pick(Count(k_editorKeys))];
    const int choice = pick(100);
    const int modifiers = choice < 65   ? 0
                          : choice < 85 ? GLUT_ACTIVE_SHIFT
                          : choice < 95 ? GLUT_ACTIVE_CTRL
                          : choice < 98 ? GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT
                                        : GLUT_ACTIVE_ALT;
    // As the window library sends letters: control codes with Ctrl held (Ctrl+C is 3), capitals
    // with Shift.
    if ((modifiers & GLUT_ACTIVE_CTRL) != 0 && std::isalpha(code) && chance(0.8))
    {
        code &= 0x1f;
    }
    // Ctrl+L would load another scene.
    if (m_editingOnly && modifiers == GLUT_ACTIVE_CTRL && (code == 'l' || code == 'L' || code == 12))
    {
        return;
    }
    else if ((modifiers & GLUT_ACTIVE_SHIFT) != 0 && std::islower(code))
    {
        code = static_cast<unsigned char>(std::toupper(code));
    }
    key(code, modifiers);
}

void Monkey::operation()
{
    // Select, start an operation, steer it, move, then accept or abandon it.
    leftClick();
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
    m_plan.push_back([this] { chance(0.85) ? leftClick() : key(27, 0); });
}

void Monkey::deleteTwice()
{
    key(127, 0);
    m_plan.push_back([this] { key(127, 0); });
}

void Monkey::specialKey()
{
    const int code = k_specialKeys[pick(Count(k_specialKeys))];
    log("special key %d", code);
    if (g_editor != nullptr)
    {
        Editor_KeyboardSpecial(code, 10, 10);
    }
    else
    {
        KeyboardSpecial(code, 10, 10);
        KeyboardSpecialUp(code, 10, 10);
    }
}

void Monkey::tabClick()
{
    // Tab held shows where a vertex would be inserted; a click there inserts it.
    log("Tab down");
    Editor_Keyboard(9, 10, 10);
    m_plan.push_back([this] { leftClick(); });
    m_plan.push_back([this] {
        log("Tab up");
        (g_editor != nullptr ? Editor_KeyboardUp : KeyboardUp)(9, 10, 10);
    });
}

void Monkey::panelAction()
{
    if (chance(0.15))
    {
        const int method = pick(4);
        log("panel: edit method %d", method);
        EditorRadioHandler(method);
        return;
    }
    // A few controls changed (those the panel lets the user change), then a button pressed. The
    // panel shows the selection as of the last frame, and frames pass while the hand moves to it.
    frame();
    if (g_editor == nullptr)
    {
        return;
    }
    EditorPanelControls& c = EditorPanel();
    const EditorPanelEnabling& on = c.enabled;
    const struct
    {
        const char* label;
        char* text;
        bool enabled;
        bool integer;
    } numbers[] = {{"mass", c.bodyMass, on.bodySettings, false},
                   {"gravity scale", c.bodyGravityScale, on.bodySettings, false},
                   {"density", c.fixtureDensity, on.fixtureSettings, false},
                   {"restitution", c.fixtureRestitution, on.fixtureSettings, false},
                   {"friction", c.fixtureFriction, on.fixtureSettings, false},
                   {"category", c.fixtureCategoryBits, on.fixtureSettings, true},
                   {"mask", c.fixtureMaskBits, on.fixtureSettings, true},
                   {"group", c.fixtureGroupIndex, on.fixtureSettings, true},
                   {"max power", c.jointMaxMotorPower, on.jointSettings, false},
                   {"motor speed", c.jointMotorSpeed, on.jointSettings, false},
                   {"length", c.jointLength, on.jointSettings, false},
                   {"frequency", c.jointFrequency, on.jointSettings, false},
                   {"damping", c.jointDampingRatio, on.jointSettings, false}};
    const struct
    {
        const char* label;
        PanelCheckbox& box;
        bool enabled;
    } boxes[] = {{"fixed rotation", c.bodyFixedRotation, on.bodySettings},
                 {"bullet", c.bodyBullet, on.bodySettings},
                 {"sensor", c.fixtureIsSensor, on.fixtureSettings},
                 {"collide connected", c.jointCollideConnected, on.jointSettings},
                 {"limit", c.jointEnableLimit, on.jointSettings},
                 {"motor", c.jointEnableMotor, on.jointSettings}};
    const struct
    {
        const char* label;
        int& value;
        bool enabled;
        std::vector<int> ids;
    } lists[] = {{"body type", c.bodyType, on.bodySettings, {-1, 2, 0, 1}},
                 {"shape", c.shapeType, on.shapeType, {4, 0, 2, 1, 3}},
                 {"joint type", c.jointType, on.createJoint, {0, 1, 3, 2, 7, 10}}};
    std::string typed;
    for (int i = pick(5); i > 0; --i)
    {
        const int control = pick(Count(numbers) + Count(boxes) + Count(lists) + 1);
        if (control < Count(numbers))
        {
            const auto& n = numbers[control];
            const char* text = n.integer ? k_intTexts[pick(Count(k_intTexts))] : k_floatTexts[pick(Count(k_floatTexts))];
            if (n.enabled)
            {
                std::snprintf(n.text, k_panelNumberSize, "%s", text);
                typed += std::string(" ") + n.label + " \"" + text + "\"";
            }
        }
        else if (control < Count(numbers) + Count(boxes))
        {
            const auto& b = boxes[control - Count(numbers)];
            if (b.enabled)
            {
                b.box.value = b.box.value != 0 ? 0 : 1;
                b.box.mixed = false;
                typed += std::string(" ") + b.label + " " + std::to_string(b.box.value);
            }
        }
        else if (control < Count(numbers) + Count(boxes) + Count(lists))
        {
            const auto& l = lists[control - Count(numbers) - Count(boxes)];
            if (l.enabled)
            {
                l.value = l.ids[static_cast<std::size_t>(pick(static_cast<int>(l.ids.size())))];
                typed += std::string(" ") + l.label + " " + std::to_string(l.value);
            }
        }
        else if (on.name)
        {
            const char* name = k_names[pick(Count(k_names))];
            std::snprintf(c.objectName, sizeof(c.objectName), "%s", name);
            typed += std::string(" name \"") + name + "\"";
        }
    }
    const bool enabled[] = {false,         on.applyBody,     on.applyFixture, on.applyJoint,
                            on.createBody, on.createFixture, on.createJoint,  on.name};
    std::vector<int> buttons;
    for (int id = 1; id < Count(enabled); ++id)
    {
        if (enabled[id])
        {
            buttons.push_back(id);
        }
    }
    // "Exit editor" now and then.
    if (m_editingOnly && buttons.empty())
    {
        return;
    }
    const int button = buttons.empty() || (!m_editingOnly && chance(0.02))
                           ? 0
                           : buttons[static_cast<std::size_t>(pick(static_cast<int>(buttons.size())))];
    log("panel:%s; button %d", typed.c_str(), button);
    EditorButtonHandler(button);
    updateUIPanelState();
}

void Monkey::undoOrRedo()
{
    // Undo, redo, and redo as Ctrl+Shift+Z.
    const int choice = pick(4);
    key(choice == 1 ? 25 : 26, choice == 2 ? GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT : GLUT_ACTIVE_CTRL);
}

void Monkey::clipboard()
{
    // Copy, paste, mirror.
    const int choice = pick(3);
    key(choice == 0 ? 3 : choice == 1 ? 22 : 'M', choice == 2 ? GLUT_ACTIVE_SHIFT : GLUT_ACTIVE_CTRL);
}

void Monkey::saveScene()
{
    const char* const files[] = {"a.json", "b.json", "", "missing/c.json", "a.json"};
    const char* file = files[pick(Count(files))];
    const std::string path = file[0] == '\0' ? std::string() : m_directory + "/" + file;
    std::snprintf(EditorPanel().fileName, sizeof(EditorPanel().fileName), "%s", path.c_str());
    log("file name \"%s\"", file);
    key(chance(0.5) ? 19 : 's', GLUT_ACTIVE_CTRL);
    if (g_editor != nullptr && !g_editor->messages().empty() &&
        g_editor->messages().back().text.rfind("Saved scene", 0) == 0)
    {
        m_saveFault = checkSave(path.c_str());
    }
}

void Monkey::loadScene()
{
    const char* const files[] = {"a.json", "b.json", "", "absent.json", "cut.json", "junk.json", "vexa.json"};
    const char* file = files[pick(Count(files))];
    const std::string path = file[0] == '\0' ? std::string() : m_directory + "/" + file;
    if (std::strcmp(file, "cut.json") == 0)
    {
        // The start of a scene that was saved.
        std::ifstream in(m_directory + "/a.json", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        text.resize(text.empty() ? 0 : static_cast<std::size_t>(pick(static_cast<int>(text.size()))));
        std::ofstream(path, std::ios::binary) << text;
    }
    else if (std::strcmp(file, "junk.json") == 0)
    {
        std::ofstream(path, std::ios::binary) << "{\"body\": [{\"type\": 7, \"position\": [1e999, \"x\"]}], \"gravity\"";
    }
    std::snprintf(EditorPanel().fileName, sizeof(EditorPanel().fileName), "%s", path.c_str());
    log("file name \"%s\"", file);
    key(chance(0.5) ? 12 : 'l', GLUT_ACTIVE_CTRL);
    // A scene with unsaved changes is given up only on the second Ctrl+L.
    if (chance(0.5))
    {
        m_plan.push_back([this] { key(12, GLUT_ACTIVE_CTRL); });
    }
}

void Monkey::switchScene()
{
    // Out of the editor, another scene from the list, and back in.
    key(5, GLUT_ACTIVE_CTRL);
    m_plan.push_back([this] {
        const int row = pick(getTestCount());
        log("scene list: row %d, then a frame", row);
        *getTestSelection() = row;
        SimulationLoop();
    });
    m_plan.push_back([this] { key(5, GLUT_ACTIVE_CTRL); });
}

void Monkey::grab()
{
    int x = 0;
    int y = 0;
    pickPixel(x, y, true);
    const int steps = pick(5);
    const int dx = pick(61) - 30;
    const int dy = pick(61) - 30;
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y, chance(0.2) ? GLUT_ACTIVE_SHIFT : 0);
    for (int i = 1; i <= steps; ++i)
    {
        m_plan.push_back([=] {
            motion(x + i * dx, y + i * dy, 0);
            frame();
        });
    }
    // Now and then Ctrl+E in the middle of a grab: the editor ends it.
    if (chance(0.1))
    {
        m_plan.push_back([this] { key(5, GLUT_ACTIVE_CTRL); });
    }
    m_plan.push_back([=] { mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, x + steps * dx, y + steps * dy, 0); });
}

void Monkey::simulationKey()
{
    key(k_simulationKeys[pick(Count(k_simulationKeys))], chance(0.1) ? GLUT_ACTIVE_SHIFT : 0);
}

void Monkey::snapshot()
{
    key(chance(0.5) ? 19 : 12, GLUT_ACTIVE_CTRL);
}

void Monkey::key(unsigned char code, int modifiers)
{
    log("key %d%s%s", code, ModifierText(modifiers), g_editor != nullptr ? "" : " (simulation)");
    HoldModifiers(modifiers);
    (g_editor != nullptr ? Editor_Keyboard : Keyboard)(code, 10, 10);
    // The key may have entered or left the editor: its release goes to the mode that is on now.
    (g_editor != nullptr ? Editor_KeyboardUp : KeyboardUp)(code, 10, 10);
}

void Monkey::mouseButton(int button, int state, int x, int y, int modifiers)
{
    log("%s %s at (%d, %d)%s", button == GLUT_LEFT_BUTTON ? "left" : "right", state == GLUT_DOWN ? "down" : "up", x,
        y, ModifierText(modifiers));
    HoldModifiers(modifiers);
    (g_editor != nullptr ? Editor_Mouse : Mouse)(button, state, x, y);
}

void Monkey::motion(int x, int y, int modifiers)
{
    log("move to (%d, %d)%s", x, y, ModifierText(modifiers));
    HoldModifiers(modifiers);
    (g_editor != nullptr ? Editor_MouseMotion : MouseMotion)(x, y);
}

void Monkey::someFrames()
{
    const int count = 1 + pick(g_editor != nullptr ? 2 : 4);
    log("%d frame%s", count, count == 1 ? "" : "s");
    for (int i = 0; i < count; ++i)
    {
        frame();
    }
}

void Monkey::frame()
{
    (g_editor != nullptr ? Editor_DisplayFunc : SimulationLoop)();
}

void Monkey::enterOrLeaveEditor()
{
    if (g_editor != nullptr && chance(0.3))
    {
        log("panel: Exit editor");
        EditorButtonHandler(0);
        return;
    }
    key(chance(0.7) ? 5 : 'e', GLUT_ACTIVE_CTRL);
}

void Monkey::pickPixel(int& x, int& y, bool inScene)
{
    int w = 0;
    int h = 0;
    getWindowDimensions(w, h);
    b2World* world = getTest()->GetWorld();
    const int kind = pick(10);
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
                p = b2Mul(body->GetTransform(), geometry.points[static_cast<std::size_t>(
                                                    pick(static_cast<int>(geometry.points.size())))]);
            }
        }
        if (kind >= 6 && body->GetJointList() != nullptr)
        {
            b2Joint* joint = body->GetJointList()->joint;
            p = chance(0.5) ? joint->GetAnchorA() : joint->GetAnchorB();
        }
        worldToPixel(p, x, y);
        x += pick(9) - 4;
        y += pick(9) - 4;
    }
    else
    {
        x = pick(w + 40) - 20;
        y = pick(h + 40) - 20;
    }
    // Clicks stay off the side panel: its controls are used through its own actions.
    if (inScene && x >= w - k_panelWidth)
    {
        x = pick(w - k_panelWidth);
    }
}

void Monkey::worldToPixel(const b2Vec2& p, int& x, int& y) const
{
    int w = 0;
    int h = 0;
    getViewportDimensions(w, h);
    const ViewBounds view = ComputeViewBounds(getSettings()->viewCenter, getViewZoom(), w, h);
    const float u = (p.x - view.lower.x) / (view.upper.x - view.lower.x);
    const float v = (view.upper.y - p.y) / (view.upper.y - view.lower.y);
    // Far-off objects land well outside the window, not beyond what an int holds.
    x = static_cast<int>(std::clamp(u * static_cast<float>(w), -100000.0f, 100000.0f));
    y = static_cast<int>(std::clamp(v * static_cast<float>(h), -100000.0f, 100000.0f));
}

std::string Monkey::check() const
{
    if (!m_saveFault.empty())
    {
        return m_saveFault;
    }
    Test* test = getTest();
    if (g_editor != nullptr && (g_editor->getTest() != test || g_editor->getWorld() != test->GetWorld()))
    {
        return "the editor does not edit the scene that runs";
    }
    return FindBrokenReferences(test->GetWorld(), g_editor != nullptr ? &g_editor->controlState() : nullptr,
                                &test->names);
}

std::string Monkey::checkSave(const char* file) const
{
    WorldDoc doc(false);
    std::unique_ptr<b2World> loaded(doc.readFromFile(file));
    const b2World* saved = g_editor->getWorld();
    if (loaded != nullptr && doc.skippedCount() == 0 && loaded->GetBodyCount() == saved->GetBodyCount() &&
        loaded->GetJointCount() == saved->GetJointCount())
    {
        return std::string();
    }
    char text[k_lineSize];
    std::snprintf(text, sizeof(text),
                  "the scene saved to %s does not load whole: %d objects left out, %d of %d bodies, %d of %d joints",
                  file, doc.skippedCount(), loaded ? loaded->GetBodyCount() : -1, saved->GetBodyCount(),
                  loaded ? loaded->GetJointCount() : -1, saved->GetJointCount());
    return text;
}

void Monkey::log(const char* format, ...)
{
    char* line = g_lines[g_logged % k_logSize];
    const int used = std::snprintf(line, k_lineSize, "#%d ", m_event);
    va_list args;
    va_start(args, format);
    std::vsnprintf(line + used, static_cast<std::size_t>(k_lineSize - used), format, args);
    va_end(args);
    ++g_logged;
}
