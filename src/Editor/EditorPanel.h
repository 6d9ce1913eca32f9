// The editor's side panel: the scene file name, the edit method, the selection's name and three
// groups (body, fixture, joint) with their Apply and Create buttons. The panel never changes the
// world: it shows what the editor describes in its panel values and, when a button is pressed,
// hands what was typed back to the editor's panel input values.
#pragma once

#include "Editor/EditorTypes.h"

#include <string>

// A check box whose label starts with "(?) " while the selected objects disagree on its value.
struct PanelCheckbox
{
    int value = 0;
    bool mixed = false;
};

// Which controls accept input, decided from the edit method and the editor's enabling flags.
struct EditorPanelEnabling
{
    bool bodySettings = false;     // type, mass, fixed rotation, bullet, gravity scale
    bool fixtureSettings = false;  // density, restitution, friction, sensor, filter values
    bool shapeType = false;
    bool jointSettings = false;    // collide connected, motor, limit, length and spring values
    bool name = false;             // the name text and "Set name"
    bool applyBody = false;
    bool applyFixture = false;
    bool applyJoint = false;
    bool createBody = false;
    bool createFixture = false;
    bool createJoint = false;      // the joint type list and "Create joint"
};

constexpr int k_panelTextSize = 256;
constexpr int k_panelNumberSize = 32;

// The controls' contents. Numbers are kept as the text typed and parsed when a button is pressed;
// an empty text means "not set". List values are the ids of their items.
struct EditorPanelControls
{
    char fileName[k_panelTextSize] = "vexa.json";
    char objectName[k_panelTextSize] = "";
    int bodyType = -1;
    char bodyMass[k_panelNumberSize] = "";
    PanelCheckbox bodyFixedRotation;
    PanelCheckbox bodyBullet;
    char bodyGravityScale[k_panelNumberSize] = "";
    int shapeType = 4;
    char fixtureDensity[k_panelNumberSize] = "";
    char fixtureRestitution[k_panelNumberSize] = "";
    char fixtureFriction[k_panelNumberSize] = "";
    PanelCheckbox fixtureIsSensor;
    char fixtureCategoryBits[k_panelNumberSize] = "";
    char fixtureMaskBits[k_panelNumberSize] = "";
    char fixtureGroupIndex[k_panelNumberSize] = "";
    int jointType = 0;
    PanelCheckbox jointCollideConnected;
    char jointMaxMotorPower[k_panelNumberSize] = "";
    char jointMotorSpeed[k_panelNumberSize] = "";
    PanelCheckbox jointEnableLimit;
    PanelCheckbox jointEnableMotor;
    char jointLength[k_panelNumberSize] = "";
    char jointFrequency[k_panelNumberSize] = "";
    char jointDampingRatio[k_panelNumberSize] = "";
    EditorPanelEnabling enabled;
};

// Opens the panel with fresh controls (the file name back at "vexa.json"), closing one that is open.
void SetupEditorGLUI();
void CleanupEditorGLUI();
bool IsEditorPanelOpen();
EditorPanelControls& EditorPanel();

// Issues this frame's ImGui calls for the panel (nothing while it is closed). A pressed button is
// remembered and acted on by RunEditorPanelButton once the frame is shown, because leaving the
// editor must not happen in the middle of drawing it.
void BuildEditorPanel();
void RunEditorPanelButton();

// The edit method chosen with the radio buttons.
void EditorRadioHandler(int method);
// 0 leaves the editor; 1 to 7 act on the selection with the values typed into the panel, unless
// one of them is not a number, which is reported instead.
void EditorButtonHandler(int id);

// Copies the controls into the editor's panel input values. A number that cannot be read is
// passed on as "not set", never as 0; the label of the first such control goes to `malformed`
// and the result is false. A check box still showing "(?) " is passed on as mixed (k_mixedFlag).
bool SetEditorInputPanelInfo(std::string* malformed = nullptr);
// Copies the editor's panel values into the controls and enables them, when the editor has
// flagged a change.
void updateUIPanelState();

EditorPanelEnabling ComputeEditorPanelEnabling(int editMethod, const _panelInfo& info);
// The label a check box shows: "(?) " before it while mixed.
std::string PanelCheckboxLabel(const char* label, const PanelCheckbox& box);

// Reading a panel number: empty (or blank) text is not set; text that is not entirely one finite
// number in range is malformed.
enum class PanelNumber
{
    Unset,
    Valid,
    Malformed
};
PanelNumber ParsePanelFloat(const char* text, float& value);
PanelNumber ParsePanelInt(const char* text, int& value);
// The shortest text that reads back as exactly `value`; empty for the "not set" marker.
void FormatPanelFloat(float value, char* text, int size);
