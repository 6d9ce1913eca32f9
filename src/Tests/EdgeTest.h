// A valley of connected edges with boxes sliding and balls rolling down across the joins.
#pragma once

#include "Tests/RegisteredScene.h"

class EdgeTest : public RegisteredScene<EdgeTest>
{
public:
    EdgeTest();
};
