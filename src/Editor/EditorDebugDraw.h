// What the editor's drawing files share: the editor's own debug drawer for shapes and joint
// icons (apart from the scene's, so the editor's colours and flags never leak into it) and the
// named colours of nubs and guides.
#pragma once

#include "Framework/DebugDraw.h"

#include <box2d/box2d.h>

extern DebugDraw g_editorDebugDraw;

const b2Color k_plainNubColour(0.5f, 0.5f, 0.5f);
const b2Color k_candidateColour(1.0f, 1.0f, 0.75f);
const b2Color k_selectedColour(1.0f, 1.0f, 0.0f);
const b2Color k_disambiguationCandidateColour(0.75f, 0.75f, 0.75f);
const b2Color k_leaderLineColour(1.0f, 0.75f, 0.75f);
const b2Color k_guideColour(0.75f, 0.75f, 0.75f);
const b2Color k_limitRangeColour(0.75f, 1.0f, 0.75f);

// Shapes are drawn in the colour of their body's type.
b2Color BodyTypeColour(b2BodyType type);

