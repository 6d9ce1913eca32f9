#include "Framework/Shell.h"

#include "Framework/DefaultPanel.h"
#include "Framework/Modifiers.h"
#include "Framework/PanelHost.h"
#include "Framework/Settings.h"
#include "Framework/Test.h"
#include "Framework/TestEntry.h"
#include "Framework/ViewTransform.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{

int width = 1136;
int height = 688;
int tx = 0;
int ty = 0;
int tw = 0;
int th = 0;
int mainWindow = 0;
Test* test = nullptr;
const TestEntry* registry = nullptr;
const TestEntry* entry = nullptr;
int testIndex = 0;
int testSelection = 0;
int testCount = 0;
Settings settings;
float settingsHz = 60.0f;
float viewZoom = 1.0f;
b2Vec2 lastp = b2Vec2_zero;
bool rMouseDown = false;
void (*editorToggle)() = nullptr;

const char* const k_snapshotFile = "snapshot.json";

// The drawing area: the window minus the side panel.
void QueryViewportArea()
{
    tx = 0;
    ty = 0;
    tw = std::max(width - k_panelWidth, 1);
    th = std::max(height, 1);
}

// Replaces the running scene with a new one of registry row `index`, shown in the default view
// when `resetView` is set (a switch to another row), and reprojects the view.
void StartEntry(int index, bool resetView)
{
    delete test;
    entry = registry + index;
    test = entry->createFcn();
    if (resetView)
    {
        viewZoom = 1.0f;
        settings.viewCenter.Set(0.0f, 20.0f);
    }
    UpdateProjection();
}

void LoadSnapshot()
{
    // Keep the running scene when the file cannot be read; the reader has said why.
    Test* loaded = Test::LoadSnapshot(k_snapshotFile);
    if (loaded != nullptr)
    {
        delete test;
        test = loaded;
    }
}

}  // namespace

int getMainWindow() { return mainWindow; }
Test* getTest() { return test; }
void setTest(Test* t) { test = t; }
Settings* getSettings() { return &settings; }
void getWindowDimensions(int& w, int& h) { w = width; h = height; }
void getViewportDimensions(int& w, int& h) { w = tw; h = th; }
float getViewZoom() { return viewZoom; }
void setViewZoom(float zoom) { viewZoom = zoom; }
const TestEntry* getTestEntries() { return registry; }
int getTestCount() { return testCount; }
int getTestIndex() { return testIndex; }
int* getTestSelection() { return &testSelection; }
const TestEntry& getTestEntry() { return *entry; }
float* getSettingsHz() { return &settingsHz; }
void SetEditorToggle(void (*enter)()) { editorToggle = enter; }

void UpdateProjection()
{
    QueryViewportArea();
    glViewport(tx, ty, tw, th);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    ViewBounds bounds = ComputeViewBounds(settings.viewCenter, viewZoom, tw, th);
    gluOrtho2D(bounds.lower.x, bounds.upper.x, bounds.lower.y, bounds.upper.y);
    glMatrixMode(GL_MODELVIEW);
}

void Resize(int w, int h)
{
    width = w;
    height = h;
    PanelReshape(w, h);
    UpdateProjection();
}

b2Vec2 ConvertScreenToWorld(int x, int y)
{
    ViewBounds bounds = ComputeViewBounds(settings.viewCenter, viewZoom, tw, th);
    return ScreenToWorld(bounds, x, y, tw, th);
}

void StartShell(int* argc, char** argv, const TestEntry* rows)
{
    registry = rows;
    testCount = 0;
    while (registry[testCount].createFcn != nullptr)
    {
        ++testCount;
    }
    testIndex = std::max(std::min(testIndex, testCount - 1), 0);
    testSelection = testIndex;
    entry = registry + testIndex;
    test = entry->createFcn();

    // The software rasteriser allocates and frees megabytes of vertex and bin memory every
    // frame. Left to the default thresholds, each such block is mapped from the system and
    // returned to it, and every page of it faults again the next frame. Kept in the heap, it
    // saves about a third of the processor time of a 10,000-body frame.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);

    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(width, height);
    char title[32];
    std::snprintf(title, sizeof(title), "V.E.X.A. (Box2D Version %d.%d.%d)", b2_version.major, b2_version.minor,
                  b2_version.revision);
    mainWindow = glutCreateWindow(title);
    // Closing the window returns from the main loop instead of ending the process abruptly.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    InitPanelHost();
    InstallSimulationCallbacks();
    SetupDefaultPanel();
    Resize(width, height);
    glutTimerFunc(16, Timer, 0);
}

void ShutdownShell()
{
    delete test;
    test = nullptr;
    ShutdownPanelHost();
    glutDestroyWindow(mainWindow);
    glutExit();
}

void InstallSimulationCallbacks()
{
    glutDisplayFunc(SimulationLoop);
    glutReshapeFunc(Resize);
    glutKeyboardFunc(Keyboard);
    glutKeyboardUpFunc(KeyboardUp);
    glutSpecialFunc(KeyboardSpecial);
    glutSpecialUpFunc(KeyboardSpecialUp);
    glutMouseFunc(Mouse);
    glutMotionFunc(MouseMotion);
    glutPassiveMotionFunc(PassiveMotion);
}

void SimulationLoop()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    test->textLine = 30;
    b2Vec2 oldCenter = settings.viewCenter;
    settings.hz = settingsHz;
    test->Step(&settings);
    if (oldCenter.x != settings.viewCenter.x || oldCenter.y != settings.viewCenter.y)
    {
        UpdateProjection();
    }

    test->DrawTitle(5, 15, entry->name);
    RenderPanels(BuildDefaultPanel);
    glutSwapBuffers();

    if (testSelection != testIndex)
    {
        testIndex = testSelection;
        StartEntry(testIndex, true);
    }
}

void Timer(int)
{
    glutSetWindow(mainWindow);
    glutPostRedisplay();
    glutTimerFunc(16, Timer, 0);
}

void Keyboard(unsigned char key, int x, int y)
{
    if (PanelTakesKeyboard(key, x, y))
    {
        return;
    }

    switch (key)
    {
    case 5:  // Ctrl+E: the editor takes over the window.
        if (OnlyCtrlHeld() && editorToggle != nullptr)
        {
            editorToggle();
        }
        break;

    case 12:  // Ctrl+L
        if (OnlyCtrlHeld())
        {
            LoadSnapshot();
        }
        break;

    case 19:  // Ctrl+S
        if (OnlyCtrlHeld())
        {
            test->WriteSnapshot(k_snapshotFile);
        }
        break;

    case 27:
        std::exit(0);

    case ' ':
        test->LaunchBomb();
        break;

    case '[':
        testSelection = testSelection - 1 < 0 ? testCount - 1 : testSelection - 1;
        break;

    case ']':
        testSelection = testSelection + 1 >= testCount ? 0 : testSelection + 1;
        break;

    case 'p':
        settings.pause = !settings.pause;
        break;

    case 'r':
        StartEntry(testIndex, false);
        break;

    case 'x':
        viewZoom = std::max(0.9f * viewZoom, 0.02f);
        UpdateProjection();
        break;

    case 'z':
        viewZoom = std::min(1.1f * viewZoom, 20.0f);
        UpdateProjection();
        break;

    default:
        test->Keyboard(key);
    }
}

void KeyboardUp(unsigned char key, int x, int y)
{
    if (PanelTakesKeyboardUp(key, x, y))
    {
        return;
    }
    test->KeyboardUp(key);
}

void KeyboardSpecial(int key, int x, int y)
{
    if (PanelTakesSpecial(key, x, y))
    {
        return;
    }

    switch (key)
    {
    case GLUT_KEY_LEFT:
    case GLUT_KEY_F1:
        settings.viewCenter.x -= 0.5f;
        break;
    case GLUT_KEY_RIGHT:
        settings.viewCenter.x += 0.5f;
        break;
    case GLUT_KEY_UP:
        settings.viewCenter.y += 0.5f;
        break;
    case GLUT_KEY_DOWN:
        settings.viewCenter.y -= 0.5f;
        break;
    case GLUT_KEY_HOME:
        viewZoom = 1.0f;
        settings.viewCenter.Set(0.0f, 20.0f);
        break;
    default:
        return;
    }
    UpdateProjection();
}

void KeyboardSpecialUp(int key, int x, int y)
{
    PanelTakesSpecialUp(key, x, y);
}

void Mouse(int button, int state, int x, int y)
{
    if (PanelTakesMouse(button, state, x, y))
    {
        return;
    }

    b2Vec2 p = ConvertScreenToWorld(x, y);
    if (button == GLUT_LEFT_BUTTON)
    {
        if (state == GLUT_DOWN)
        {
            if (OnlyShiftHeld())
            {
                test->ShiftMouseDown(p);
            }
            else
            {
                test->MouseDown(p);
            }
        }
        else if (state == GLUT_UP)
        {
            test->MouseUp(p);
        }
    }
    else if (button == GLUT_RIGHT_BUTTON)
    {
        if (state == GLUT_DOWN)
        {
            lastp = p;
            rMouseDown = true;
        }
        else if (state == GLUT_UP)
        {
            rMouseDown = false;
        }
    }
}

void MouseMotion(int x, int y)
{
    if (PanelTakesMotion(x, y))
    {
        return;
    }

    b2Vec2 p = ConvertScreenToWorld(x, y);
    test->MouseMove(p);

    if (rMouseDown)
    {
        b2Vec2 diff = p - lastp;
        settings.viewCenter -= diff;
        UpdateProjection();
        lastp = ConvertScreenToWorld(x, y);
    }
}

void PassiveMotion(int x, int y)
{
    PanelPassiveMotion(x, y);
}

void Pause(int)
{
    settings.pause = !settings.pause;
}

void SingleStep(int)
{
    settings.pause = 1;
    settings.singleStep = 1;
}

void Restart(int)
{
    StartEntry(testIndex, false);
}

void Exit(int code)
{
    std::exit(code);
}
