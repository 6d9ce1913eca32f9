// Copy and paste of bodies and fixtures. The clipboard is the editor's own: scene text holding
// the copied objects without names or joints. Paste builds them with the same checked reader as
// scene files, so an element the physics library would refuse is left out with a message while
// the rest is pasted, and the same copy can be pasted any number of times.
#include "Editor/EditStep.h"
#include "Editor/Editor.h"
#include "WorldDoc/WorldDoc.h"

#include <json/json.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace
{

const char* const k_bodyList = "Kelvo-clipboard-body";
const char* const k_fixtureList = "Kelvo-clipboard-fixture";

// The elements of the clipboard's list `key` before the first null one; none when the list is
// missing.
std::vector<const Json::Value*> ListElements(const Json::Value& root, const char* key)
{
    std::vector<const Json::Value*> elements;
    const Json::Value* list = root.isObject() ? root.find(key, key + std::strlen(key)) : nullptr;
    if (list != nullptr && list->isArray())
    {
        for (const Json::Value& element : *list)
        {
            if (element.isNull())
            {
                break;
            }
            elements.push_back(&element);
        }
    }
    return elements;
}

std::string PasteLabel(std::size_t count, const char* one, const char* many)
{
    return "paste " + std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

void Editor::copy()
{
    const _controlState& cs = m_controlState;
    bool empty = true;
    switch (m_editMethod)
    {
    case EM_BODIES:
        empty = cs.selectedBodies.empty();
        break;
    case EM_FIXTURES:
        empty = cs.selectedFixtures.empty();
        break;
    case EM_VERTICES:
        empty = cs.selectedVertices.empty();
        break;
    case EM_JOINTS:
        empty = cs.selectedJoints.empty();
        break;
    }
    if (empty)
    {
        addMessage("No selection to copy", k_refusalColour);
        return;
    }
    if (m_editMethod == EM_VERTICES)
    {
        addMessage("Copy not supported for vertices", k_refusalColour);
        return;
    }
    if (m_editMethod == EM_JOINTS)
    {
        return;
    }

    // A document of its own: it knows no names, so none are copied.
    WorldDoc doc(false);
    Json::Value root(Json::objectValue);
    Json::ArrayIndex i = 0;
    if (m_editMethod == EM_BODIES)
    {
        Json::Value& list = root[k_bodyList];
        for (b2Body* body : cs.selectedBodies)
        {
            list[i++] = doc.b2j(body);
        }
    }
    else
    {
        Json::Value& list = root[k_fixtureList];
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            list[i++] = doc.b2j(fixture);
        }
    }
    m_clipboard = Json::StyledWriter().write(root);
}

void Editor::paste()
{
    if (m_clipboard.empty())
    {
        addMessage("Nothing to paste", k_refusalColour);
        return;
    }
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(m_clipboard, root))
    {
        std::printf("Failed to parse clipboard string: %s\n", reader.getFormattedErrorMessages().c_str());
        std::fflush(stdout);
        return;
    }
    if (m_world == nullptr)
    {
        return;
    }

    // Each element is built on its own and pastes whole or not at all; one that cannot be
    // built is reported (the reader has printed why) and the others still paste.
    const auto pasteEach = [this](const std::vector<const Json::Value*>& elements, const char* kind, auto build) {
        std::set<std::remove_pointer_t<decltype(build(*elements.front()))>*> pasted;
        for (std::size_t i = 0; i < elements.size(); ++i)
        {
            if (auto* object = build(*elements[i]))
            {
                pasted.insert(object);
                continue;
            }
            char text[128];
            std::snprintf(text, sizeof(text), "Could not paste %s %zu of the clipboard (the console says why)", kind,
                          i + 1);
            addMessage(text, k_refusalColour);
        }
        return pasted;
    };
    WorldDoc doc(false);
    _controlState& cs = m_controlState;

    const std::vector<const Json::Value*> bodies =
        m_editMethod == EM_BODIES ? ListElements(root, k_bodyList) : std::vector<const Json::Value*>();
    if (!bodies.empty())
    {
        // The whole paste is one undoable step.
        EditStep step(m_edits, PasteLabel(bodies.size(), "body", "bodies"));
        std::set<b2Body*> pasted = pasteEach(bodies, "body", [&](const Json::Value& value) -> b2Body* {
            b2Body* body = doc.j2b2Body(m_world, value);
            if (body == nullptr)
            {
                return nullptr;
            }
            m_edits.adopt(body);
            // The reader builds a body without the fixtures it cannot build; such a copy is
            // not the one the user copied.
            std::size_t fixtures = 0;
            for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
            {
                ++fixtures;
            }
            if (fixtures == ListElements(value, "fixture").size())
            {
                return body;
            }
            m_edits.destroyBody(body);
            return nullptr;
        });
        if (!pasted.empty())
        {
            cs.startMouseWorld = m_mouseWorld;
            cs.selectedBodies = std::move(pasted);
            cs.selectionCenter = getSelectionCenter();
            cs.state = CS_TRANSLATE;
            // The step stays open until the pasted bodies are dropped.
            m_edits.beginStep("");
            m_pasteStepOpen = true;
            return;
        }
    }

    const bool fixtureMethod = m_editMethod == EM_FIXTURES;
    if ((m_editMethod != EM_BODIES && !fixtureMethod) || cs.selectedBodies.size() != 1)
    {
        return;
    }
    const std::vector<const Json::Value*> fixtures = ListElements(root, k_fixtureList);
    if (fixtures.empty())
    {
        return;
    }
    b2Body* body = *cs.selectedBodies.begin();
    EditStep step(m_edits, PasteLabel(fixtures.size(), "fixture", "fixtures"));
    std::set<b2Fixture*> pasted = pasteEach(fixtures, "fixture", [&](const Json::Value& value) {
        b2Fixture* fixture = doc.j2b2Fixture(body, value);
        if (fixture != nullptr)
        {
            m_edits.adopt(fixture);
        }
        return fixture;
    });
    if (!pasted.empty())
    {
        cs.startMouseWorld = m_mouseWorld;
        cs.selectedFixtures = std::move(pasted);
        cs.selectionCenter = getSelectionCenter();
        if (fixtureMethod)
        {
            cs.state = CS_TRANSLATE;
            m_edits.beginStep("");
            m_pasteStepOpen = true;
        }
    }
}
