// Outlines of shapes placed by a transform, for scenes that draw geometry the world does not
// own (or highlight fixtures it does).
#pragma once

#include "Framework/DebugDraw.h"

#include <box2d/box2d.h>

void DrawShapeOutline(DebugDraw& draw, const b2Shape& shape, const b2Transform& xf, const b2Color& color);
