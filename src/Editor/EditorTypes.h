// The editor's records: edit methods, control-state flags, vertex references, tentative vertex
// outlines, messages, the vertex split point, the control state with its candidate,
// disambiguation and selection sets, and the values the editor panel shows and takes.
#pragma once

#include <box2d/box2d.h>

#include <cfloat>
#include <functional>
#include <set>
#include <string>
#include <vector>

// What the mouse picks and what the selection consists of.
enum _editMethod
{
    EM_BODIES = 0,
    EM_FIXTURES = 1,
    EM_VERTICES = 2,
    EM_JOINTS = 3
};

// Bits of the control state: the operation in progress. Zero is idle.
constexpr int CS_MOVE_CURSOR = 0x0001;
constexpr int CS_DISAMBIGUATE = 0x0002;
constexpr int CS_X_AXIS = 0x0004;
constexpr int CS_Y_AXIS = 0x0008;
constexpr int CS_MEASURE = 0x0010;
constexpr int CS_TRANSLATE = 0x0020;
constexpr int CS_ROTATE = 0x0040;
constexpr int CS_SCALE = 0x0080;
constexpr int CS_DELETE = 0x0100;
constexpr int CS_ANCHOR_A = 0x0200;
constexpr int CS_ANCHOR_B = 0x0400;
constexpr int CS_LOWER_LIMIT = 0x2000;
constexpr int CS_UPPER_LIMIT = 0x4000;

// Markers in the panel records: the selection has no single value, or the field is not set.
constexpr float k_unsetFloat = FLT_MAX;
constexpr int k_unsetInt = 0x7FFFFFFF;
constexpr int k_mixedFlag = 2;

// One vertex of one fixture. Index: polygon vertex from 0; edge end point 1 or 2 (0 and 3 are
// its ghost vertices); chain vertex from 0.
struct vertexInfo
{
    b2Fixture* fixture = nullptr;
    int index = 0;

    bool operator<(const vertexInfo& other) const
    {
        if (fixture != other.fixture)
        {
            return std::less<b2Fixture*>()(fixture, other.fixture);
        }
        return index < other.index;
    }
    bool operator==(const vertexInfo& other) const { return fixture == other.fixture && index == other.index; }
};

// The proposed outline of one fixture during a vertex move, in world coordinates.
struct tentativeVertexDisplay
{
    b2Fixture* fixture = nullptr;
    std::vector<b2Vec2> vertices;
    std::vector<int> movedIndices;
};

// One on-screen message; `life` starts at 10 and drops by 1/60 per rendered frame.
struct _message
{
    std::string text;
    b2Color colour;
    float life = 10.0f;
};

// Where a vertex would be inserted while Tab is held in vertex mode; `fixture` null for none.
struct _vertexSplitInfo
{
    b2Fixture* fixture = nullptr;
    int edgeIndex = 0;
    b2Vec2 segmentStart = b2Vec2_zero;
    b2Vec2 segmentEnd = b2Vec2_zero;
    float fraction = 0.0f;
};

struct _controlState
{
    int state = 0;
    b2Vec2 cursorPos = b2Vec2_zero;
    b2Vec2 startMouseWorld = b2Vec2_zero;
    std::set<b2Body*> candidateBodies;
    std::set<b2Body*> disambiguationBodies;
    std::set<b2Body*> selectedBodies;
    std::set<b2Fixture*> candidateFixtures;
    std::set<b2Fixture*> selectedFixtures;
    std::set<vertexInfo> candidateVertices;
    std::set<vertexInfo> disambiguationVertices;
    std::set<vertexInfo> selectedVertices;
    std::set<b2Joint*> candidateJoints;
    std::set<b2Joint*> disambiguationJoints;
    std::set<b2Joint*> selectedJoints;
    b2Vec2 selectionCenter = b2Vec2_zero;
    bool rotateAroundSelection = false;
    bool scaleAroundSelection = false;
    std::vector<tentativeVertexDisplay> validVertexDisplays;
    std::vector<tentativeVertexDisplay> invalidVertexDisplays;
    _vertexSplitInfo splitInfo;
};

// The values the editor panel shows for a selection and takes back from the user. Tri-state ints
// hold 0, 1 or 2 (the selected objects disagree, or leave unchanged); other ints hold k_unsetInt
// and floats k_unsetFloat for "no single value" or "not set"; body type -1, shape type 4 and
// joint type 0 mean none.
struct _panelValues
{
    int bodyType = -1;
    float bodyMass = k_unsetFloat;
    int bodyFixedRotation = k_mixedFlag;
    int bodyBullet = k_mixedFlag;
    float bodyGravityScale = k_unsetFloat;
    float fixtureDensity = k_unsetFloat;
    float fixtureRestitution = k_unsetFloat;
    float fixtureFriction = k_unsetFloat;
    int fixtureIsSensor = k_mixedFlag;
    int fixtureCategoryBits = k_unsetInt;
    int fixtureMaskBits = k_unsetInt;
    int fixtureGroupIndex = k_unsetInt;
    int shapeType = 4;
    int jointType = 0;
    int jointCollideConnected = k_mixedFlag;
    float jointMaxMotorPower = k_unsetFloat;
    float jointMotorSpeed = k_unsetFloat;
    int jointEnableLimit = k_mixedFlag;
    int jointEnableMotor = k_mixedFlag;
    float jointLength = k_unsetFloat;
    float jointFrequency = k_unsetFloat;
    float jointDampingRatio = k_unsetFloat;
};

// What the editor panel shows for the current selection, and seven flags that enable groups of
// panel controls.
struct _panelInfo : _panelValues
{
    bool panelChanged = false;
    std::string objectName;
    bool nameEditable = false;
    bool bodyApplicable = false;
    bool fixtureApplicable = false;
    bool jointApplicable = false;
    bool bodyCreatable = false;
    bool fixtureCreatable = false;
    bool jointCreatable = false;
};

// What the user typed or chose in the panel, waiting to be applied; the initial values mean
// "leave unchanged".
struct _panelInput : _panelValues
{
    std::string name;
};

// The panel's buttons, as the panel reports them to the editor.
enum PanelButton
{
    k_exitEditor = 0,
    k_applyBody = 1,
    k_applyFixture = 2,
    k_applyJoint = 3,
    k_createBody = 4,
    k_createFixture = 5,
    k_createJoint = 6,
    k_setName = 7
};

// Message colours: errors, successes, refused user actions.
const b2Color k_errorColour(1.0f, 0.0f, 0.0f);
const b2Color k_successColour(0.0f, 1.0f, 0.0f);
const b2Color k_refusalColour(1.0f, 0.75f, 0.75f);
