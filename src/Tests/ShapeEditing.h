// A box body that gains and loses a second fixture, a heavy circle, at the press of a key.
#pragma once

#include "Tests/RegisteredScene.h"

class ShapeEditing : public RegisteredScene<ShapeEditing>
{
public:
    ShapeEditing();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void BodyDestroyed(b2Body* body) override;
    void FixtureDestroyed(b2Fixture* fixture) override;

private:
    b2Body* m_body = nullptr;
    b2Fixture* m_extra = nullptr;
};
