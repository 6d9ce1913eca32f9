#include "Framework/Modifiers.h"

#include <GL/freeglut.h>

namespace
{

ModifierQuery g_modifierQuery = glutGetModifiers;

}  // namespace

int CurrentModifiers()
{
    return g_modifierQuery();
}

void SetModifierQuery(ModifierQuery query)
{
    g_modifierQuery = query != nullptr ? query : glutGetModifiers;
}

bool OnlyCtrlHeld()
{
    return CurrentModifiers() == GLUT_ACTIVE_CTRL;
}

bool OnlyShiftHeld()
{
    return CurrentModifiers() == GLUT_ACTIVE_SHIFT;
}
