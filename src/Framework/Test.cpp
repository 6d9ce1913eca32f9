#include "Framework/Test.h"

#include "Physics/Create.h"
#include "Physics/GearDependencies.h"
#include "Physics/Guards.h"
#include "Physics/Springs.h"
#include "WorldDoc/WorldDoc.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

void DestructionListener::SayGoodbye(b2Joint* joint)
{
    test->AnnounceJoint(joint);
}

void DestructionListener::SayGoodbye(b2Fixture* fixture)
{
    test->AnnounceFixture(fixture);
}

bool QueryCallback::ReportFixture(b2Fixture* fixture)
{
    b2Body* body = fixture->GetBody();
    if (body->GetType() == b2_dynamicBody && fixture->TestPoint(m_point))
    {
        m_fixture = fixture;
        return false;
    }
    return true;
}

Test::Test(b2World* hostedWorld) : world(hostedWorld)
{
    if (world == nullptr)
    {
        world = new b2World(b2Vec2(0.0f, -10.0f));
    }
    maxProfile = totalProfile = recentProfile = b2Profile{};
    AttachToWorld();
}

Test::~Test()
{
    // Deleting the world frees every body, fixture and joint without announcements.
    AnnounceWorld(nullptr);
    delete world;
    world = nullptr;
}

void Test::ReplaceWorld(b2World* replacement)
{
    AnnounceWorld(replacement);
    delete world;
    world = replacement;
    groundBody = nullptr;
    bomb = nullptr;
    mouseJoint = nullptr;
    bombSpawning = false;
    pointCount = 0;
    AttachToWorld();
}

void Test::AnnounceWorld(b2World* replacement)
{
    names.clear();
    const std::vector<WorldObserver*> observers = m_observers;
    for (WorldObserver* observer : observers)
    {
        observer->WorldGoing(world, replacement);
    }
}

void Test::AddObserver(WorldObserver* observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
    {
        m_observers.push_back(observer);
    }
}

void Test::RemoveObserver(WorldObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void Test::AttachToWorld()
{
    destructionListener.test = this;
    world->SetDestructionListener(&destructionListener);
    world->SetContactListener(this);
    world->SetDebugDraw(&debugDraw);
}

b2Body* Test::EnsureGroundBody()
{
    if (groundBody == nullptr)
    {
        b2BodyDef bodyDef;
        groundBody = world->CreateBody(&bodyDef);
    }
    return groundBody;
}

void Test::ReleaseGroundBody()
{
    if (groundBody != nullptr && groundBody->GetFixtureList() == nullptr && groundBody->GetJointList() == nullptr)
    {
        DestroyBody(groundBody);
    }
}

void Test::EndGrab()
{
    if (mouseJoint != nullptr)
    {
        DestroyJoint(mouseJoint);
    }
    bombSpawning = false;
}

void Test::SetDebugDrawFlags(unsigned flags)
{
    debugDraw.SetFlags(flags);
}

void Test::DrawTitle(int x, int y, const char* text)
{
    debugDraw.DrawString(x, y, "%s", text);
}

void Test::DrawLine(const char* format, ...)
{
    char buffer[128];
    va_list arg;
    va_start(arg, format);
    std::vsnprintf(buffer, sizeof(buffer), format, arg);
    va_end(arg);
    debugDraw.DrawString(5, textLine, "%s", buffer);
    textLine += 15;
}

void Test::PreSolve(b2Contact* contact, const b2Manifold* oldManifold)
{
    const b2Manifold* manifold = contact->GetManifold();
    if (manifold->pointCount == 0)
    {
        return;
    }

    b2Fixture* fixtureA = contact->GetFixtureA();
    b2Fixture* fixtureB = contact->GetFixtureB();

    b2PointState state1[b2_maxManifoldPoints], state2[b2_maxManifoldPoints];
    b2GetPointStates(state1, state2, oldManifold, manifold);

    b2WorldManifold worldManifold;
    contact->GetWorldManifold(&worldManifold);

    for (int32 i = 0; i < manifold->pointCount && pointCount < k_maxContactPoints; ++i)
    {
        ContactPoint* cp = points + pointCount;
        cp->fixtureA = fixtureA;
        cp->fixtureB = fixtureB;
        cp->position = worldManifold.points[i];
        cp->normal = worldManifold.normal;
        cp->state = state2[i];
        ++pointCount;
    }
}

namespace
{

void TrackProfile(const b2Profile& p, b2Profile& maxP, b2Profile& totalP, b2Profile& recentP)
{
    const float keep = 0.98333335f;
    const float take = 0.016666668f;
    auto track = [&](float b2Profile::*phase) {
        maxP.*phase = std::max(maxP.*phase, p.*phase);
        totalP.*phase += p.*phase;
        recentP.*phase = recentP.*phase * keep + p.*phase * take;
    };
    track(&b2Profile::step);
    track(&b2Profile::collide);
    track(&b2Profile::solve);
    track(&b2Profile::solveTOI);
}

}  // namespace

void Test::Step(Settings* settings)
{
    float timeStep = settings->hz > 0.0f ? 1.0f / settings->hz : 0.0f;

    DrawLine("Press Ctrl+S to save, Ctrl+L to load snapshot file");

    if (settings->pause)
    {
        if (settings->singleStep)
        {
            settings->singleStep = 0;
        }
        else
        {
            timeStep = 0.0f;
        }
        DrawLine("****PAUSED****");
    }

    debugDraw.SetFlags(DebugDrawFlags(*settings));

    world->SetWarmStarting(settings->enableWarmStarting > 0);
    world->SetContinuousPhysics(settings->enableContinuous > 0);
    world->SetSubStepping(settings->enableSubStepping > 0);

    pointCount = 0;
    // A grab ended with its body (destroyed by the scene) leaves the anchor behind.
    if (mouseJoint == nullptr)
    {
        ReleaseGroundBody();
    }
    Physics::UpdateSprings(world);
    if (!m_stepper.step(world, timeStep, settings->velocityIterations, settings->positionIterations))
    {
        settings->pause = true;
        m_stepUndone = true;
    }
    else if (timeStep > 0.0f)
    {
        m_stepUndone = false;
    }
    if (m_stepUndone)
    {
        DrawLine("The last step overflowed and was undone; the simulation is paused");
    }
    world->DebugDraw();

    if (timeStep > 0.0f)
    {
        ++stepCount;
    }

    if (settings->drawStats)
    {
        DrawLine("bodies/contacts/joints = %d/%d/%d", world->GetBodyCount(), world->GetContactCount(),
                 world->GetJointCount());
        DrawLine("proxies/height/balance/quality = %d/%d/%d/%g", world->GetProxyCount(),
                 world->GetTreeHeight(), world->GetTreeBalance(), world->GetTreeQuality());
    }

    if (timeStep > 0.0f)
    {
        TrackProfile(world->GetProfile(), maxProfile, totalProfile, recentProfile);
    }

    if (settings->drawProfile)
    {
        b2Profile average{};
        if (stepCount > 0)
        {
            float scale = 1.0f / stepCount;
            average.step = scale * totalProfile.step;
            average.collide = scale * totalProfile.collide;
            average.solve = scale * totalProfile.solve;
            average.solveTOI = scale * totalProfile.solveTOI;
        }
        DrawLine("step (recent) [ave] (max) = (%5.2f) [%6.2f] (%6.2f)", recentProfile.step, average.step,
                 maxProfile.step);
        DrawLine("collide (recent) [ave] (max) = (%5.2f) [%6.2f] (%6.2f)", recentProfile.collide,
                 average.collide, maxProfile.collide);
        DrawLine("solve (recent) [ave] (max) = (%5.2f) [%6.2f] (%6.2f)", recentProfile.solve, average.solve,
                 maxProfile.solve);
        DrawLine("solveTOI (recent) [ave] (max) = (%5.2f) [%6.2f] (%6.2f)", recentProfile.solveTOI,
                 average.solveTOI, maxProfile.solveTOI);
    }

    if (mouseJoint)
    {
        b2Vec2 p1 = mouseJoint->GetAnchorB();
        b2Vec2 p2 = mouseJoint->GetTarget();
        debugDraw.DrawPoint(p1, 4.0f, b2Color(0.0f, 1.0f, 0.0f));
        debugDraw.DrawPoint(p2, 4.0f, b2Color(0.0f, 1.0f, 0.0f));
        debugDraw.DrawSegment(p1, p2, b2Color(0.8f, 0.8f, 0.8f));
    }

    if (bombSpawning)
    {
        debugDraw.DrawPoint(bombSpawnPoint, 4.0f, b2Color(0.0f, 0.0f, 1.0f));
        debugDraw.DrawSegment(mouseWorld, bombSpawnPoint, b2Color(0.8f, 0.8f, 0.8f));
    }

    if (settings->drawContactPoints)
    {
        const float normalLength = 0.3f;
        for (int32 i = 0; i < pointCount; ++i)
        {
            const ContactPoint& point = points[i];
            if (point.state == b2_addState)
            {
                debugDraw.DrawPoint(point.position, 10.0f, b2Color(0.3f, 0.95f, 0.3f));
            }
            else if (point.state == b2_persistState)
            {
                debugDraw.DrawPoint(point.position, 5.0f, b2Color(0.3f, 0.3f, 0.95f));
            }

            if (settings->drawContactNormals == 1)
            {
                b2Vec2 p2 = point.position + normalLength * point.normal;
                debugDraw.DrawSegment(point.position, p2, b2Color(0.9f, 0.9f, 0.9f));
            }
        }
    }
}

void Test::MouseDown(const b2Vec2& p)
{
    mouseWorld = p;
    if (mouseJoint != nullptr)
    {
        return;
    }

    b2AABB aabb;
    b2Vec2 d(0.001f, 0.001f);
    aabb.lowerBound = p - d;
    aabb.upperBound = p + d;
    QueryCallback callback(p);
    world->QueryAABB(&callback, aabb);
    if (callback.m_fixture == nullptr)
    {
        return;
    }

    b2Body* body = callback.m_fixture->GetBody();
    b2MouseJointDef md;
    md.bodyA = EnsureGroundBody();
    md.bodyB = body;
    md.target = p;
    md.maxForce = 1000.0f * body->GetMass();
    b2Joint* joint = Physics::CreateJoint(world, md);
    if (joint == nullptr)
    {
        ReleaseGroundBody();
        return;
    }
    Physics::SetSpring(joint, 5.0f, 0.7f);
    mouseJoint = static_cast<b2MouseJoint*>(joint);
    body->SetAwake(true);
}

void Test::MouseUp(const b2Vec2& p)
{
    if (mouseJoint)
    {
        DestroyJoint(mouseJoint);
    }
    if (bombSpawning)
    {
        CompleteBombSpawn(p);
    }
}

void Test::MouseMove(const b2Vec2& p)
{
    mouseWorld = p;
    if (mouseJoint)
    {
        mouseJoint->SetTarget(p);
    }
}

void Test::ShiftMouseDown(const b2Vec2& p)
{
    mouseWorld = p;
    if (mouseJoint != nullptr)
    {
        return;
    }
    SpawnBomb(p);
}

void Test::SpawnBomb(const b2Vec2& worldPt)
{
    bombSpawnPoint = worldPt;
    bombSpawning = true;
}

void Test::CompleteBombSpawn(const b2Vec2& p)
{
    if (!bombSpawning)
    {
        return;
    }
    const float multiplier = 30.0f;
    b2Vec2 velocity = multiplier * (bombSpawnPoint - p);
    LaunchBomb(bombSpawnPoint, velocity);
    bombSpawning = false;
}

void Test::LaunchBomb()
{
    float x = -15.0f + 30.0f * static_cast<float>(std::rand() & 0x7FFF) / 32767.0f;
    b2Vec2 position(x, 30.0f);
    b2Vec2 velocity = -5.0f * position;
    LaunchBomb(position, velocity);
}

void Test::LaunchBomb(const b2Vec2& position, const b2Vec2& velocity)
{
    if (bomb)
    {
        DestroyBody(bomb);
    }

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = position;
    bd.bullet = true;
    bomb = world->CreateBody(&bd);
    bomb->SetLinearVelocity(velocity);

    b2CircleShape circle;
    circle.m_radius = 0.3f;

    b2FixtureDef fd;
    fd.shape = &circle;
    fd.density = 20.0f;
    fd.restitution = 0.0f;
    fd.friction = 0.2f;
    bomb->CreateFixture(&fd);
}

void Test::AnnounceJoint(b2Joint* joint)
{
    names.forget(joint);
    const std::vector<WorldObserver*> observers = m_observers;
    for (WorldObserver* observer : observers)
    {
        observer->JointGoing(joint);
    }
    if (joint == mouseJoint)
    {
        mouseJoint = nullptr;
        return;
    }
    JointDestroyed(joint);
}

void Test::AnnounceFixture(b2Fixture* fixture)
{
    names.forget(fixture);
    const std::vector<WorldObserver*> observers = m_observers;
    for (WorldObserver* observer : observers)
    {
        observer->FixtureGoing(fixture);
    }
    ContactPoint* kept = std::remove_if(points, points + pointCount, [fixture](const ContactPoint& cp) {
        return cp.fixtureA == fixture || cp.fixtureB == fixture;
    });
    pointCount = static_cast<int>(kept - points);
    FixtureDestroyed(fixture);
}

void Test::AnnounceBody(b2Body* body)
{
    names.forget(body);
    const std::vector<WorldObserver*> observers = m_observers;
    for (WorldObserver* observer : observers)
    {
        observer->BodyGoing(body);
    }
    BodyDestroyed(body);
}

bool Test::DestroyBody(b2Body* body)
{
    if (body == nullptr || world->IsLocked())
    {
        return false;
    }
    for (b2Joint* gear : Physics::GearsDependingOn(world, body))
    {
        DestroyJoint(gear);
    }
    if (body == groundBody)
    {
        groundBody = nullptr;
    }
    if (body == bomb)
    {
        bomb = nullptr;
    }
    AnnounceBody(body);
    // The library announces the body's joints and fixtures through the destruction listener.
    world->DestroyBody(body);
    return true;
}

bool Test::DestroyFixture(b2Fixture* fixture)
{
    if (fixture == nullptr || world->IsLocked())
    {
        return false;
    }
    // The body's mass is recomputed from the remaining fixtures, which the library may assert on.
    b2Body* body = fixture->GetBody();
    Physics::MassChange change(*body);
    change.removed = fixture;
    std::string refusal = Physics::CheckMassReset(*body, change);
    if (!refusal.empty())
    {
        std::printf("Cannot destroy the fixture: %s\n", refusal.c_str());
        return false;
    }
    AnnounceFixture(fixture);
    body->DestroyFixture(fixture);
    return true;
}

bool Test::DestroyJoint(b2Joint* joint)
{
    if (joint == nullptr || world->IsLocked())
    {
        return false;
    }
    for (b2Joint* gear : Physics::GearsDependingOn(world, joint))
    {
        DestroyJoint(gear);
    }
    const bool grab = joint == mouseJoint;
    AnnounceJoint(joint);
    world->DestroyJoint(joint);
    if (grab)
    {
        ReleaseGroundBody();
    }
    return true;
}

bool Test::WriteSnapshot(const char* filename)
{
    // A drag's joint and anchor body are not part of the scene: saving ends the drag.
    if (mouseJoint != nullptr)
    {
        DestroyJoint(mouseJoint);
    }
    ReleaseGroundBody();
    WorldDoc doc(true);
    return doc.writeToFile(world, filename);
}

Test* Test::LoadSnapshot(const char* filename)
{
    WorldDoc doc(false);
    b2World* loaded = doc.readFromFile(filename);
    if (loaded == nullptr)
    {
        return nullptr;
    }
    return new Test(loaded);
}
