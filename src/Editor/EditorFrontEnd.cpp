#include "Editor/EditorFrontEnd.h"

#include "Editor/Editor.h"
#include "Editor/EditorPanel.h"
#include "Framework/DefaultPanel.h"
#include "Framework/Modifiers.h"
#include "Framework/PanelHost.h"
#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Framework/ViewTransform.h"
#include "WorldDoc/WorldDoc.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

Editor* g_editor = nullptr;

namespace
{

// The right-button view drag of editor mode, kept apart from the simulation's.
b2Vec2 lastp = b2Vec2_zero;
bool rMouseDown = false;
// A Ctrl+L over unsaved edits is pending; the next Ctrl+L is its confirmation.
bool g_loadPending = false;
bool g_loadConfirmed = false;

// Ctrl+right drag zooms by this factor per motion event; the bounds are those of the zoom keys.
constexpr float k_zoomStep = 1.03f;
constexpr float k_minZoom = 0.02f;
constexpr float k_maxZoom = 20.0f;

void BlankFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void InstallEditorCallbacks()
{
    glutDisplayFunc(Editor_DisplayFunc);
    glutReshapeFunc(Editor_Resize);
    glutKeyboardFunc(Editor_Keyboard);
    glutKeyboardUpFunc(Editor_KeyboardUp);
    glutSpecialFunc(Editor_KeyboardSpecial);
    glutMouseFunc(Editor_Mouse);
    // The editor follows the mouse with and without a button held.
    glutMotionFunc(Editor_MouseMotion);
    glutPassiveMotionFunc(Editor_MouseMotion);
}

// The editor edits the scene the shell runs, also when that scene was replaced underneath it.
void FollowCurrentTest()
{
    if (g_editor != nullptr && g_editor->getTest() != getTest())
    {
        g_editor->setTest(getTest());
        g_editor->updateUIPanelInfo();
    }
}

// Every input callback starts here: true when the editor is to handle the event.
bool EditorTakesInput()
{
    if (g_editor == nullptr)
    {
        return false;
    }
    FollowCurrentTest();
    const int modifiers = CurrentModifiers();
    g_editor->setSpecialKeyState((modifiers & GLUT_ACTIVE_SHIFT) != 0, (modifiers & GLUT_ACTIVE_ALT) != 0,
                                 (modifiers & GLUT_ACTIVE_CTRL) != 0);
    return true;
}

void ViewChanged()
{
    UpdateProjection();
    UpdateEditorDisplayArea();
}

// Messages naming a file are cut to 127 characters: the name is the user's text.
void AddBoundedMessage(b2Color colour, const char* format, ...) __attribute__((format(printf, 2, 3)));

void AddBoundedMessage(b2Color colour, const char* format, ...)
{
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    g_editor->addMessage(text, colour);
}

// The file named in the panel, or null (with the message that asks for one) when it is empty.
const char* PanelFileName()
{
    const char* fileName = EditorPanel().fileName;
    if (fileName[0] == '\0')
    {
        g_editor->addMessage("Enter a file name", k_errorColour);
        return nullptr;
    }
    return fileName;
}

}  // namespace

void EnterEditor()
{
    if (g_editor != nullptr)
    {
        return;
    }
    BlankFrame();
    InstallEditorCallbacks();
    CloseDefaultPanel();
    SetupEditorGLUI();
    Test* test = getTest();
    if (test != nullptr)
    {
        // The button release that would end a grab now goes to the editor.
        test->EndGrab();
    }
    g_editor = new Editor(test);
    g_editor->beginDrawing();
    if (test != nullptr)
    {
        g_editor->setDebugDrawFlags(static_cast<int>(DebugDrawFlags(*getSettings())));
    }
    rMouseDown = false;
    UpdateEditorDisplayArea();
}

void ExitEditor()
{
    if (g_editor == nullptr)
    {
        return;
    }
    BlankFrame();
    InstallSimulationCallbacks();
    CleanupEditorGLUI();
    SetupDefaultPanel();
    g_editor->endDrawing();
    delete g_editor;
    g_editor = nullptr;
    rMouseDown = false;
}

void DiscardEditor()
{
    CleanupEditorGLUI();
    delete g_editor;
    g_editor = nullptr;
}

void UpdateEditorDisplayArea()
{
    if (g_editor == nullptr)
    {
        return;
    }
    int w = 0;
    int h = 0;
    getViewportDimensions(w, h);
    const ViewBounds bounds = ComputeViewBounds(getSettings()->viewCenter, getViewZoom(), w, h);
    g_editor->setDisplayArea(bounds.lower, bounds.upper, w, h);
}

void Editor_DisplayFunc()
{
    FollowCurrentTest();
    updateUIPanelState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (g_editor != nullptr)
    {
        g_editor->render();
    }
    RenderPanels(BuildEditorPanel);
    glutSwapBuffers();
    RunEditorPanelButton();
}

void Editor_Resize(int w, int h)
{
    Resize(w, h);
    UpdateEditorDisplayArea();
}

void Editor_Keyboard(unsigned char key, int x, int y)
{
    const bool panelTook = PanelTakesKeyboard(key, x, y);
    if (!EditorTakesInput())
    {
        return;
    }
    const bool onlyCtrl = OnlyCtrlHeld();
    const bool load = onlyCtrl && (key == 12 || key == 'l');
    const bool save = onlyCtrl && (key == 19 || key == 's');
    const bool leave = onlyCtrl && (key == 5 || key == 'e');
    // The file and mode shortcuts also work while a panel field has the keyboard, so that a file
    // name just typed can be saved to or loaded at once.
    if (panelTook && !(load || save || leave))
    {
        return;
    }
    // A load over unsaved edits waits for a second Ctrl+L; any other key calls it off.
    g_loadConfirmed = load && g_loadPending;
    g_loadPending = false;
    if (load)
    {
        LoadEditorScene();
    }
    else if (save)
    {
        SaveEditorScene();
    }
    else if (leave)
    {
        ExitEditor();
    }
    else
    {
        g_editor->handleKeyDown(key);
    }
    updateUIPanelState();
}

void Editor_KeyboardUp(unsigned char key, int x, int y)
{
    if (PanelTakesKeyboardUp(key, x, y) || !EditorTakesInput())
    {
        return;
    }
    g_editor->handleKeyUp(key);
}

void Editor_KeyboardSpecial(int key, int x, int y)
{
    if (PanelTakesSpecial(key, x, y) || !EditorTakesInput())
    {
        return;
    }
    b2Vec2& center = getSettings()->viewCenter;
    switch (key)
    {
    case GLUT_KEY_LEFT:
    case GLUT_KEY_F1:
        center.x -= 0.5f;
        break;
    case GLUT_KEY_RIGHT:
        center.x += 0.5f;
        break;
    case GLUT_KEY_UP:
        center.y += 0.5f;
        break;
    case GLUT_KEY_DOWN:
        center.y -= 0.5f;
        break;
    case GLUT_KEY_HOME:
        // Recentres only: the zoom chosen while editing stays.
        center.Set(0.0f, 20.0f);
        break;
    default:
        return;
    }
    ViewChanged();
}

void Editor_Mouse(int button, int state, int x, int y)
{
    // A release ends the view drag wherever it happens, over the panel too.
    if (button == GLUT_RIGHT_BUTTON && state == GLUT_UP)
    {
        rMouseDown = false;
    }
    if (PanelTakesMouse(button, state, x, y) || !EditorTakesInput())
    {
        return;
    }
    if (state != GLUT_DOWN || (button != GLUT_LEFT_BUTTON && button != GLUT_RIGHT_BUTTON))
    {
        return;
    }
    const b2Vec2 p = ConvertScreenToWorld(x, y);
    // Picking uses the position of the click itself, even when no motion reported it.
    if (g_editor->mouseWorld() != p)
    {
        g_editor->handleMouseMove(b2Vec2(static_cast<float>(x), static_cast<float>(y)), p);
    }
    if (button == GLUT_LEFT_BUTTON)
    {
        g_editor->handleMouseButtonDown(0);
    }
    else
    {
        lastp = p;
        rMouseDown = true;
        g_editor->handleMouseButtonDown(1);
    }
}

void Editor_MouseMotion(int x, int y)
{
    if (PanelTakesMotion(x, y) || !EditorTakesInput())
    {
        return;
    }
    const b2Vec2 p = ConvertScreenToWorld(x, y);
    g_editor->handleMouseMove(b2Vec2(static_cast<float>(x), static_cast<float>(y)), p);
    if (!rMouseDown)
    {
        return;
    }
    if (OnlyCtrlHeld())
    {
        // Dragging up zooms out, down zooms in.
        const float dy = p.y - lastp.y;
        if (dy != 0.0f)
        {
            const float zoom = dy > 0.0f ? getViewZoom() * k_zoomStep : getViewZoom() / k_zoomStep;
            setViewZoom(std::clamp(zoom, k_minZoom, k_maxZoom));
        }
    }
    else
    {
        getSettings()->viewCenter -= p - lastp;
    }
    ViewChanged();
    // Under the new view, so that the next motion measures from where the cursor is now.
    lastp = ConvertScreenToWorld(x, y);
}

void SaveEditorScene()
{
    if (g_editor == nullptr)
    {
        return;
    }
    const char* fileName = PanelFileName();
    if (fileName == nullptr)
    {
        return;
    }
    WorldDoc doc(true);
    g_editor->setNamesInJson(&doc);
    // The document replaces the file only once it is completely written.
    if (doc.writeToFile(g_editor->getWorld(), fileName))
    {
        getTest()->unsavedEdits = false;
        AddBoundedMessage(k_successColour, "Saved scene to file: %s", fileName);
    }
    else
    {
        AddBoundedMessage(k_errorColour, "Could not save scene to file: %s", fileName);
    }
}

void LoadEditorScene()
{
    if (g_editor == nullptr)
    {
        return;
    }
    const char* fileName = PanelFileName();
    if (fileName == nullptr)
    {
        return;
    }
    if (getTest()->unsavedEdits && !g_loadConfirmed)
    {
        g_loadPending = true;
        g_editor->addMessage("The scene has unsaved changes: press Ctrl+L again to load and lose them",
                             k_refusalColour);
        return;
    }
    g_loadConfirmed = false;
    WorldDoc doc(false);
    b2World* world = doc.readFromFile(fileName);
    if (world == nullptr)
    {
        // The reader has printed why; the scene being edited stays.
        AddBoundedMessage(k_errorColour, "Could not load scene from file: %s", fileName);
        return;
    }
    Test* loaded = new Test(world);
    loaded->names.takeFrom(doc);
    // The editor moves to the new scene before the old one goes, so it never holds a dead host.
    Test* previous = getTest();
    setTest(loaded);
    g_editor->setTest(loaded);
    g_editor->updateUIPanelInfo();
    delete previous;
    AddBoundedMessage(k_successColour, "Loaded scene from file: %s", fileName);
    const int skipped = doc.skippedCount();
    if (skipped > 0)
    {
        AddBoundedMessage(k_errorColour, "%d object%s of the file could not be loaded (see the console)", skipped,
                          skipped == 1 ? "" : "s");
    }
}
