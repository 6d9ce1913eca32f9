// Mesa's software renderer keeps a few one-time allocations until the process ends and unloads
// its driver before the leak check runs, which leaves those allocations without a module name
// to suppress. Pinning the loaded driver keeps its name in the reports, so tests/lsan.supp can
// leave the driver's own allocations out while every leak of ours is still reported.
#pragma once

// Call after the first OpenGL context exists.
void PinGraphicsDriver();
