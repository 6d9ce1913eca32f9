// Host of one physics world: the base class of every scene. Steps and draws the world, grabs
// bodies with the mouse, launches bombs, records contact points, shows statistics and writes
// or loads snapshots.
#pragma once

#include "Framework/DebugDraw.h"
#include "Framework/Settings.h"
#include "Framework/WorldObserver.h"
#include "Physics/FiniteStep.h"
#include "WorldDoc/ObjectNames.h"

#include <box2d/box2d.h>

#include <vector>

class Test;

constexpr int k_maxContactPoints = 2048;

struct ContactPoint
{
    b2Fixture* fixtureA;
    b2Fixture* fixtureB;
    b2Vec2 normal;
    b2Vec2 position;
    b2PointState state;
};

// Forwards the world's implicit destructions (joints and fixtures of a destroyed body) to the
// host's single announcement path.
class DestructionListener : public b2DestructionListener
{
public:
    void SayGoodbye(b2Joint* joint) override;
    void SayGoodbye(b2Fixture* fixture) override;

    Test* test = nullptr;
};

// Finds the dynamic fixture containing a point.
class QueryCallback : public b2QueryCallback
{
public:
    explicit QueryCallback(const b2Vec2& point) : m_point(point) {}
    bool ReportFixture(b2Fixture* fixture) override;

    b2Vec2 m_point;
    b2Fixture* m_fixture = nullptr;
};

class Test : public b2ContactListener
{
public:
    // Hosts `world` (taking ownership), or a new world with gravity (0, -10) when it is null.
    explicit Test(b2World* world = nullptr);
    ~Test() override;

    void BeginContact(b2Contact*) override {}
    void EndContact(b2Contact*) override {}
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void PostSolve(b2Contact*, const b2ContactImpulse*) override {}

    virtual void Step(Settings* settings);
    virtual void Keyboard(unsigned char) {}
    virtual void KeyboardUp(unsigned char) {}
    virtual void MouseDown(const b2Vec2& p);
    virtual void MouseUp(const b2Vec2& p);
    virtual void MouseMove(const b2Vec2& p);

    // Announcements of objects about to be destroyed, explicitly or with their body. Scenes
    // override them to drop pointers they keep; the host has dropped its own already.
    virtual void JointDestroyed(b2Joint*) {}
    virtual void FixtureDestroyed(b2Fixture*) {}
    virtual void BodyDestroyed(b2Body*) {}

    // The only way objects of this world are destroyed explicitly: each announces the object
    // (and, for a body, its joints and fixtures, and gear joints coupling its joints) before the
    // library frees it. False when nothing was destroyed: a null object, a locked world (during
    // a step), or a fixture whose removal would leave its body with a mass the library rejects
    // (reason printed).
    bool DestroyBody(b2Body* body);
    bool DestroyFixture(b2Fixture* fixture);
    bool DestroyJoint(b2Joint* joint);

    // Observers hear of every object before it is destroyed, whoever destroys it, and of the
    // world before it is deleted or replaced. An observer removes itself before it goes.
    void AddObserver(WorldObserver* observer);
    void RemoveObserver(WorldObserver* observer);

    // Ends a mouse grab (its joint is destroyed) and drops a bomb being aimed: used when the
    // window stops sending this scene the button release that would end them.
    void EndGrab();

    void ShiftMouseDown(const b2Vec2& p);
    void SpawnBomb(const b2Vec2& worldPt);
    void CompleteBombSpawn(const b2Vec2& p);
    void LaunchBomb();
    void LaunchBomb(const b2Vec2& position, const b2Vec2& velocity);

    void SetDebugDrawFlags(unsigned flags);
    void DrawTitle(int x, int y, const char* text);
    b2World* GetWorld() { return world; }

    // Writes the world as a scene file, ending a mouse drag first so that its joint and anchor
    // are not saved; false (with the reason printed) when it could not be written, the previous
    // file then being left as it was.
    bool WriteSnapshot(const char* filename);
    // A plain Test hosting the world read from `filename`, or null when it cannot be read
    // (the reader has printed why).
    static Test* LoadSnapshot(const char* filename);

    // Called by the destruction listener and by the Destroy operations.
    void AnnounceJoint(b2Joint* joint);
    void AnnounceFixture(b2Fixture* fixture);

    // Anchor of the mouse joint: created for a grab and destroyed after it while nothing else
    // is attached to it, so that it never becomes part of a scene the user saves.
    b2Body* groundBody = nullptr;
    // Names of this world's objects; destroyed objects lose theirs at once.
    ObjectNames names;
    // The editor changed this world since it was last saved or loaded in the editor.
    bool unsavedEdits = false;
    ContactPoint points[k_maxContactPoints];
    int pointCount = 0;
    DestructionListener destructionListener;
    DebugDraw debugDraw;
    int textLine = 30;
    b2World* world = nullptr;
    b2Body* bomb = nullptr;
    b2MouseJoint* mouseJoint = nullptr;
    b2Vec2 bombSpawnPoint = b2Vec2_zero;
    bool bombSpawning = false;
    b2Vec2 mouseWorld = b2Vec2_zero;
    int stepCount = 0;
    b2Profile maxProfile;
    b2Profile totalProfile;
    b2Profile recentProfile;

protected:
    // Draws one overlay line at (5, textLine) and moves textLine down by 15.
    void DrawLine(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Hosts `replacement` instead of the current world, which is deleted: the host's listeners and
    // debug drawer are attached to it.
    void ReplaceWorld(b2World* replacement);

private:
    void AttachToWorld();
    void AnnounceBody(b2Body* body);
    void AnnounceWorld(b2World* replacement);
    b2Body* EnsureGroundBody();
    void ReleaseGroundBody();

    std::vector<WorldObserver*> m_observers;
    Physics::FiniteStepper m_stepper;
    // The last step would have left the world not a number: it was undone and the run paused.
    bool m_stepUndone = false;
};
