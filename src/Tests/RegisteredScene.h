// The base of every scene class in the registry: it gives the class the factory its registry
// row holds, `Scene::Create`, which builds a new scene of that class.
#pragma once

#include "Framework/Test.h"

template <class Scene, class Base = Test>
class RegisteredScene : public Base
{
public:
    static Test* Create() { return new Scene; }
};
