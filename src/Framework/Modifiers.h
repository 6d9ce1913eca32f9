// Modifier keys held during the current input event. The window library answers only inside its
// own input callbacks, so code that calls the callbacks directly (tests, replayed input) supplies
// the state through SetModifierQuery.
#pragma once

using ModifierQuery = int (*)();

int CurrentModifiers();
void SetModifierQuery(ModifierQuery query);

// True when exactly Ctrl is held, as keyboard shortcuts require.
bool OnlyCtrlHeld();
bool OnlyShiftHeld();
