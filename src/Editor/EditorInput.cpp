// Keyboard and mouse events as the front end forwards them: held keys and modifiers, the keys
// that switch the edit method and the overlays, the clicks that pick and select, and the keys
// and clicks that open, steer, accept and abandon operations.
#include "Editor/Editor.h"

#include <cstdio>

namespace
{

constexpr unsigned char k_tab = 9;
constexpr unsigned char k_escape = 27;

}  // namespace

void Editor::setSpecialKeyState(bool shift, bool alt, bool ctrl)
{
    const int keys = (shift ? k_shiftKey : 0) | (alt ? k_altKey : 0) | (ctrl ? k_ctrlKey : 0);
    const bool changed = keys != m_specialKeys;
    m_specialKeys = keys;
    // Shift and Ctrl change the amount, so the tentative outlines follow them at once.
    if (changed && (m_controlState.state & (CS_TRANSLATE | CS_ROTATE | CS_SCALE)))
    {
        checkNewVertexPositions();
    }
}

void Editor::handleKeyDown(unsigned char key)
{
    m_keys[key] = true;
    const bool idle = m_controlState.state == 0;
    switch (key)
    {
    case k_escape:
        abandonControlState();
        m_controlState.state = 0;
        updateSelectionCandidate();
        break;
    case k_tab:
        // Held in vertex mode, Tab turns picking into the search for a vertex insertion point.
        updateSelectionCandidate();
        break;

    // Edit methods change only while no operation is open.
    case 'b':
        if (idle)
        {
            setEditMethod(EM_BODIES);
        }
        break;
    case 'f':
        if (idle)
        {
            setEditMethod(EM_FIXTURES);
        }
        break;
    case 'v':
    case 22:
        if (idle && ctrlHeld())
        {
            paste();
        }
        else if (idle)
        {
            setEditMethod(EM_VERTICES);
        }
        break;
    case 'j':
        if (idle)
        {
            setEditMethod(EM_JOINTS);
        }
        break;
    case 'a':
        selectAll();
        break;

    // Overlays.
    case 'h':
    case 'H':
        m_helpPage += shiftHeld() ? -1 : 1;
        if (m_helpPage < 0)
        {
            m_helpPage = maxHelpPage;
        }
        else if (m_helpPage > maxHelpPage)
        {
            m_helpPage = 0;
        }
        break;
    case 'i':
        m_infoMode = (m_infoMode + 1) % 3;
        break;
    case 'w':
        m_showWorldInfo = !m_showWorldInfo;
        break;

    // Operations on the selection and the cursor.
    case 'g':
    case 't':
        translateKey();
        break;
    case 'r':
        rotateKey();
        break;
    case 's':
        scaleKey();
        break;
    case 'x':
        axisKey(CS_X_AXIS);
        break;
    case 'y':
        axisKey(CS_Y_AXIS);
        break;
    case 'l':
    case 'L':
        limitKey();
        break;
    case 'm':
        if (idle || m_controlState.state == CS_MEASURE)
        {
            m_controlState.state = CS_MEASURE;
            startOperation();
        }
        break;
    case 'o':
        if (m_controlState.state & CS_ROTATE)
        {
            resetAngles();
            abandonControlState();
            updateSelectionCandidate();
        }
        break;
    case 'c':
    case 3:
        if (idle && ctrlHeld())
        {
            copy();
        }
        else if (idle)
        {
            m_controlState.state = CS_MOVE_CURSOR;
        }
        break;
    case 'M':
        if (idle && shiftHeld())
        {
            mirror();
        }
        break;
    case '+':
        imageScale += 0.25f;
        break;
    case '-':
        imageScale -= 0.25f;
        break;

    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo.
    case 26:
        if (ctrlHeld())
        {
            shiftHeld() ? redo() : undo();
        }
        break;
    case 25:
        if (ctrlHeld())
        {
            redo();
        }
        break;

    // Del asks first; a second Del deletes the selection.
    case 127:
        if (m_controlState.state == CS_DELETE)
        {
            doDelete();
            m_controlState.state = 0;
        }
        else if (idle && haveSelection())
        {
            m_controlState.state = CS_DELETE;
        }
        break;

    default:
        std::printf("Unhandled key down: %d\n", key);
        std::fflush(stdout);
        break;
    }
}

void Editor::handleKeyUp(unsigned char key)
{
    m_keys[key] = false;
}

void Editor::handleMouseMove(b2Vec2 pixel, b2Vec2 world)
{
    m_mousePixel = pixel;
    m_mouseWorld = world;
    const int state = m_controlState.state;
    if (state == 0 || state == CS_DISAMBIGUATE)
    {
        updateSelectionCandidate();
    }
    else if ((state & (CS_TRANSLATE | CS_ROTATE | CS_SCALE)) && m_editMethod == EM_VERTICES)
    {
        checkNewVertexPositions();
    }
}

void Editor::handleMouseButtonDown(int button)
{
    const int state = m_controlState.state;
    if (button == 0)
    {
        if (state == 0 || state == CS_DISAMBIGUATE)
        {
            select(0);
            updateUIPanelInfo();
        }
        else if (state & CS_MOVE_CURSOR)
        {
            m_controlState.cursorPos = m_mouseWorld;
            m_controlState.state = 0;
        }
        else if ((state & (CS_TRANSLATE | CS_ROTATE | CS_SCALE)) && accept())
        {
            m_controlState.state = 0;
        }
    }
    else if (button == 1)
    {
        if (state == CS_DISAMBIGUATE)
        {
            abandonControlState();
            m_controlState.state = 0;
            updateSelectionCandidate();
        }
        else if (state == 0)
        {
            select(1);
            updateUIPanelInfo();
        }
    }
}

void Editor::setEditMethod(_editMethod method)
{
    m_controlState.state &= ~CS_DISAMBIGUATE;
    m_editMethod = method;
    m_controlState.candidateBodies.clear();
    m_controlState.candidateFixtures.clear();
    m_controlState.candidateVertices.clear();
    m_controlState.candidateJoints.clear();
    updateSelectionCandidate();
    m_controlState.selectionCenter = getSelectionCenter();
    updateUIPanelInfo();
}

void Editor::abandonControlState()
{
    closePasteStep();
    _controlState& cs = m_controlState;
    if ((cs.state & CS_MOVE_CURSOR) == 0 && (cs.state & CS_DISAMBIGUATE) != 0)
    {
        cs.disambiguationBodies.clear();
        cs.disambiguationVertices.clear();
        cs.disambiguationJoints.clear();
    }
    cs.state = 0;
    cs.selectionCenter = getSelectionCenter();
}

void Editor::selectAll()
{
    if (m_editMethod != EM_BODIES)
    {
        return;
    }
    for (b2Body* body : m_controlState.selectedBodies)
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            m_controlState.selectedFixtures.insert(fixture);
        }
    }
}

// Operation keys.

void Editor::startOperation()
{
    m_controlState.startMouseWorld = m_mouseWorld;
}

void Editor::translateKey()
{
    _controlState& cs = m_controlState;
    const int state = cs.state;
    if ((state & CS_TRANSLATE) && (state & (CS_ANCHOR_A | CS_ANCHOR_B)))
    {
        // The other joint anchor moves, from the mouse as it is now.
        cs.state = CS_TRANSLATE | ((state & CS_ANCHOR_A) ? CS_ANCHOR_B : CS_ANCHOR_A);
        startOperation();
        return;
    }
    if ((state == 0 || state == CS_ROTATE || state == CS_SCALE) && haveSelection())
    {
        cs.state = CS_TRANSLATE;
        startOperation();
        if (m_editMethod == EM_JOINTS)
        {
            cs.state = CS_TRANSLATE | CS_ANCHOR_A;
        }
        checkNewVertexPositions();
    }
}

void Editor::rotateKey()
{
    _controlState& cs = m_controlState;
    const int state = cs.state;
    if ((state & CS_ROTATE) && (state & (CS_ANCHOR_A | CS_ANCHOR_B)))
    {
        cs.state = CS_ROTATE | ((state & CS_ANCHOR_A) ? CS_ANCHOR_B : CS_ANCHOR_A);
        startOperation();
        return;
    }
    if ((state == 0 || state == CS_TRANSLATE || state == CS_SCALE) && haveSelection())
    {
        cs.state = CS_ROTATE;
        startOperation();
        if (m_editMethod == EM_JOINTS)
        {
            // Joint anchors turn about the cursor; `r` then switches anchors instead.
            cs.state = CS_ROTATE | CS_ANCHOR_A;
            cs.rotateAroundSelection = false;
        }
        checkNewVertexPositions();
    }
    else if (state & CS_ROTATE)
    {
        cs.rotateAroundSelection = !cs.rotateAroundSelection;
        startOperation();
        checkNewVertexPositions();
    }
}

void Editor::scaleKey()
{
    _controlState& cs = m_controlState;
    const int state = cs.state;
    if (state == CS_MOVE_CURSOR)
    {
        if (haveSelection())
        {
            cs.cursorPos = cs.selectionCenter;
            cs.state = 0;
        }
        return;
    }
    if ((state == 0 || state == CS_TRANSLATE || state == CS_ROTATE) && haveSelection())
    {
        cs.state = CS_SCALE;
        startOperation();
        checkNewVertexPositions();
    }
    else if (state & CS_SCALE)
    {
        cs.scaleAroundSelection = !cs.scaleAroundSelection;
        startOperation();
        checkNewVertexPositions();
    }
}

void Editor::axisKey(int axis)
{
    _controlState& cs = m_controlState;
    if (!(cs.state & (CS_TRANSLATE | CS_SCALE)))
    {
        return;
    }
    const bool wasSet = (cs.state & axis) != 0;
    cs.state &= ~(CS_X_AXIS | CS_Y_AXIS);
    if (!wasSet)
    {
        cs.state |= axis;
    }
    checkNewVertexPositions();
}

void Editor::limitKey()
{
    _controlState& cs = m_controlState;
    if (getLimitJoint() == nullptr)
    {
        return;
    }
    const int state = cs.state;
    if (state & (CS_LOWER_LIMIT | CS_UPPER_LIMIT))
    {
        // Lower and upper take turns; the axis restriction goes.
        const int base = (state & CS_TRANSLATE) ? CS_TRANSLATE : CS_ROTATE;
        cs.state = base | ((state & CS_LOWER_LIMIT) ? CS_UPPER_LIMIT : CS_LOWER_LIMIT);
    }
    else if (state == CS_TRANSLATE || state == CS_ROTATE)
    {
        cs.state |= CS_LOWER_LIMIT;
    }
}
