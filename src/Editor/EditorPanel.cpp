#include "Editor/EditorPanel.h"

#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Framework/PanelHost.h"
#include "Framework/PanelWidgets.h"

#include <imgui.h>

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace
{

struct ListItem
{
    int id;
    const char* text;
};

// The first item of each list is the empty one: mixed values, or none chosen.
const ListItem k_bodyTypes[] = {{-1, ""}, {2, "Dynamic"}, {0, "Static"}, {1, "Kinematic"}};
const ListItem k_shapeTypes[] = {{4, ""}, {0, "Circle"}, {2, "Polygon"}, {1, "Edge"}, {3, "Chain (loop only)"}};
const ListItem k_jointTypes[] = {{0, ""},         {1, "Revolute"}, {3, "Distance"},
                                 {2, "Prismatic"}, {7, "Wheel"},    {10, "Rope"}};

constexpr int k_noButton = -1;
constexpr float k_labelWidth = 110.0f;

bool g_open = false;
EditorPanelControls g_controls;
int g_pendingButton = k_noButton;

const char* SkipBlanks(const char* text)
{
    while (*text != '\0' && std::isspace(static_cast<unsigned char>(*text)))
    {
        ++text;
    }
    return text;
}

// True when the parse stopped at the end of the text (blanks aside) without a range error.
bool ConsumedAll(const char* begin, const char* end)
{
    return end != begin && *SkipBlanks(end) == '\0' && errno != ERANGE;
}

template <std::size_t N>
int ListValue(const ListItem (&items)[N], int value)
{
    for (const ListItem& item : items)
    {
        if (item.id == value)
        {
            return value;
        }
    }
    return items[0].id;
}

template <std::size_t N>
const char* ListText(const ListItem (&items)[N], int value)
{
    for (const ListItem& item : items)
    {
        if (item.id == value)
        {
            return item.text;
        }
    }
    return items[0].text;
}

// A label on the left and the next widget filling the rest of the row.
void FieldLabel(const char* label, float width)
{
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(label);
    ImGui::SameLine(width);
    ImGui::SetNextItemWidth(-FLT_MIN);
}

template <std::size_t N>
void ListCombo(const char* label, const char* id, int* value, const ListItem (&items)[N])
{
    FieldLabel(label, k_labelWidth);
    if (ImGui::BeginCombo(id, ListText(items, *value)))
    {
        for (std::size_t i = 0; i < N; ++i)
        {
            ImGui::PushID(static_cast<int>(i));
            const bool chosen = items[i].id == *value;
            if (ImGui::Selectable(items[i].text, chosen))
            {
                *value = items[i].id;
            }
            if (chosen)
            {
                ImGui::SetItemDefaultFocus();
            }
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
}

template <std::size_t N>
void TextField(const char* label, const char* id, char (&text)[N], float labelWidth,
               ImGuiInputTextFlags flags = ImGuiInputTextFlags_None)
{
    FieldLabel(label, labelWidth);
    ImGui::InputText(id, text, N, flags);
}

template <std::size_t N>
void FloatField(const char* label, const char* id, char (&text)[N])
{
    TextField(label, id, text, k_labelWidth, ImGuiInputTextFlags_CharsScientific);
}

template <std::size_t N>
void IntField(const char* label, const char* id, char (&text)[N])
{
    TextField(label, id, text, k_labelWidth, ImGuiInputTextFlags_CharsDecimal);
}

void Checkbox(const char* label, PanelCheckbox& box)
{
    // The part after "###" is the widget's identity, so it survives the label's "(?) ".
    const std::string shown = PanelCheckboxLabel(label, box) + "###" + label;
    bool ticked = box.value != 0;
    if (ImGui::Checkbox(shown.c_str(), &ticked))
    {
        box.value = ticked ? 1 : 0;
        box.mixed = false;
    }
}

void Button(const char* label, int id, bool enabled)
{
    ImGui::BeginDisabled(!enabled);
    if (WideButton(label))
    {
        g_pendingButton = id;
    }
    ImGui::EndDisabled();
}

void EditMethodGroup()
{
    const ImGuiStyle& style = ImGui::GetStyle();
    const float height = ImGui::GetTextLineHeightWithSpacing() + 2.0f * ImGui::GetFrameHeightWithSpacing() +
                         2.0f * style.WindowPadding.y - style.ItemSpacing.y;
    ImGui::BeginChild("Edit method", ImVec2(0.0f, height), true, ImGuiWindowFlags_NoScrollbar);
    ImGui::TextUnformatted("Edit method");
    const int method = g_editor != nullptr ? g_editor->getEditMethod() : EM_BODIES;
    const char* const names[] = {"Body", "Fixture", "Vertex", "Joint"};
    for (int i = EM_BODIES; i <= EM_JOINTS; ++i)
    {
        if (i % 2 == 1)
        {
            ImGui::SameLine(90.0f);
        }
        if (ImGui::RadioButton(names[i], method == i))
        {
            EditorRadioHandler(i);
        }
    }
    ImGui::EndChild();
}

void BodyGroup(EditorPanelControls& c)
{
    ImGui::BeginDisabled(!c.enabled.bodySettings);
    ListCombo("Type", "##bodyType", &c.bodyType, k_bodyTypes);
    FloatField("Mass:", "##bodyMass", c.bodyMass);
    Checkbox("Fixed rotation", c.bodyFixedRotation);
    Checkbox("Bullet", c.bodyBullet);
    FloatField("Gravity scale:", "##bodyGravityScale", c.bodyGravityScale);
    ImGui::EndDisabled();
    Button("Apply body settings", k_applyBody, c.enabled.applyBody);
    Button("Create body", k_createBody, c.enabled.createBody);
}

void FixtureGroup(EditorPanelControls& c)
{
    ImGui::BeginDisabled(!c.enabled.shapeType);
    ListCombo("Shape", "##shapeType", &c.shapeType, k_shapeTypes);
    ImGui::EndDisabled();
    ImGui::BeginDisabled(!c.enabled.fixtureSettings);
    FloatField("Density:", "##fixtureDensity", c.fixtureDensity);
    FloatField("Restitution:", "##fixtureRestitution", c.fixtureRestitution);
    FloatField("Friction:", "##fixtureFriction", c.fixtureFriction);
    Checkbox("Sensor", c.fixtureIsSensor);
    IntField("Category bits:", "##fixtureCategoryBits", c.fixtureCategoryBits);
    IntField("Mask bits:", "##fixtureMaskBits", c.fixtureMaskBits);
    IntField("Group index:", "##fixtureGroupIndex", c.fixtureGroupIndex);
    ImGui::EndDisabled();
    Button("Apply fixture settings", k_applyFixture, c.enabled.applyFixture);
    Button("Create fixture", k_createFixture, c.enabled.createFixture);
}

void JointGroup(EditorPanelControls& c)
{
    ImGui::BeginDisabled(!c.enabled.createJoint);
    ListCombo("Type", "##jointType", &c.jointType, k_jointTypes);
    ImGui::EndDisabled();
    ImGui::BeginDisabled(!c.enabled.jointSettings);
    Checkbox("Collide connected", c.jointCollideConnected);
    ImGui::Separator();
    FloatField("Max power", "##jointMaxMotorPower", c.jointMaxMotorPower);
    FloatField("Motor speed", "##jointMotorSpeed", c.jointMotorSpeed);
    Checkbox("Enable limit", c.jointEnableLimit);
    Checkbox("Enable motor", c.jointEnableMotor);
    ImGui::Separator();
    FloatField("Length", "##jointLength", c.jointLength);
    FloatField("Frequency", "##jointFrequency", c.jointFrequency);
    FloatField("Damping ratio", "##jointDampingRatio", c.jointDampingRatio);
    ImGui::EndDisabled();
    Button("Apply joint settings", k_applyJoint, c.enabled.applyJoint);
    Button("Create joint", k_createJoint, c.enabled.createJoint);
}

// Reads the panel's numbers, remembering the first control whose text is not a number.
class NumberReader
{
public:
    float real(const char* label, const char* text)
    {
        float value = k_unsetFloat;
        note(label, ParsePanelFloat(text, value));
        return value;
    }

    int integer(const char* label, const char* text)
    {
        int value = k_unsetInt;
        note(label, ParsePanelInt(text, value));
        return value;
    }

    const std::string& firstMalformed() const { return m_firstMalformed; }

private:
    void note(const char* label, PanelNumber result)
    {
        if (result == PanelNumber::Malformed && m_firstMalformed.empty())
        {
            m_firstMalformed = label;
        }
    }

    std::string m_firstMalformed;
};

// A check box still showing "(?) " reads back as mixed, which keeps each object's own flag.
int CheckboxInput(const PanelCheckbox& box)
{
    return box.mixed ? k_mixedFlag : box.value;
}

void ShowCheckbox(PanelCheckbox& box, int value)
{
    box.mixed = value == k_mixedFlag;
    box.value = box.mixed ? 0 : value;
}

template <std::size_t N>
void ShowFloat(char (&text)[N], float value)
{
    FormatPanelFloat(value, text, static_cast<int>(N));
}

template <std::size_t N>
void ShowInt(char (&text)[N], int value)
{
    if (value == k_unsetInt)
    {
        text[0] = '\0';
    }
    else
    {
        std::snprintf(text, N, "%d", value);
    }
}

// Buttons 1 to 7: the typed values go to the editor, which applies them to the selection. A
// field that does not hold a number stops the action before anything reaches the world.
void ActOnSelection(int id)
{
    std::string malformed;
    if (!SetEditorInputPanelInfo(&malformed))
    {
        g_editor->addMessage(malformed + " is not a number: nothing was changed.", k_refusalColour);
        return;
    }
    g_editor->handleUIButton(id);
}

}  // namespace

void SetupEditorGLUI()
{
    g_controls = EditorPanelControls();
    g_pendingButton = k_noButton;
    g_open = true;
}

void CleanupEditorGLUI()
{
    g_open = false;
    g_pendingButton = k_noButton;
}

bool IsEditorPanelOpen()
{
    return g_open;
}

EditorPanelControls& EditorPanel()
{
    return g_controls;
}

void BuildEditorPanel()
{
    if (!g_open)
    {
        return;
    }
    // Tighter rows than the default panel's, so that all three groups fit a window of usual height.
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(4.0f, 1.0f));
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(4.0f, 2.0f));
    if (BeginSidePanel("Editor panel"))
    {
        EditorPanelControls& c = g_controls;
        TextField("File", "##fileName", c.fileName, 40.0f);
        EditMethodGroup();
        ImGui::BeginDisabled(!c.enabled.name);
        TextField("Name", "##objectName", c.objectName, 40.0f);
        ImGui::EndDisabled();
        Button("Set name", k_setName, c.enabled.name);
        if (ImGui::CollapsingHeader("Body info", ImGuiTreeNodeFlags_DefaultOpen))
        {
            BodyGroup(c);
        }
        if (ImGui::CollapsingHeader("Fixture info", ImGuiTreeNodeFlags_DefaultOpen))
        {
            FixtureGroup(c);
        }
        if (ImGui::CollapsingHeader("Joint info", ImGuiTreeNodeFlags_DefaultOpen))
        {
            JointGroup(c);
        }
        Button("Exit editor", k_exitEditor, true);
    }
    EndSidePanel();
    ImGui::PopStyleVar(2);
}

void RunEditorPanelButton()
{
    const int id = g_pendingButton;
    g_pendingButton = k_noButton;
    if (id != k_noButton)
    {
        EditorButtonHandler(id);
    }
}

void EditorRadioHandler(int method)
{
    if (g_editor != nullptr && method >= EM_BODIES && method <= EM_JOINTS)
    {
        g_editor->setEditMethod(static_cast<_editMethod>(method));
    }
}

void EditorButtonHandler(int id)
{
    if (g_editor == nullptr)
    {
        return;
    }
    if (id == k_exitEditor)
    {
        ExitEditor();
    }
    else if (id >= k_applyBody && id <= k_setName)
    {
        ActOnSelection(id);
    }
}

bool SetEditorInputPanelInfo(std::string* malformed)
{
    if (g_editor == nullptr)
    {
        return true;
    }
    const EditorPanelControls& c = g_controls;
    _panelInput& in = g_editor->panelInput();
    NumberReader read;
    in.name = c.objectName;
    in.bodyType = c.bodyType;
    in.bodyMass = read.real("Mass", c.bodyMass);
    in.bodyFixedRotation = CheckboxInput(c.bodyFixedRotation);
    in.bodyBullet = CheckboxInput(c.bodyBullet);
    in.bodyGravityScale = read.real("Gravity scale", c.bodyGravityScale);
    in.shapeType = c.shapeType;
    in.fixtureDensity = read.real("Density", c.fixtureDensity);
    in.fixtureRestitution = read.real("Restitution", c.fixtureRestitution);
    in.fixtureFriction = read.real("Friction", c.fixtureFriction);
    in.fixtureIsSensor = CheckboxInput(c.fixtureIsSensor);
    in.fixtureCategoryBits = read.integer("Category bits", c.fixtureCategoryBits);
    in.fixtureMaskBits = read.integer("Mask bits", c.fixtureMaskBits);
    in.fixtureGroupIndex = read.integer("Group index", c.fixtureGroupIndex);
    in.jointType = c.jointType;
    in.jointCollideConnected = CheckboxInput(c.jointCollideConnected);
    in.jointMaxMotorPower = read.real("Max power", c.jointMaxMotorPower);
    in.jointMotorSpeed = read.real("Motor speed", c.jointMotorSpeed);
    in.jointEnableLimit = CheckboxInput(c.jointEnableLimit);
    in.jointEnableMotor = CheckboxInput(c.jointEnableMotor);
    in.jointLength = read.real("Length", c.jointLength);
    in.jointFrequency = read.real("Frequency", c.jointFrequency);
    in.jointDampingRatio = read.real("Damping ratio", c.jointDampingRatio);
    if (malformed != nullptr)
    {
        *malformed = read.firstMalformed();
    }
    return read.firstMalformed().empty();
}

void updateUIPanelState()
{
    if (g_editor == nullptr || !g_editor->panelInfo().panelChanged)
    {
        return;
    }
    _panelInfo& info = g_editor->panelInfo();
    EditorPanelControls& c = g_controls;
    std::snprintf(c.objectName, sizeof(c.objectName), "%s", info.objectName.c_str());
    c.bodyType = ListValue(k_bodyTypes, info.bodyType);
    c.shapeType = ListValue(k_shapeTypes, info.shapeType);
    c.jointType = ListValue(k_jointTypes, info.jointType);
    ShowFloat(c.bodyMass, info.bodyMass);
    ShowFloat(c.bodyGravityScale, info.bodyGravityScale);
    ShowFloat(c.fixtureDensity, info.fixtureDensity);
    ShowFloat(c.fixtureRestitution, info.fixtureRestitution);
    ShowFloat(c.fixtureFriction, info.fixtureFriction);
    ShowFloat(c.jointMaxMotorPower, info.jointMaxMotorPower);
    ShowFloat(c.jointMotorSpeed, info.jointMotorSpeed);
    ShowFloat(c.jointLength, info.jointLength);
    ShowFloat(c.jointFrequency, info.jointFrequency);
    ShowFloat(c.jointDampingRatio, info.jointDampingRatio);
    ShowInt(c.fixtureCategoryBits, info.fixtureCategoryBits);
    ShowInt(c.fixtureMaskBits, info.fixtureMaskBits);
    ShowInt(c.fixtureGroupIndex, info.fixtureGroupIndex);
    ShowCheckbox(c.bodyFixedRotation, info.bodyFixedRotation);
    ShowCheckbox(c.bodyBullet, info.bodyBullet);
    ShowCheckbox(c.fixtureIsSensor, info.fixtureIsSensor);
    ShowCheckbox(c.jointCollideConnected, info.jointCollideConnected);
    ShowCheckbox(c.jointEnableLimit, info.jointEnableLimit);
    ShowCheckbox(c.jointEnableMotor, info.jointEnableMotor);
    c.enabled = ComputeEditorPanelEnabling(g_editor->getEditMethod(), info);
    info.panelChanged = false;
}

EditorPanelEnabling ComputeEditorPanelEnabling(int editMethod, const _panelInfo& info)
{
    // The rules apply in this order; a later one overrides an earlier one for the same control.
    EditorPanelEnabling on;
    on.bodySettings = editMethod == EM_BODIES;
    on.fixtureSettings = editMethod == EM_FIXTURES;
    on.shapeType = editMethod == EM_FIXTURES;
    on.jointSettings = editMethod == EM_JOINTS || info.jointCreatable;
    on.name = info.nameEditable;
    on.applyBody = info.bodyApplicable;
    on.applyFixture = info.fixtureApplicable;
    on.createBody = info.bodyCreatable;
    if (info.fixtureCreatable)
    {
        on.fixtureSettings = true;
        on.shapeType = true;
        on.createFixture = true;
    }
    else
    {
        on.shapeType = false;
        on.createFixture = false;
    }
    on.applyJoint = info.jointApplicable;
    on.createJoint = info.jointCreatable;
    return on;
}

std::string PanelCheckboxLabel(const char* label, const PanelCheckbox& box)
{
    return box.mixed ? std::string("(?) ") + label : std::string(label);
}

PanelNumber ParsePanelFloat(const char* text, float& value)
{
    const char* begin = text != nullptr ? SkipBlanks(text) : "";
    if (*begin == '\0')
    {
        return PanelNumber::Unset;
    }
    errno = 0;
    char* end = nullptr;
    const float parsed = std::strtof(begin, &end);
    if (!ConsumedAll(begin, end) || !std::isfinite(parsed))
    {
        return PanelNumber::Malformed;
    }
    value = parsed;
    return PanelNumber::Valid;
}

PanelNumber ParsePanelInt(const char* text, int& value)
{
    const char* begin = text != nullptr ? SkipBlanks(text) : "";
    if (*begin == '\0')
    {
        return PanelNumber::Unset;
    }
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(begin, &end, 10);
    if (!ConsumedAll(begin, end) || parsed < INT_MIN || parsed > INT_MAX)
    {
        return PanelNumber::Malformed;
    }
    value = static_cast<int>(parsed);
    return PanelNumber::Valid;
}

void FormatPanelFloat(float value, char* text, int size)
{
    if (size <= 0)
    {
        return;
    }
    if (value == k_unsetFloat)
    {
        text[0] = '\0';
        return;
    }
    std::snprintf(text, static_cast<std::size_t>(size), "%g", value);
    if (std::strtof(text, nullptr) != value)
    {
        std::snprintf(text, static_cast<std::size_t>(size), "%.9g", value);
    }
}
