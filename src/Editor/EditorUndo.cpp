#include "Editor/Editor.h"

namespace
{

template <class Object, class Lookup>
void Reselect(std::set<Object*>& selected, const std::vector<int>& ids, Lookup lookup)
{
    selected.clear();
    for (int id : ids)
    {
        if (Object* object = lookup(id))
        {
            selected.insert(object);
        }
    }
}

}  // namespace

SelectionIds Editor::captureSelection(ObjectIds& ids)
{
    SelectionIds selection;
    for (b2Body* body : m_controlState.selectedBodies)
    {
        selection.bodies.push_back(ids.of(body));
    }
    for (b2Fixture* fixture : m_controlState.selectedFixtures)
    {
        selection.fixtures.push_back(ids.of(fixture));
    }
    for (const vertexInfo& v : m_controlState.selectedVertices)
    {
        selection.vertices.emplace_back(ids.of(v.fixture), v.index);
    }
    for (b2Joint* joint : m_controlState.selectedJoints)
    {
        selection.joints.push_back(ids.of(joint));
    }
    return selection;
}

void Editor::restoreSelection(const SelectionIds& selection, ObjectIds& ids)
{
    _controlState& cs = m_controlState;
    Reselect(cs.selectedBodies, selection.bodies, [&ids](int id) { return ids.body(id); });
    Reselect(cs.selectedFixtures, selection.fixtures, [&ids](int id) { return ids.fixture(id); });
    Reselect(cs.selectedJoints, selection.joints, [&ids](int id) { return ids.joint(id); });
    cs.selectedVertices.clear();
    for (const auto& vertex : selection.vertices)
    {
        if (b2Fixture* fixture = ids.fixture(vertex.first))
        {
            cs.selectedVertices.insert(vertexInfo{fixture, vertex.second});
        }
    }
}

void Editor::undo()
{
    abandonControlState();
    const std::string label = m_edits.undo();
    addMessage(label.empty() ? "Nothing to undo" : "Undo: " + label, label.empty() ? k_refusalColour : k_successColour);
    m_controlState.selectionCenter = getSelectionCenter();
    updateSelectionCandidate();
    updateUIPanelInfo();
}

void Editor::redo()
{
    abandonControlState();
    const std::string label = m_edits.redo();
    addMessage(label.empty() ? "Nothing to redo" : "Redo: " + label, label.empty() ? k_refusalColour : k_successColour);
    m_controlState.selectionCenter = getSelectionCenter();
    updateSelectionCandidate();
    updateUIPanelInfo();
}

void Editor::closePasteStep()
{
    if (m_pasteStepOpen)
    {
        m_pasteStepOpen = false;
        m_edits.endStep();
    }
}
