// make-default-scene OUT: builds the scene Vexa opens on (data/vexa.json) and writes it. The scene
// is a small playground that uses every body type, shape and joint the scene format knows (the
// mouse joint aside) inside the default view: centre (0, 20), 50 m tall, floor at y = 0 between
// walls at x = ±33.
//
// Chains collide on the right of each segment's direction only: the ramp runs from right to
// left so that its upper side collides, and the tumbler's loop runs clockwise so that it holds
// its load inside.
#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Polygon.h"
#include "Physics/Springs.h"
#include "WorldDoc/WorldDoc.h"

#include <box2d/box2d.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

constexpr float k_pi = 3.14159265f;

b2FixtureDef Material(float density, float friction = 0.6f, float restitution = 0.0f)
{
    b2FixtureDef def;
    def.density = density;
    def.friction = friction;
    def.restitution = restitution;
    return def;
}

b2Vec2 Polar(b2Vec2 centre, float radius, float angle)
{
    return centre + radius * b2Vec2(std::cos(angle), std::sin(angle));
}

// Any refusal by the physics layer is a fault in the scene's numbers and stops the generator.
template <typename T>
T Require(T result, const std::string& what)
{
    if (!result)
    {
        throw std::runtime_error("the physics layer refused part of the scene: " + what);
    }
    return result;
}

// Creates through the physics layer and names what it creates.
class SceneBuilder
{
public:
    SceneBuilder(b2World* world, WorldDoc& doc) : m_world(world), m_doc(doc) {}

    b2Body* body(b2BodyType type, b2Vec2 position, const char* name = nullptr)
    {
        b2BodyDef def;
        def.type = type;
        def.position = position;
        std::string error;
        b2Body* body = Require(Physics::CreateBody(m_world, def, &error), error);
        if (name)
        {
            m_doc.setBodyName(body, name);
        }
        return body;
    }

    b2Fixture* fixture(b2Body* body, const b2Shape& shape, b2FixtureDef def, const char* name = nullptr)
    {
        def.shape = &shape;
        std::string error;
        b2Fixture* fixture = Require(Physics::CreateFixture(body, def, &error), error);
        if (name)
        {
            m_doc.setFixtureName(fixture, name);
        }
        return fixture;
    }

    b2Fixture* box(b2Body* body, float halfWidth, float halfHeight, const b2FixtureDef& def,
                   b2Vec2 centre = b2Vec2_zero, const char* name = nullptr)
    {
        b2PolygonShape shape;
        shape.SetAsBox(halfWidth, halfHeight, centre, 0.0f);
        return fixture(body, shape, def, name);
    }

    b2Fixture* circle(b2Body* body, float radius, const b2FixtureDef& def)
    {
        b2CircleShape shape;
        shape.m_radius = radius;
        return fixture(body, shape, def);
    }

    b2Fixture* polygon(b2Body* body, const std::vector<b2Vec2>& points, const b2FixtureDef& def)
    {
        b2PolygonShape shape;
        Require(Physics::SetPolygon(shape, points.data(), static_cast<int>(points.size())), "a polygon's points");
        return fixture(body, shape, def);
    }

    b2Fixture* chain(b2Body* body, const std::vector<b2Vec2>& points, bool loop, const b2FixtureDef& def,
                     const char* name = nullptr)
    {
        b2ChainShape shape;
        const int count = static_cast<int>(points.size());
        Require(loop ? Physics::SetLoop(shape, points.data(), count) : Physics::SetChain(shape, points.data(), count),
                "a chain's points");
        return fixture(body, shape, def, name);
    }

    b2Joint* joint(const b2JointDef& def, const char* name = nullptr)
    {
        std::string error;
        return named(Require(Physics::CreateJoint(m_world, def, &error), error), name);
    }

    b2Joint* spring(b2Body* a, b2Body* b, b2Vec2 anchorA, b2Vec2 anchorB, float frequency, float dampingRatio,
                    const char* name = nullptr)
    {
        b2DistanceJointDef def;
        def.Initialize(a, b, anchorA, anchorB);
        b2Joint* spring = joint(def, name);
        Require(Physics::SetSpring(spring, frequency, dampingRatio), "a spring");
        return spring;
    }

    b2Joint* rope(b2Body* a, b2Body* b, b2Vec2 anchorA, b2Vec2 anchorB, const char* name = nullptr)
    {
        Physics::RopeJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = a->GetLocalPoint(anchorA);
        def.localAnchorB = b->GetLocalPoint(anchorB);
        def.maxLength = b2Distance(anchorA, anchorB);
        std::string error;
        return named(Require(Physics::CreateRopeJoint(m_world, def, &error), error), name);
    }

private:
    b2Joint* named(b2Joint* joint, const char* name)
    {
        if (name)
        {
            m_doc.setJointName(joint, name);
        }
        return joint;
    }

    b2World* m_world;
    WorldDoc& m_doc;
};

b2RevoluteJointDef Hinge(b2Body* a, b2Body* b, b2Vec2 anchor, float lower, float upper)
{
    b2RevoluteJointDef def;
    def.Initialize(a, b, anchor);
    def.enableLimit = true;
    def.lowerAngle = lower;
    def.upperAngle = upper;
    return def;
}

// Floor, walls and the ramp: one static body. The floor edge records the walls' tops as its
// neighbours, the ramp the floor and the left wall.
b2Body* AddGround(SceneBuilder& scene)
{
    b2Body* ground = scene.body(b2_staticBody, b2Vec2_zero, "ground");
    const b2FixtureDef stone = Material(0.0f);

    b2EdgeShape floor;
    floor.SetTwoSided(b2Vec2(-33.0f, 0.0f), b2Vec2(33.0f, 0.0f));
    b2Fixture* floorFixture = scene.fixture(ground, floor, stone, "floor");
    Physics::EdgeGhosts floorGhosts;
    floorGhosts.hasVertex0 = true;
    floorGhosts.vertex0 = b2Vec2(-33.0f, 14.0f);
    floorGhosts.hasVertex3 = true;
    floorGhosts.vertex3 = b2Vec2(33.0f, 14.0f);
    Require(Physics::SetEdgeGhosts(floorFixture, floorGhosts), "the floor's ghost vertices");

    scene.box(ground, 0.5f, 7.0f, stone, b2Vec2(-33.5f, 7.0f), "left wall");
    scene.box(ground, 0.5f, 7.0f, stone, b2Vec2(33.5f, 7.0f), "right wall");
    return ground;
}

// A static body holding joints at `position`, so that the joints' lines start there.
b2Body* Mount(SceneBuilder& scene, b2Vec2 position, const char* name)
{
    return scene.body(b2_staticBody, position, name);
}

// A quarter pipe from the floor up the left wall, traced right to left, with two balls that
// roll down it.
void AddRamp(SceneBuilder& scene, b2Body* ground)
{
    const b2Vec2 centre(-25.0f, 8.0f);
    const float radius = 8.0f;
    std::vector<b2Vec2> ramp;
    for (int i = 0; i <= 9; ++i)
    {
        ramp.push_back(Polar(centre, radius, -0.5f * k_pi - i * (0.5f * k_pi / 9.0f)));
    }
    b2Fixture* rampFixture = scene.chain(ground, ramp, false, Material(0.0f), "ramp");
    Physics::ChainGhosts rampGhosts;
    rampGhosts.hasPrevVertex = true;
    rampGhosts.prevVertex = b2Vec2(-24.0f, 0.0f);
    rampGhosts.hasNextVertex = true;
    rampGhosts.nextVertex = b2Vec2(-33.0f, 9.0f);
    Require(Physics::SetChainGhosts(rampFixture, rampGhosts), "the ramp's ghost vertices");

    for (const auto& [angle, ballRadius] : {std::pair{-0.85f * k_pi, 0.7f}, std::pair{-0.72f * k_pi, 0.5f}})
    {
        b2Body* ball = scene.body(b2_dynamicBody, Polar(centre, radius - ballRadius, angle), "ramp ball");
        ball->SetLinearDamping(0.2f);
        scene.circle(ball, ballRadius, Material(1.0f, 0.6f, 0.3f));
    }
}

// A platform on a vertical slider, held up by a soft distance joint, with crates on it.
void AddSpringPlatform(SceneBuilder& scene)
{
    b2Body* base = Mount(scene, b2Vec2(-20.5f, 0.0f), "spring base");
    scene.box(base, 0.8f, 0.15f, Material(0.0f), b2Vec2(0.0f, 0.15f));

    const b2Vec2 rest(-20.5f, 3.2f);
    b2Body* platform = scene.body(b2_dynamicBody, rest, "spring platform");
    scene.box(platform, 1.8f, 0.2f, Material(1.0f));

    b2PrismaticJointDef slider;
    slider.Initialize(base, platform, rest, b2Vec2(0.0f, 1.0f));
    slider.enableLimit = true;
    slider.lowerTranslation = -2.0f;
    slider.upperTranslation = 1.5f;
    scene.joint(slider, "slider");
    scene.spring(base, platform, base->GetPosition() + b2Vec2(0.0f, 0.3f), rest, 1.0f, 0.1f, "spring");

    for (int i = 0; i < 2; ++i)
    {
        b2Body* crate = scene.body(b2_dynamicBody, rest + b2Vec2(0.4f * i - 0.5f, 0.8f + 1.2f * i), "crate");
        scene.box(crate, 0.6f, 0.6f, Material(0.6f));
    }
}

// A parked car: wheels on sprung wheel joints whose motors hold them still.
void AddCar(SceneBuilder& scene)
{
    const b2Vec2 position(-13.5f, 1.9f);
    b2Body* car = scene.body(b2_dynamicBody, position, "car");
    scene.polygon(car, {{-2.6f, -0.4f}, {2.6f, -0.4f}, {2.6f, 0.35f}, {1.2f, 1.15f}, {-1.8f, 1.15f}, {-2.6f, 0.45f}},
                  Material(1.0f));

    for (float side : {-1.0f, 1.0f})
    {
        const b2Vec2 hub(position.x + 1.75f * side, 0.7f);
        b2Body* wheel = scene.body(b2_dynamicBody, hub, "car wheel");
        scene.circle(wheel, 0.7f, Material(1.0f, 0.9f));

        b2WheelJointDef axle;
        axle.Initialize(car, wheel, hub, b2Vec2(0.0f, 1.0f));
        axle.enableMotor = true;
        axle.motorSpeed = 0.0f;
        axle.maxMotorTorque = 40.0f;
        b2Joint* joint = scene.joint(axle, "car suspension");
        Require(Physics::SetSpring(joint, 4.0f, 0.7f), "the car's suspension spring");
    }
}

// A plank on a hinge with a crate on one end and a cannonball falling towards the other. A
// friction joint damps its rocking.
void AddSeesaw(SceneBuilder& scene)
{
    const b2Vec2 hinge(-5.0f, 1.7f);
    b2Body* pivot = Mount(scene, hinge, "seesaw pivot");
    scene.polygon(pivot, {{-1.0f, -hinge.y}, {1.0f, -hinge.y}, {0.0f, -0.2f}}, Material(0.0f));
    b2Body* plank = scene.body(b2_dynamicBody, hinge, "seesaw");
    scene.box(plank, 4.5f, 0.15f, Material(1.0f));
    scene.joint(Hinge(pivot, plank, hinge, -0.3f, 0.3f), "seesaw hinge");

    b2FrictionJointDef damper;
    damper.Initialize(pivot, plank, hinge);
    damper.maxForce = 0.0f;
    damper.maxTorque = 15.0f;
    scene.joint(damper, "seesaw damper");

    b2Body* crate = scene.body(b2_dynamicBody, hinge + b2Vec2(-3.8f, 0.75f), "crate");
    scene.box(crate, 0.6f, 0.6f, Material(0.4f));

    b2Body* cannonball = scene.body(b2_dynamicBody, hinge + b2Vec2(3.6f, 9.0f), "cannonball");
    scene.circle(cannonball, 0.6f, Material(4.0f, 0.6f, 0.1f));
}

// A jointed figure standing on the floor. Vexa puts the bodies named "ragdoll" to sleep when
// the scene loads, so it stands until something knocks it over. Its parts never collide with
// each other.
void AddRagdoll(SceneBuilder& scene, float x)
{
    b2FixtureDef flesh = Material(1.0f, 0.4f);
    flesh.filter.groupIndex = -1;
    std::vector<b2Body*> parts;
    const auto part = [&](b2Vec2 centre, float halfWidth, float halfHeight) {
        b2Body* body = scene.body(b2_dynamicBody, centre, "ragdoll");
        scene.box(body, halfWidth, halfHeight, flesh);
        parts.push_back(body);
        return body;
    };

    b2Body* torso = part(b2Vec2(x, 3.0f), 0.32f, 0.7f);
    b2Body* head = scene.body(b2_dynamicBody, b2Vec2(x, 4.05f), "ragdoll");
    scene.circle(head, 0.33f, flesh);
    parts.push_back(head);
    scene.joint(Hinge(torso, head, b2Vec2(x, 3.72f), -0.6f, 0.6f), "neck");

    for (float side : {-1.0f, 1.0f})
    {
        // Limits are given for the figure's right side (positive x); the left side mirrors them.
        const bool right = side > 0.0f;
        const auto hinge = [&](b2Body* a, b2Body* b, float anchorX, float anchorY, float lower, float upper,
                               const char* joint) {
            const std::string name = std::string(right ? "right " : "left ") + joint;
            scene.joint(Hinge(a, b, b2Vec2(x + anchorX * side, anchorY), right ? lower : -upper,
                              right ? upper : -lower),
                        name.c_str());
        };
        b2Body* upperArm = part(b2Vec2(x + 0.45f * side, 3.25f), 0.11f, 0.42f);
        b2Body* lowerArm = part(b2Vec2(x + 0.45f * side, 2.45f), 0.1f, 0.4f);
        b2Body* thigh = part(b2Vec2(x + 0.17f * side, 1.75f), 0.14f, 0.55f);
        b2Body* shin = part(b2Vec2(x + 0.17f * side, 0.6f), 0.12f, 0.6f);
        hinge(torso, upperArm, 0.45f, 3.6f, -0.3f, 2.8f, "shoulder");
        hinge(upperArm, lowerArm, 0.45f, 2.84f, -2.4f, 0.1f, "elbow");
        hinge(torso, thigh, 0.17f, 2.25f, -0.3f, 1.2f, "hip");
        hinge(thigh, shin, 0.17f, 1.2f, -1.8f, 0.05f, "knee");
    }
    // Stored asleep, as Vexa would put it anyway.
    for (b2Body* body : parts)
    {
        body->SetAwake(false);
    }
}

// A tower of crates under a roof, and the heavy ball on a rope, raised to the right, that
// knocks it down.
void AddTowerAndWreckingBall(SceneBuilder& scene)
{
    const float left = 5.0f;
    const float size = 1.2f;
    for (int row = 0; row < 4; ++row)
    {
        for (int column = 0; column < 2; ++column)
        {
            const b2Vec2 centre(left + size * (column + 0.5f) + 0.05f * column, size * (row + 0.5f));
            b2Body* crate = scene.body(b2_dynamicBody, centre, "tower");
            scene.box(crate, 0.5f * size, 0.5f * size, Material(1.0f));
        }
    }
    const float top = 4.0f * size;
    b2Body* roof = scene.body(b2_dynamicBody, b2Vec2(left + size, top), "tower");
    scene.polygon(roof, {{-1.5f, 0.0f}, {1.5f, 0.0f}, {0.0f, 1.1f}}, Material(0.6f));

    b2Body* crane = Mount(scene, b2Vec2(13.0f, 15.0f), "crane");
    scene.box(crane, 1.5f, 0.2f, Material(0.0f), b2Vec2(0.0f, 0.2f));
    const b2Vec2 start = Polar(crane->GetPosition(), 12.0f, -0.2f * k_pi);
    b2Body* ball = scene.body(b2_dynamicBody, start, "wrecking ball");
    ball->SetLinearDamping(0.05f);
    scene.circle(ball, 1.4f, Material(3.0f, 0.4f));
    scene.rope(crane, ball, crane->GetPosition(), start, "wrecking rope");
}

// A heavy and a light box over a pulley: the heavy one sinks to the floor, lifting the other.
void AddPulley(SceneBuilder& scene)
{
    b2Body* beam = Mount(scene, b2Vec2(23.0f, 40.0f), "pulley beam");
    scene.box(beam, 4.0f, 0.25f, Material(0.0f), b2Vec2(0.0f, 0.25f));
    const b2Vec2 topA(20.0f, 40.0f);
    const b2Vec2 topB(26.0f, 40.0f);
    b2Body* heavy = scene.body(b2_dynamicBody, b2Vec2(topA.x, 16.0f), "pulley box");
    scene.box(heavy, 0.8f, 0.8f, Material(1.25f));
    b2Body* light = scene.body(b2_dynamicBody, b2Vec2(topB.x, 4.0f), "pulley box");
    scene.box(light, 0.8f, 0.8f, Material(1.0f));

    b2PulleyJointDef pulley;
    pulley.Initialize(heavy, light, topA, topB, heavy->GetPosition() + b2Vec2(0.0f, 0.8f),
                      light->GetPosition() + b2Vec2(0.0f, 0.8f), 1.0f);
    scene.joint(pulley, "pulley");
}

// A hammer lying on the floor: handle and head welded together.
void AddHammer(SceneBuilder& scene)
{
    b2Body* handle = scene.body(b2_dynamicBody, b2Vec2(28.3f, 0.25f), "hammer");
    scene.box(handle, 2.4f, 0.25f, Material(0.8f));
    b2Body* head = scene.body(b2_dynamicBody, b2Vec2(31.2f, 1.0f), "hammer");
    scene.box(head, 0.5f, 1.0f, Material(3.0f));

    b2WeldJointDef weld;
    weld.Initialize(handle, head, b2Vec2(30.7f, 0.25f));
    scene.joint(weld, "hammer weld");
}

// Two meshing wheels on a frame: the big one turns on a motor, the gear joint turns the small
// one the other way, twice as fast.
void AddGears(SceneBuilder& scene)
{
    const auto wheel = [&](b2Vec2 centre, float radius, const char* name) {
        b2Body* body = scene.body(b2_dynamicBody, centre, name);
        scene.circle(body, radius, Material(1.0f));
        scene.box(body, 0.9f * radius, 0.12f, Material(1.0f));
        scene.box(body, 0.12f, 0.9f * radius, Material(1.0f));
        return body;
    };
    const b2Vec2 bigCentre(-24.0f, 21.0f);
    const b2Vec2 smallCentre(-20.4f, 21.0f);
    b2Body* frame = Mount(scene, bigCentre, "gear frame");
    b2Body* big = wheel(bigCentre, 2.4f, "big gear");
    b2Body* small = wheel(smallCentre, 1.2f, "small gear");

    b2RevoluteJointDef motor;
    motor.Initialize(frame, big, bigCentre);
    motor.enableMotor = true;
    motor.motorSpeed = 0.8f;
    motor.maxMotorTorque = 500.0f;
    b2Joint* bigAxle = scene.joint(motor, "big gear axle");
    b2RevoluteJointDef free;
    free.Initialize(frame, small, smallCentre);
    b2Joint* smallAxle = scene.joint(free, "small gear axle");

    const b2GearJointDef gear = Physics::CouplingGear(bigAxle, smallAxle, 0.5f);
    scene.joint(gear, "gears");
}

// Two bobs on rigid rods, released level: a double pendulum.
void AddDoublePendulum(SceneBuilder& scene)
{
    b2Body* mount = Mount(scene, b2Vec2(-12.0f, 38.0f), "pendulum mount");
    scene.box(mount, 0.6f, 0.15f, Material(0.0f), b2Vec2(0.0f, 0.15f));
    b2Body* previous = mount;
    b2Vec2 previousPoint = mount->GetPosition();
    for (int i = 1; i <= 2; ++i)
    {
        const b2Vec2 point = mount->GetPosition() + b2Vec2(4.0f * i, 0.0f);
        b2Body* bob = scene.body(b2_dynamicBody, point, "pendulum");
        scene.circle(bob, 0.5f, Material(2.0f));
        b2DistanceJointDef rod;
        rod.Initialize(previous, bob, previousPoint, point);
        scene.joint(rod, "pendulum rod");
        previous = bob;
        previousPoint = point;
    }
}

// A kinematic drum turning clockwise, with fins that lift its load.
void AddTumbler(SceneBuilder& scene)
{
    b2Body* tumbler = scene.body(b2_kinematicBody, b2Vec2(5.0f, 33.0f), "tumbler");
    tumbler->SetAngularVelocity(-0.5f);
    tumbler->SetSleepingAllowed(false);

    std::vector<b2Vec2> drum;
    for (int i = 0; i < 8; ++i)
    {
        drum.push_back(Polar(b2Vec2_zero, 5.5f, 0.125f * k_pi - i * 0.25f * k_pi));
    }
    scene.chain(tumbler, drum, true, Material(0.0f), "drum");
    scene.box(tumbler, 1.0f, 0.15f, Material(0.0f), b2Vec2(4.1f, 0.0f), "fin");
    scene.box(tumbler, 1.0f, 0.15f, Material(0.0f), b2Vec2(-4.1f, 0.0f), "fin");

    const b2Vec2 centre = tumbler->GetPosition();
    const b2FixtureDef load = Material(1.0f, 0.4f, 0.2f);
    for (int i = 0; i < 6; ++i)
    {
        b2Body* body = scene.body(b2_dynamicBody, centre + b2Vec2(-2.5f + 1.0f * i, -3.6f + 0.5f * (i % 2)));
        switch (i % 3)
        {
        case 0: scene.circle(body, 0.45f, load); break;
        case 1: scene.box(body, 0.4f, 0.4f, load); break;
        default: scene.polygon(body, {{-0.5f, -0.4f}, {0.5f, -0.4f}, {0.0f, 0.45f}}, load); break;
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '-')
    {
        std::cerr << "usage: make-default-scene OUT\n"
                     "writes Vexa's default scene (the playground of data/vexa.json) to OUT\n";
        return 2;
    }
    try
    {
        auto world = std::make_unique<b2World>(b2Vec2(0.0f, -10.0f));
        world->SetAllowSleeping(true);
        world->SetAutoClearForces(true);
        world->SetWarmStarting(true);
        world->SetContinuousPhysics(true);
        world->SetSubStepping(false);

        WorldDoc doc(true);
        SceneBuilder scene(world.get(), doc);
        AddRamp(scene, AddGround(scene));
        AddSpringPlatform(scene);
        AddCar(scene);
        AddSeesaw(scene);
        AddRagdoll(scene, 2.5f);
        AddTowerAndWreckingBall(scene);
        AddPulley(scene);
        AddHammer(scene);
        AddGears(scene);
        AddDoublePendulum(scene);
        AddTumbler(scene);

        if (!doc.writeToFile(world.get(), argv[1]))
        {
            std::cerr << "make-default-scene: could not write " << argv[1] << '\n';
            return 1;
        }
    }
    catch (const std::exception& e)
    {
        std::cerr << "make-default-scene: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
