// Characters (a square, a hexagon and circles) walking back and forth over aligned box tiles,
// an open edge chain, and closed chain loops from outside and from inside.
#pragma once

#include "Tests/RegisteredScene.h"

#include <vector>

class CharacterCollision : public RegisteredScene<CharacterCollision>
{
public:
    CharacterCollision();

    void Step(Settings* settings) override;
    void BodyDestroyed(b2Body* body) override;

private:
    // A character walking at a constant horizontal speed between minX and maxX.
    struct Walker
    {
        b2Body* body;
        float minX;
        float maxX;
        float speed;
    };

    void AddWalker(const b2Shape& shape, const b2Vec2& position, float minX, float maxX);

    std::vector<Walker> m_walkers;
};
