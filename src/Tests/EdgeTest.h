// A valley of connected edges with boxes sliding and balls rolling down across the joins.
#pragma once

#include "Framework/Test.h"

class EdgeTest : public Test
{
public:
    EdgeTest();
    static Test* Create();
};
