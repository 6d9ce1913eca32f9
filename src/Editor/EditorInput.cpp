// Keyboard and mouse events as the front end forwards them: held keys and modifiers, the keys
// that switch the edit method and the overlays, and the clicks that pick and select.
#include "Editor/Editor.h"

#include <cstdio>

namespace
{

constexpr unsigned char k_tab = 9;
constexpr unsigned char k_escape = 27;

}  // namespace

void Editor::setSpecialKeyState(bool shift, bool alt, bool ctrl)
{
    m_specialKeys = (shift ? k_shiftKey : 0) | (alt ? k_altKey : 0) | (ctrl ? k_ctrlKey : 0);
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
        if (idle && !ctrlHeld())
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

    // Operations on the selection, the cursor, the clipboard and the trace image: known keys
    // that change nothing until those operations exist.
    case 'g':
    case 't':
    case 'r':
    case 's':
    case 'x':
    case 'y':
    case 'l':
    case 'L':
    case 'm':
    case 'o':
    case 'c':
    case 3:
    case 'M':
    case '+':
    case '-':
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
