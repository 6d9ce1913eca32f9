// One row of a scene registry: the name shown in the list box and drawn as the frame title, and
// the factory that builds the scene. A registry is an array of rows terminated by a null row;
// the program hands its registry to the shell at start.
#pragma once

class Test;

using TestCreateFcn = Test* (*)();

struct TestEntry
{
    const char* name;
    TestCreateFcn createFcn;
};
