// Checks of the values typed into the editor panel, made before any of them reaches the world:
// the physics library asserts on some (negative densities, filter bits beyond 16 bits) and
// others leave a scene meaningless (negative friction, motor torques or spring values). A
// refusal names the field as the panel labels it; an empty refusal means the values are usable.
// Values left at their "not set" markers are always acceptable: they change nothing.
#pragma once

#include "Editor/EditorTypes.h"

#include <string>

// Mass and gravity scale.
std::string CheckBodyInput(const _panelInput& in);
// Density, restitution, friction, category and mask bits and group index.
std::string CheckFixtureInput(const _panelInput& in);
// Max power, motor speed, length, frequency and damping ratio.
std::string CheckJointInput(const _panelInput& in);

// A tri-state panel flag: k_mixedFlag (the selection disagreed and the user left it) keeps each
// object's own value.
inline bool KeepsFlag(int flag)
{
    return flag == k_mixedFlag;
}

// The panel's value, or `fallback` when the field was left empty.
inline float ValueOr(float value, float fallback)
{
    return value != k_unsetFloat ? value : fallback;
}

inline int ValueOr(int value, int fallback)
{
    return value != k_unsetInt ? value : fallback;
}

// A new object's flag: on only when ticked; a "(?) " box left alone leaves it off.
inline bool TickedFlag(int flag)
{
    return flag == 1;
}
