// The scene registry: every scene the user can run, in the order the list box and the
// "[" / "]" keys step through them, terminated by a null row.
#pragma once

#include "Framework/TestEntry.h"

extern const TestEntry g_testEntries[];
