#include "Editor/Editor.h"

#include "Framework/Test.h"
#include "WorldDoc/ObjectNames.h"

#include <algorithm>
#include <cstdio>

int maxHelpPage = 4;
float imageScale = 4.75f;
const b2Transform g_identityTransform(b2Vec2_zero, b2Rot(0.0f));

Editor::Editor(Test* host)
{
    m_edits.history().setSelectionKeeper(this);
    setTest(host);
    m_panelInput = _panelInput();
    updateUIPanelInfo();
}

Editor::~Editor()
{
    if (m_test != nullptr)
    {
        m_test->RemoveObserver(this);
    }
}

void Editor::setTest(Test* host)
{
    if (m_test != nullptr)
    {
        m_test->RemoveObserver(this);
    }
    m_test = host;
    m_world = host != nullptr ? host->GetWorld() : nullptr;
    m_edits.setHost(host);
    if (m_test != nullptr)
    {
        m_test->AddObserver(this);
    }
    m_lastSelectedBody = nullptr;
    m_pasteStepOpen = false;
    clearControlState();
    // The outlines of the last vertex move belong to the world that was edited.
    m_controlState.validVertexDisplays.clear();
    m_controlState.invalidVertexDisplays.clear();
    worldChanged();
}

void Editor::clearControlState()
{
    // The tentative vertex outlines are rebuilt before every use, so they are left alone.
    std::vector<tentativeVertexDisplay> valid = std::move(m_controlState.validVertexDisplays);
    std::vector<tentativeVertexDisplay> invalid = std::move(m_controlState.invalidVertexDisplays);
    m_controlState = _controlState();
    m_controlState.validVertexDisplays = std::move(valid);
    m_controlState.invalidVertexDisplays = std::move(invalid);
}

b2Vec2 Editor::getPositionForTextAtMouse() const
{
    return b2Vec2(m_mousePixel.x + 20.0f, m_mousePixel.y + 13.0f);
}

void Editor::setDisplayArea(b2Vec2 lowerLeft, b2Vec2 upperRight, int width, int height)
{
    m_displayLowerLeft = lowerLeft;
    m_displayUpperRight = upperRight;
    m_displayWidth = width;
    m_displayHeight = height;
}

float Editor::pixelToWorld(float pixels) const
{
    return pixels * (m_displayUpperRight.x - m_displayLowerLeft.x) / static_cast<float>(std::max(m_displayWidth, 1));
}

float Editor::worldToPixel(float world) const
{
    float extent = m_displayUpperRight.x - m_displayLowerLeft.x;
    return extent != 0.0f ? world * static_cast<float>(m_displayWidth) / extent : 0.0f;
}

void Editor::addMessage(const std::string& text, b2Color colour)
{
    _message message;
    message.text = text;
    message.colour = colour;
    m_messages.push_back(message);
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

// Names.

const ObjectNames* Editor::names() const
{
    return m_test != nullptr ? &m_test->names : nullptr;
}

ObjectNames* Editor::names()
{
    return m_test != nullptr ? &m_test->names : nullptr;
}

namespace
{

template <typename Object>
std::string NameIn(const std::map<Object*, std::string>* names, Object* object)
{
    if (names == nullptr)
    {
        return std::string();
    }
    auto it = names->find(object);
    return it != names->end() ? it->second : std::string();
}

template <typename Object>
Object* FirstNamed(const std::map<Object*, std::string>* names, const std::string& name)
{
    if (names != nullptr)
    {
        for (const auto& entry : *names)
        {
            if (entry.second == name)
            {
                return entry.first;
            }
        }
    }
    return nullptr;
}

}  // namespace

std::string Editor::getNameOfBody(b2Body* body) const
{
    return NameIn(names() ? &names()->bodyNames : nullptr, body);
}

std::string Editor::getNameOfFixture(b2Fixture* fixture) const
{
    return NameIn(names() ? &names()->fixtureNames : nullptr, fixture);
}

std::string Editor::getNameOfJoint(b2Joint* joint) const
{
    return NameIn(names() ? &names()->jointNames : nullptr, joint);
}

b2Body* Editor::getBodyByName(const std::string& name) const
{
    return FirstNamed(names() ? &names()->bodyNames : nullptr, name);
}

b2Fixture* Editor::getFixtureByName(const std::string& name) const
{
    return FirstNamed(names() ? &names()->fixtureNames : nullptr, name);
}

b2Joint* Editor::getJointByName(const std::string& name) const
{
    return FirstNamed(names() ? &names()->jointNames : nullptr, name);
}

void Editor::getNamesFromJson(WorldDoc* doc)
{
    if (doc != nullptr && names() != nullptr)
    {
        names()->takeFrom(*doc);
    }
}

void Editor::setNamesInJson(WorldDoc* doc) const
{
    if (doc != nullptr && names() != nullptr)
    {
        names()->giveTo(*doc);
    }
}

// Reference cleanup.

void Editor::clearReferencesTo(b2Joint* joint)
{
    m_controlState.selectedJoints.erase(joint);
    m_controlState.candidateJoints.erase(joint);
    m_controlState.disambiguationJoints.erase(joint);
}

void Editor::clearReferencesTo(b2Fixture* fixture)
{
    m_controlState.selectedFixtures.erase(fixture);
    m_controlState.candidateFixtures.erase(fixture);
    auto ofFixture = [fixture](const vertexInfo& v) { return v.fixture == fixture; };
    for (std::set<vertexInfo>* vertices : {&m_controlState.candidateVertices, &m_controlState.disambiguationVertices,
                                           &m_controlState.selectedVertices})
    {
        for (auto it = vertices->begin(); it != vertices->end();)
        {
            it = ofFixture(*it) ? vertices->erase(it) : std::next(it);
        }
    }
    auto displaysOf = [fixture](const tentativeVertexDisplay& d) { return d.fixture == fixture; };
    for (std::vector<tentativeVertexDisplay>* displays :
         {&m_controlState.validVertexDisplays, &m_controlState.invalidVertexDisplays})
    {
        displays->erase(std::remove_if(displays->begin(), displays->end(), displaysOf), displays->end());
    }
    if (m_controlState.splitInfo.fixture == fixture)
    {
        m_controlState.splitInfo = _vertexSplitInfo();
    }
}

void Editor::clearReferencesTo(b2Body* body)
{
    for (b2JointEdge* edge = body->GetJointList(); edge != nullptr; edge = edge->next)
    {
        clearReferencesTo(edge->joint);
    }
    for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
    {
        clearReferencesTo(fixture);
    }
    m_controlState.selectedBodies.erase(body);
    m_controlState.candidateBodies.erase(body);
    m_controlState.disambiguationBodies.erase(body);
    if (m_lastSelectedBody == body)
    {
        m_lastSelectedBody = nullptr;
    }
}

void Editor::replaceReferencesTo(b2Fixture* oldFixture, b2Fixture* newFixture)
{
    bool wasSelected = m_controlState.selectedFixtures.count(oldFixture) != 0;
    clearReferencesTo(oldFixture);
    if (wasSelected && newFixture != nullptr)
    {
        m_controlState.selectedFixtures.insert(newFixture);
    }
}

void Editor::BodyGoing(b2Body* body)
{
    clearReferencesTo(body);
    worldChanged();
}

void Editor::FixtureGoing(b2Fixture* fixture)
{
    clearReferencesTo(fixture);
    worldChanged();
}

void Editor::JointGoing(b2Joint* joint)
{
    clearReferencesTo(joint);
    worldChanged();
}

void Editor::WorldGoing(b2World* world, b2World* replacement)
{
    if (world != m_world)
    {
        return;
    }
    // Nothing of the old world may be kept. A host that goes with its world is forgotten too.
    if (replacement == nullptr && m_test != nullptr)
    {
        m_test->RemoveObserver(this);
        m_test = nullptr;
    }
    // The history names objects of the old world only.
    m_edits.setHost(m_test);
    m_world = replacement;
    m_lastSelectedBody = nullptr;
    clearControlState();
    worldChanged();
    m_controlState.validVertexDisplays.clear();
    m_controlState.invalidVertexDisplays.clear();
}
