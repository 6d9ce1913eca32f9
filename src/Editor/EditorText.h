// The editor's overlay text as rows of (text, colour), composed without drawing so that what the
// user reads can be checked without a display: help pages, the operation block, the world
// settings, the information about the object under the mouse, and the ageing of messages. The
// renderer (EditorDrawText.cpp) draws the rows one line apart.
#pragma once

#include "Editor/EditorTypes.h"

#include <box2d/box2d.h>

#include <string>
#include <vector>

// One line of overlay text; an empty text is a blank line.
struct TextRow
{
    std::string text;
    b2Color colour;
};
using TextRows = std::vector<TextRow>;

const b2Color k_helpTextColour(1.0f, 1.0f, 0.75f);
const b2Color k_operationTextColour(1.0f, 0.75f, 1.0f);
const b2Color k_infoTextColour(0.75f, 0.75f, 0.75f);
const b2Color k_multipleTextColour(1.0f, 0.75f, 0.75f);
const b2Color k_warningTextColour(1.0f, 0.0f, 0.0f);
const b2Color k_debugTextColour(0.75f, 1.0f, 0.75f);
const b2Color k_mouseLabelColour(0.5f, 0.5f, 0.5f);

// printf-style formatting cut at 255 characters: names are user text of any length.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Size of the selected set of the given edit method.
int SelectedCount(const _controlState& controlState, _editMethod method);

// Help page `page` of 0..maxPage; nothing for other pages.
TextRows HelpText(int page, int maxPage);

// What the operation block needs to know about the editor.
struct OperationView
{
    int state = 0;
    _editMethod editMethod = EM_BODIES;
    int selectedCount = 0;
    // Mouse minus the operation's start point.
    b2Vec2 mouseFromStart = b2Vec2_zero;
    // The running amounts: translation, rotation in radians, scale factors.
    b2Vec2 delta = b2Vec2_zero;
    float angle = 0.0f;
    b2Vec2 factor = b2Vec2(1.0f, 1.0f);
    bool rotateAroundSelection = false;
    bool scaleAroundSelection = false;
    // One body and one of its joints are selected in body mode: the joint's limits can be set.
    bool limitJointSelected = false;
};
// The operation in progress with its keys; nothing for states it does not describe.
TextRows OperationText(const OperationView& view);

TextRows WorldInfoText(const b2World& world);
// The information block about one object; `name` is shown when not empty.
TextRows BodyInfoText(const b2Body& body, const std::string& name);
TextRows FixtureInfoText(const b2Fixture& fixture, const std::string& name);
TextRows VertexInfoText(const b2Fixture& fixture, int index);
TextRows JointInfoText(const b2Joint& joint, const std::string& name);
// The block shown when several objects of the edit method lie under the mouse.
TextRows MultipleCandidatesText(_editMethod method);

// Ages every message by one rendered frame (1/60 of its life in seconds) and drops those whose
// life has run out, keeping the others in order.
void AgeMessages(std::vector<_message>& messages);
// Messages fade out over their last second.
float MessageAlpha(const _message& message);
