// Whether the editor's references into a world still hold: used by the editor's monkey test
// after every event it sends.
#pragma once

#include "Editor/EditorTypes.h"

#include <box2d/box2d.h>

#include <string>

struct ObjectNames;

// What is wrong with the editor's references into `world`, or with the world itself: an object
// in a candidate, disambiguation or selection set, a tentative outline or the split point that is
// not one of the world's; a vertex index beyond its shape; a name kept for an object that is not
// in the world; a coordinate, velocity or material value that is not finite. Empty when nothing
// is. `state` and `names` may be null, `world` may not. A pointer is only read through once it
// is found among the world's objects.
std::string FindBrokenReferences(const b2World* world, const _controlState* state, const ObjectNames* names);
