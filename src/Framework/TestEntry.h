// The scene registry: every scene the user can run, in the order the list box and the
// "[" / "]" keys step through them, terminated by a null row.
#pragma once

class Test;

using TestCreateFcn = Test* (*)();

struct TestEntry
{
    const char* name;
    TestCreateFcn createFcn;
};

extern TestEntry g_testEntries[];
