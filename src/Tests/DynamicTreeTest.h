// No world bodies: a broad-phase tree of boxes ("actors") that are created, destroyed and moved
// by keys or automatically, queried with a box (overlapping actors highlighted) and cast against
// with a ray (the closest actor hit highlighted).
#pragma once

#include "Tests/RegisteredScene.h"

class DynamicTreeTest : public RegisteredScene<DynamicTreeTest>
{
public:
    static constexpr int k_actorCount = 128;

    struct Actor
    {
        b2AABB aabb;
        bool overlapsQuery;
        int32 proxyId;  // k_noProxy when the actor is not in the tree
    };
    static constexpr int32 k_noProxy = -1;

    DynamicTreeTest();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;

    bool IsAutomated() const { return m_automated; }
    const Actor& GetActor(int i) const { return m_actors[i]; }
    int GetProxyCount() const;
    const b2DynamicTree& GetTree() const { return m_tree; }
    const b2AABB& GetQueryBox() const { return m_queryBox; }
    // The actor the ray hit first in the last frame, or null.
    const Actor* GetRayActor() const { return m_rayActor; }
    const b2RayCastInput& GetRay() const { return m_ray; }

private:
    b2AABB RandomBox() const;
    void CreateProxy();
    void DestroyProxy();
    void MoveProxy(Actor& actor);
    void MoveRandomProxy();
    void RunAutomatedActions();
    void Query();
    void CastRay();
    void Draw();

    b2DynamicTree m_tree;
    Actor m_actors[k_actorCount];
    b2AABB m_queryBox;
    b2RayCastInput m_ray;
    Actor* m_rayActor = nullptr;
    bool m_automated = false;
};
