// The simulation-mode side panel: scene list, solver and draw settings, Pause, Single Step,
// Restart and Quit. It edits the shell's settings directly, so it has nothing to synchronise.
#pragma once

void SetupDefaultPanel();
void CloseDefaultPanel();
bool IsDefaultPanelOpen();

// Issues this frame's ImGui calls for the panel (nothing while it is closed).
void BuildDefaultPanel();
