// One scene as a parameter of a value-parameterised test: its name (the test's suffix), its
// factory and the keys it handles.
#pragma once

#include "Framework/TestEntry.h"

#include <gtest/gtest.h>

#include <string>

struct SceneCase
{
    const char* name;
    TestCreateFcn create;
    const char* keys;
};

inline std::string SceneCaseName(const ::testing::TestParamInfo<SceneCase>& info)
{
    return info.param.name;
}
