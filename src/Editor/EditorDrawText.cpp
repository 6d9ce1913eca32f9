// The text overlays drawn over the scene, one column of bitmap-font lines 15 pixels apart: help,
// the operation block, the messages, the information block and the mouse position label. The
// lines themselves are composed in EditorText.cpp.
#include "Editor/Editor.h"
#include "Editor/EditorText.h"
#include "Framework/DebugDraw.h"

#include <cstdarg>
#include <cstdio>

namespace
{

constexpr int k_lineHeight = 15;
constexpr int k_textX = 5;

}  // namespace

void Editor::drawString(int x, int y, b2Color colour, const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    DrawWindowText(x, y, m_displayWidth, m_displayHeight, buffer, colour, m_textAlpha);
    m_textLine += k_lineHeight;
}

void Editor::drawTextRows(int x, const TextRows& rows)
{
    for (const TextRow& row : rows)
    {
        if (row.text.empty())
        {
            m_textLine += k_lineHeight;
        }
        else
        {
            drawString(x, m_textLine, row.colour, "%s", row.text.c_str());
        }
    }
}

void Editor::showHelp()
{
    drawTextRows(k_textX, HelpText(m_helpPage, maxHelpPage));
}

void Editor::showControlState()
{
    OperationView view;
    view.state = m_controlState.state;
    view.editMethod = m_editMethod;
    view.selectedCount = SelectedCount(m_controlState, m_editMethod);
    view.mouseFromStart = m_mouseWorld - m_controlState.startMouseWorld;
    const int state = m_controlState.state;
    if (state & CS_TRANSLATE)
    {
        view.delta = getTranslatedDelta();
    }
    if (state & CS_ROTATE)
    {
        view.angle = getRotatedAngle();
    }
    if (state & CS_SCALE)
    {
        view.factor = getScaledFactor();
    }
    view.rotateAroundSelection = m_controlState.rotateAroundSelection;
    view.scaleAroundSelection = m_controlState.scaleAroundSelection;
    view.limitJointSelected = getLimitJoint() != nullptr;
    drawTextRows(k_textX, OperationText(view));
}

void Editor::showMessages()
{
    AgeMessages(m_messages);
    for (const _message& message : m_messages)
    {
        m_textAlpha = MessageAlpha(message);
        drawString(k_textX, m_textLine, message.colour, "%s", message.text.c_str());
    }
    m_textAlpha = 1.0f;
}

void Editor::showInfo()
{
    if (m_showWorldInfo && m_world != nullptr)
    {
        drawTextRows(k_textX, WorldInfoText(*m_world));
    }
    if (m_controlState.state == CS_MEASURE || m_infoMode == 0)
    {
        return;
    }
    int x = k_textX;
    if (m_infoMode == 2)
    {
        b2Vec2 at = getPositionForTextAtMouse();
        x = static_cast<int>(at.x);
        m_textLine = static_cast<int>(at.y);
    }

    const _controlState& cs = m_controlState;
    TextRows rows;
    switch (m_editMethod)
    {
    case EM_BODIES:
        if (cs.candidateBodies.size() == 1)
        {
            b2Body* body = *cs.candidateBodies.begin();
            rows = BodyInfoText(*body, getNameOfBody(body));
        }
        else if (cs.candidateBodies.size() > 1)
        {
            rows = MultipleCandidatesText(m_editMethod);
        }
        break;
    case EM_FIXTURES:
        if (cs.candidateFixtures.size() == 1)
        {
            b2Fixture* fixture = *cs.candidateFixtures.begin();
            rows = FixtureInfoText(*fixture, getNameOfFixture(fixture));
        }
        else if (cs.candidateFixtures.size() > 1)
        {
            rows = MultipleCandidatesText(m_editMethod);
        }
        break;
    case EM_VERTICES:
        if (cs.candidateVertices.size() == 1)
        {
            const vertexInfo& v = *cs.candidateVertices.begin();
            rows = VertexInfoText(*v.fixture, v.index);
        }
        else if (cs.candidateVertices.size() > 1)
        {
            rows = MultipleCandidatesText(m_editMethod);
        }
        break;
    case EM_JOINTS:
        if (cs.candidateJoints.size() == 1)
        {
            b2Joint* joint = *cs.candidateJoints.begin();
            rows = JointInfoText(*joint, getNameOfJoint(joint));
        }
        break;
    }
    drawTextRows(x, rows);
}

void Editor::showMousePosition()
{
    b2Vec2 at = getPositionForTextAtMouse();
    m_textAlpha = 0.25f;
    drawString(static_cast<int>(at.x), static_cast<int>(at.y) - k_lineHeight, k_mouseLabelColour, "%.3f,%.3f",
               m_mouseWorld.x, m_mouseWorld.y);
    m_textAlpha = 1.0f;
}

void Editor::showDebugData()
{
    const _controlState& cs = m_controlState;
    const int values[] = {m_specialKeys,
                          static_cast<int>(m_editMethod),
                          cs.state,
                          static_cast<int>(cs.candidateBodies.size()),
                          static_cast<int>(cs.disambiguationBodies.size()),
                          static_cast<int>(cs.selectedBodies.size()),
                          static_cast<int>(cs.candidateFixtures.size()),
                          static_cast<int>(cs.selectedFixtures.size()),
                          static_cast<int>(cs.candidateVertices.size()),
                          static_cast<int>(cs.selectedVertices.size()),
                          static_cast<int>(cs.validVertexDisplays.size()),
                          static_cast<int>(cs.invalidVertexDisplays.size())};
    const char* const labels[] = {"Special keys",
                                  "Edit method",
                                  "Control state",
                                  "Candidate bodies",
                                  "Disambiguate bodies",
                                  "Selected bodies",
                                  "Candidate fixtures",
                                  "Selected fixtures",
                                  "Candidate vertices",
                                  "Selected vertices",
                                  "Valid vertex position fixtures",
                                  "Invalid vertex position fixtures"};
    for (size_t i = 0; i < sizeof(values) / sizeof(values[0]); ++i)
    {
        drawString(k_textX, m_textLine, k_debugTextColour, "%s: %d", labels[i], values[i]);
    }
}
