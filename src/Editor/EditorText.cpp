#include "Editor/EditorText.h"

#include "Editor/Editor.h"
#include "Physics/Ghosts.h"
#include "Physics/Guards.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <utility>

namespace
{

constexpr float k_degreesPerRadian = 57.29578f;

const char* YesNo(bool value)
{
    return value ? "true" : "false";
}

// Rows of one colour, added with printf-style formatting.
class Rows
{
public:
    explicit Rows(b2Color colour) : m_colour(colour) {}

    template <typename... Args>
    Rows& add(const char* format, Args... args)
    {
        m_rows.push_back(TextRow{FormatText(format, args...), m_colour});
        return *this;
    }
    Rows& add(const char* text) { return add("%s", text); }
    Rows& blank() { return add(""); }
    Rows& colour(b2Color colour)
    {
        m_colour = colour;
        return *this;
    }
    TextRows take() { return std::move(m_rows); }

private:
    b2Color m_colour;
    TextRows m_rows;
};

const char* ShapeName(b2Shape::Type type)
{
    switch (type)
    {
    case b2Shape::e_circle:
        return "circle";
    case b2Shape::e_edge:
        return "edge";
    case b2Shape::e_polygon:
        return "polygon";
    case b2Shape::e_chain:
        return "chain";
    default:
        return "unknown";
    }
}

const char* BodyTypeName(b2BodyType type)
{
    switch (type)
    {
    case b2_staticBody:
        return "static";
    case b2_kinematicBody:
        return "kinematic";
    default:
        return "dynamic";
    }
}

const char* JointTypeName(b2JointType type)
{
    switch (type)
    {
    case e_revoluteJoint:
        return "revolute";
    case e_distanceJoint:
        return "distance";
    case e_prismaticJoint:
        return "prismatic";
    case e_wheelJoint:
        return "wheel";
    case e_ropeJoint:
        return "rope";
    default:
        return "unknown";
    }
}

const char* EditMethodNoun(_editMethod method)
{
    switch (method)
    {
    case EM_BODIES:
        return "bodies";
    case EM_FIXTURES:
        return "fixtures";
    case EM_VERTICES:
        return "vertices";
    default:
        return "joints";
    }
}

void AddIdleText(Rows& rows, const OperationView& view)
{
    rows.add("Selecting %s (%d)", EditMethodNoun(view.editMethod), view.selectedCount);
    if (view.selectedCount > 0)
    {
        rows.blank()
            .add("  Del : delete selection (press twice)")
            .blank()
            .add("  M : duplicate selection, mirrored around cursor horizontally");
    }
}

void AddMeasureText(Rows& rows, const OperationView& view)
{
    b2Vec2 d = view.mouseFromStart;
    rows.add("Measuring")
        .add("  Delta : %.4f, %.4f", d.x, d.y)
        .add("  Distance : %.6f", d.Length())
        .add("  Angle : %.6f", std::atan2(d.y, d.x))
        .blank()
        .add("  m : start new measure from current mouse position")
        .add("  Esc : finish measuring");
}

void AddLimitText(Rows& rows, const OperationView& view)
{
    bool lower = (view.state & CS_LOWER_LIMIT) != 0;
    rows.add("Setting %s limit for selected joint", lower ? "lower" : "upper")
        .blank()
        .add("  Press l again to switch to %s limit", lower ? "upper" : "lower")
        .blank()
        .add("  LMB : set new %s limit", lower ? "lower" : "upper");
}

// Only these flags may accompany an operation for it to be described.
bool IsOperation(int state, int operation, int companions)
{
    return (state & operation) != 0 && (state & ~(operation | companions)) == 0;
}

void AddLimitHint(Rows& rows, const OperationView& view)
{
    if (view.limitJointSelected)
    {
        rows.add("  Press l to set joint limits for currently selected joint").blank();
    }
}

void AddFineControlText(Rows& rows, const char* steps)
{
    rows.blank().add("* Hold Shift for fine control").add("* Hold Ctrl to move in steps of %s", steps);
}

void AddTranslateText(Rows& rows, const OperationView& view)
{
    const int state = view.state;
    const char* restriction = (state & CS_X_AXIS)     ? "(x-axis)"
                              : (state & CS_Y_AXIS)   ? "(y-axis)"
                              : (state & CS_ANCHOR_A) ? "(body A joint anchor)"
                              : (state & CS_ANCHOR_B) ? "(body B joint anchor)"
                                                      : "";
    rows.add("Translating %s", restriction).add("  Delta : %.4f, %.4f", view.delta.x, view.delta.y).blank();
    if (view.editMethod == EM_JOINTS && (state & (CS_ANCHOR_A | CS_ANCHOR_B)))
    {
        rows.add("  Press g/t again to move joint anchor for body %s", (state & CS_ANCHOR_A) ? "B" : "A").blank();
    }
    AddLimitHint(rows, view);
    rows.add("  LMB : set new position").add("  x,y : toggle restriction to single axis").add("  Esc : cancel");
    AddFineControlText(rows, "1 unit");
}

void AddRotateText(Rows& rows, const OperationView& view)
{
    rows.add("Rotating around %s", view.rotateAroundSelection ? "selection" : "cursor")
        .add("  Angle : %.4f degrees", view.angle * k_degreesPerRadian)
        .blank();
    AddLimitHint(rows, view);
    rows.add("  r : toggle center (cursor/selection)").add("  LMB : set new angle").add("  Esc : cancel");
    AddFineControlText(rows, "5 degrees");
}

void AddScaleText(Rows& rows, const OperationView& view)
{
    rows.add("Scaling around %s", view.scaleAroundSelection ? "selection" : "cursor")
        .add("  Factor : %.4f,%.4f", view.factor.x, view.factor.y)
        .blank()
        .add("  s : toggle center (cursor/selection)")
        .add("  LMB : set new scale")
        .add("  x,y : toggle restriction to single axis")
        .add("  Esc : cancel");
    AddFineControlText(rows, "0.1 scale");
}

void AddDeleteText(Rows& rows, const OperationView& view)
{
    switch (view.editMethod)
    {
    case EM_BODIES:
        rows.add("Pending deletion (%d bodies)", view.selectedCount);
        break;
    case EM_FIXTURES:
        rows.add("Pending deletion  (%d fixtures)", view.selectedCount);
        break;
    case EM_VERTICES:
        rows.add("Pending deletion (%d vertices)", view.selectedCount);
        break;
    case EM_JOINTS:
        break;
    }
    rows.blank().add("  Press Del again to confirm").add("  Esc : cancel");
}

struct FixtureCounts
{
    int all = 0;
    int circles = 0;
    int polygons = 0;
    int edges = 0;
    int chains = 0;
    int chainEdges = 0;
    int unknown = 0;
};

FixtureCounts CountFixtures(const b2Body& body)
{
    FixtureCounts counts;
    for (const b2Fixture* f = body.GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        ++counts.all;
        switch (f->GetType())
        {
        case b2Shape::e_circle:
            ++counts.circles;
            break;
        case b2Shape::e_polygon:
            ++counts.polygons;
            break;
        case b2Shape::e_edge:
            ++counts.edges;
            break;
        case b2Shape::e_chain:
            ++counts.chains;
            counts.chainEdges += f->GetShape()->GetChildCount();
            break;
        default:
            ++counts.unknown;
        }
    }
    return counts;
}

void AddRevoluteText(Rows& rows, const b2RevoluteJoint& joint)
{
    float lower = joint.GetLowerLimit() * k_degreesPerRadian;
    float upper = joint.GetUpperLimit() * k_degreesPerRadian;
    rows.add("  Limit enabled: %s", YesNo(joint.IsLimitEnabled()))
        .add("  Lower limit: %.6f deg", lower)
        .add("  Upper limit: %.6f deg", upper)
        .add("  Motor enabled: %s", YesNo(joint.IsMotorEnabled()))
        .add("  Motor speed: %.6f deg/sec", joint.GetMotorSpeed() * k_degreesPerRadian)
        .add("  Max motor torque: %.6f", joint.GetMaxMotorTorque())
        .add("    (movement range: %.6f deg)", upper - lower)
        .add("  Joint angle: %.6f deg", joint.GetJointAngle() * k_degreesPerRadian)
        .add("  Joint speed: %.6f deg/sec", joint.GetJointSpeed() * k_degreesPerRadian);
}

void AddPrismaticText(Rows& rows, const b2PrismaticJoint& joint)
{
    rows.add("  Limit enabled: %s", YesNo(joint.IsLimitEnabled()))
        .add("  Lower limit: %.6f", joint.GetLowerLimit())
        .add("  Upper limit: %.6f", joint.GetUpperLimit())
        .add("  Motor enabled: %s", YesNo(joint.IsMotorEnabled()))
        .add("  Motor speed: %.6f", joint.GetMotorSpeed())
        .add("  Max motor force: %.6f", joint.GetMaxMotorForce())
        .add("  Joint translation: %.6f", joint.GetJointTranslation())
        .add("  Joint speed: %.6f", joint.GetJointSpeed());
}

void AddWheelText(Rows& rows, const b2WheelJoint& joint)
{
    rows.add("  Motor enabled: %s", YesNo(joint.IsMotorEnabled()))
        .add("  Motor speed: %.6f", joint.GetMotorSpeed())
        .add("  Max motor torque: %.6f", joint.GetMaxMotorTorque())
        .add("  Frequency: %.4f Hz", Physics::GetSpringFrequency(&joint))
        .add("  Damping ratio: %.4f", Physics::GetSpringDampingRatio(&joint))
        .add("  Joint translation: %.6f", joint.GetJointTranslation())
        .add("  Joint speed: %.6f deg/sec", joint.GetJointAngularSpeed() * k_degreesPerRadian);
}

}  // namespace

std::string FormatText(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}

std::string humanReadableBitMask(unsigned short bits)
{
    if (bits == 0)
    {
        return "zero";
    }
    if (bits == 0xFFFF)
    {
        return "all bits set";
    }
    std::string text;
    for (int bit = 0; bit < 16; ++bit)
    {
        unsigned value = 1u << bit;
        if ((bits & value) != 0)
        {
            text += (text.empty() ? "" : ",") + std::to_string(value);
        }
    }
    return text;
}

int SelectedCount(const _controlState& controlState, _editMethod method)
{
    switch (method)
    {
    case EM_BODIES:
        return static_cast<int>(controlState.selectedBodies.size());
    case EM_FIXTURES:
        return static_cast<int>(controlState.selectedFixtures.size());
    case EM_VERTICES:
        return static_cast<int>(controlState.selectedVertices.size());
    default:
        return static_cast<int>(controlState.selectedJoints.size());
    }
}

TextRows HelpText(int page, int maxPage)
{
    Rows rows(k_helpTextColour);
    switch (page)
    {
    case 0:
        rows.add("Editor - press 'h' for help");
        break;
    case 1:
        rows.add("Basic (%d/%d)", page, maxPage)
            .blank()
            .add("  h : next help page")
            .add("  H : previous help page")
            .blank()
            .add("  Ctrl + e : exit editor")
            .blank()
            .add("  Ctrl + s : save file")
            .add("  Ctrl + l : load file")
            .blank()
            .add("  Ctrl + z : undo")
            .add("  Ctrl + y, Ctrl + Shift + z : redo");
        break;
    case 2:
        rows.add("Viewing (%d/%d)", page, maxPage)
            .blank()
            .add("  RMB : pan scene")
            .add("  Ctrl + RMB : zoom scene")
            .blank()
            .add("  i : toggle info position")
            .add("  w : toggle world info")
            .blank()
            .add("* Only vertical mouse movement is used for zooming")
            .add("* Info displays the attributes of the object under")
            .add("  the mouse. Modes are none/topleft/mouse position");
        break;
    case 3:
        rows.add("Edit method (%d/%d)", page, maxPage)
            .blank()
            .add("  b : edit bodies")
            .add("  f : edit fixtures")
            .add("  v : edit vertices")
            .add("  j : edit joints")
            .blank()
            .add("* These can also be changed in the control panel");
        break;
    case 4:
        rows.add("Edit controls (%d/%d)", page, maxPage)
            .blank()
            .add("  c : move cursor")
            .blank()
            .add("  m : start measuring")
            .blank()
            .add("  t : start translating")
            .add("  r : start rotating")
            .add("  s : start scaling")
            .blank()
            .add("  M : duplicate selected bodies, mirrored around cursor horizontally")
            .blank()
            .add("* Pressing any of these keys will enter a different")
            .add("  control mode. Additional context help will be shown")
            .add("  separately during each editing operation");
        break;
    default:
        break;
    }
    return rows.take();
}

TextRows OperationText(const OperationView& view)
{
    Rows rows(k_operationTextColour);
    const int state = view.state;
    if (state == 0)
    {
        AddIdleText(rows, view);
    }
    else if (state == CS_MOVE_CURSOR)
    {
        rows.add("Move cursor to...").blank().add("  LMB : mouse position");
        if (view.selectedCount > 0)
        {
            rows.add("  s : center of selection");
        }
        rows.add("  Esc : cancel");
    }
    else if (state == CS_DISAMBIGUATE)
    {
        rows.add("Disambiguating selection").blank().add("  Left click to select").add("  Esc, RMB : finish");
    }
    else if (state == CS_MEASURE)
    {
        AddMeasureText(rows, view);
    }
    else if (state == CS_DELETE)
    {
        AddDeleteText(rows, view);
    }
    else if ((state & (CS_LOWER_LIMIT | CS_UPPER_LIMIT)) != 0 && (state & (CS_TRANSLATE | CS_ROTATE)) != 0)
    {
        AddLimitText(rows, view);
    }
    else if (IsOperation(state, CS_TRANSLATE, CS_X_AXIS | CS_Y_AXIS | CS_ANCHOR_A | CS_ANCHOR_B))
    {
        AddTranslateText(rows, view);
    }
    else if (IsOperation(state, CS_ROTATE, CS_ANCHOR_A | CS_ANCHOR_B))
    {
        AddRotateText(rows, view);
    }
    else if (IsOperation(state, CS_SCALE, CS_X_AXIS | CS_Y_AXIS))
    {
        AddScaleText(rows, view);
    }
    return rows.take();
}

TextRows WorldInfoText(const b2World& world)
{
    b2Vec2 gravity = world.GetGravity();
    return Rows(k_infoTextColour)
        .add("World:")
        .add("  Gravity: %.6f,%.6f", gravity.x, gravity.y)
        .add("  Allow sleep: %s", YesNo(world.GetAllowSleeping()))
        .add("  Auto clear forces: %s", YesNo(world.GetAutoClearForces()))
        .add("  Warm starting: %s", YesNo(world.GetWarmStarting()))
        .add("  Continuous physics: %s", YesNo(world.GetContinuousPhysics()))
        .add("  Sub stepping: %s", YesNo(world.GetSubStepping()))
        .take();
}

TextRows BodyInfoText(const b2Body& body, const std::string& name)
{
    Rows rows(k_infoTextColour);
    rows.add("Body:");
    if (!name.empty())
    {
        rows.add("  Name: %s", name.c_str());
    }
    b2Vec2 position = body.GetPosition();
    b2Vec2 velocity = body.GetLinearVelocity();
    rows.add("  Type: %s", BodyTypeName(body.GetType()))
        .add("  Mass: %.6f", body.GetMass())
        .add("  Position: %.6f,%.6f", position.x, position.y)
        .add("  Angle: %.6f", body.GetAngle())
        .add("  Linear velocity: %.6f,%.6f", velocity.x, velocity.y)
        .add("  Angular velocity: %.6f", body.GetAngularVelocity())
        .add("  Linear damping: %.6f", body.GetLinearDamping())
        .add("  Angular damping: %.6f", body.GetAngularDamping())
        .add("  Gravity scale: %.6f", body.GetGravityScale())
        .add("  Fixed rotation: %s", YesNo(body.IsFixedRotation()))
        .add("  Bullet: %s", YesNo(body.IsBullet()))
        .add("  Awake: %s", YesNo(body.IsAwake()))
        .add("  Active: %s", YesNo(body.IsEnabled()))
        .add("  Sleeping allowed: %s", YesNo(body.IsSleepingAllowed()));

    FixtureCounts counts = CountFixtures(body);
    if (counts.all == 0)
    {
        rows.colour(k_warningTextColour).add("  Fixtures: %d", counts.all);
        return rows.take();
    }
    rows.add("  Fixtures: %d", counts.all);
    if (counts.circles > 0)
    {
        rows.add("    Circle: %d", counts.circles);
    }
    if (counts.polygons > 0)
    {
        rows.add("    Polygon: %d", counts.polygons);
    }
    if (counts.edges > 0)
    {
        rows.add("    Edge: %d", counts.edges);
    }
    if (counts.chains > 0)
    {
        rows.add("    Loop: %d", counts.chains).add("      Total child edges: %d", counts.chainEdges);
    }
    if (counts.unknown > 0)
    {
        rows.add("    Unknown: %d", counts.unknown);
    }
    return rows.take();
}

TextRows FixtureInfoText(const b2Fixture& fixture, const std::string& name)
{
    Rows rows(k_infoTextColour);
    rows.add("Fixture:");
    if (!name.empty())
    {
        rows.add("  Name: %s", name.c_str());
    }
    const b2Shape* shape = fixture.GetShape();
    // The mass computation asserts on a shape the library could not simulate (a polygon without
    // area on a static body, made in code): such a shape shows no mass.
    b2MassData mass{};
    if (Physics::CheckShape(*shape).empty())
    {
        shape->ComputeMass(&mass, fixture.GetDensity());
    }
    const b2Filter& filter = fixture.GetFilterData();
    rows.add("  Shape: %s", ShapeName(shape->GetType()))
        .add("  Mass: %.6f", mass.mass)
        .add("  Density: %.6f", fixture.GetDensity())
        .add("  Restitution: %.6f", fixture.GetRestitution())
        .add("  Friction: %.6f", fixture.GetFriction())
        .add("  Category bits: %s", humanReadableBitMask(filter.categoryBits).c_str())
        .add("  Mask bits: %s", humanReadableBitMask(filter.maskBits).c_str())
        .add("  Group index: %d", filter.groupIndex)
        .add("  Sensor: %s", YesNo(fixture.IsSensor()));
    if (shape->GetType() == b2Shape::e_chain)
    {
        bool loop = Physics::GetChainGhosts(&fixture).hasNextVertex;
        rows.add("  Sub-type: %s", loop ? "loop" : "chain").add("      Child edges: %d", shape->GetChildCount());
    }
    return rows.take();
}

TextRows VertexInfoText(const b2Fixture& fixture, int index)
{
    return Rows(k_infoTextColour)
        .add("Vertex:")
        .add("  Shape: %s", ShapeName(fixture.GetType()))
        .add("  Index: %d", index)
        .take();
}

TextRows JointInfoText(const b2Joint& joint, const std::string& name)
{
    Rows rows(k_infoTextColour);
    rows.add("Joint:");
    if (!name.empty())
    {
        rows.add("  Name: %s", name.c_str());
    }
    b2JointType type = Physics::GetJointType(&joint);
    rows.add("  Type: %s", JointTypeName(type)).add("  Collide connected: %s", YesNo(joint.GetCollideConnected()));
    float currentLength = b2Distance(joint.GetAnchorA(), joint.GetAnchorB());
    switch (type)
    {
    case e_revoluteJoint:
        AddRevoluteText(rows, static_cast<const b2RevoluteJoint&>(joint));
        break;
    case e_distanceJoint:
        rows.add("  Length: %.6f", static_cast<const b2DistanceJoint&>(joint).GetLength())
            .add("      (current length: %.6f)", currentLength)
            .add("  Frequency: %.4f Hz", Physics::GetSpringFrequency(&joint))
            .add("  Damping ratio: %.4f", Physics::GetSpringDampingRatio(&joint));
        break;
    case e_prismaticJoint:
        AddPrismaticText(rows, static_cast<const b2PrismaticJoint&>(joint));
        break;
    case e_wheelJoint:
        AddWheelText(rows, static_cast<const b2WheelJoint&>(joint));
        break;
    case e_ropeJoint:
        rows.add("  Max length: %.6f", Physics::GetRopeMaxLength(&joint))
            .add("      (current length: %.6f)", currentLength);
        break;
    default:
        break;
    }
    return rows.take();
}

TextRows MultipleCandidatesText(_editMethod method)
{
    Rows rows(k_multipleTextColour);
    switch (method)
    {
    case EM_BODIES:
        rows.add("Multiple bodies:").add("  Left click to select all").add("  Right click to disambiguate");
        break;
    case EM_FIXTURES:
        rows.add("Multiple fixtures:");
        break;
    case EM_VERTICES:
        rows.add("Multiple vertices:");
        break;
    case EM_JOINTS:
        break;
    }
    return rows.take();
}

void AgeMessages(std::vector<_message>& messages)
{
    for (auto it = messages.begin(); it != messages.end();)
    {
        it->life -= 1.0f / 60.0f;
        it = it->life < 0.0f ? messages.erase(it) : std::next(it);
    }
}

float MessageAlpha(const _message& message)
{
    return std::min(1.0f, std::max(0.0f, message.life));
}
