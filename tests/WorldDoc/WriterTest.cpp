// Writing worlds as scene text: the exact layout, every member of every object kind, and safe
// replacement of files.
#include "WorldDocTesting.h"

#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Polygon.h"
#include "Physics/Springs.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

using namespace WorldDocTesting;

namespace
{

b2Body* AddBody(b2World& world, b2BodyType type, b2Vec2 position)
{
    b2BodyDef def;
    def.type = type;
    def.position = position;
    return world.CreateBody(&def);
}

b2Fixture* AddFrictionless(b2Body* body, const b2Shape& shape)
{
    b2FixtureDef def;
    def.shape = &shape;
    def.friction = 0.0f;
    return body->CreateFixture(&def);
}

// Bodies are listed newest first, so they are created last to first.
struct BodiesScene
{
    b2World world{b2Vec2(0.0f, 0.0f)};
    b2Body* ball = nullptr;
    WorldDoc names{true};

    BodiesScene()
    {
        b2BodyDef inactive;
        inactive.type = b2_kinematicBody;
        inactive.position.Set(0.0f, 1.0f);
        inactive.angularVelocity = 1.0f;
        inactive.enabled = false;
        world.CreateBody(&inactive);

        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(1.5f, -10.0f);
        def.angle = 0.2f;
        def.linearDamping = 0.5f;
        def.gravityScale = 0.25f;
        def.bullet = true;
        def.allowSleep = false;
        ball = world.CreateBody(&def);
        b2CircleShape circle;
        circle.m_radius = 0.5f;
        circle.m_p.Set(0.25f, 0.0f);
        b2FixtureDef skin;
        skin.shape = &circle;
        skin.density = 1.0f;
        skin.friction = 0.0f;
        skin.restitution = 0.5f;
        b2Fixture* fixture = ball->CreateFixture(&skin);
        const b2MassData mass{2.0f, b2Vec2(0.0f, 0.5f), 3.0f};
        ball->SetMassData(&mass);
        // After the mass changes, which move the centre of mass and with it the velocity.
        ball->SetLinearVelocity(b2Vec2(1.0f, 0.0f));
        ball->SetAngularVelocity(-10.0f);

        const b2BodyDef ground;
        world.CreateBody(&ground);
        names.setBodyName(ball, "ball");
        names.setFixtureName(fixture, "skin");
    }
};

// A static ground at the origin and two dynamic bodies without fixtures (so without mass) at
// (2, 0) and (0, 3).
struct JointScene
{
    b2World world{b2Vec2(0.0f, 0.0f)};
    b2Body* bodyB = AddBody(world, b2_dynamicBody, b2Vec2(0.0f, 3.0f));
    b2Body* bodyA = AddBody(world, b2_dynamicBody, b2Vec2(2.0f, 0.0f));
    b2Body* ground = AddBody(world, b2_staticBody, b2Vec2(0.0f, 0.0f));
    WorldDoc doc{true};
};

TEST(WorldWriter, DefaultWorldWithoutObjectsHasOnlyTheSixSettings)
{
    b2World world(b2Vec2(0.0f, -10.0f));
    EXPECT_EQ(Golden("empty_world.json"), WriteWorld(&world));
}

TEST(WorldWriter, BodiesCarryTypeCommentFlagsMassAndNames)
{
    BodiesScene scene;
    EXPECT_EQ(Golden("bodies.json"), scene.names.writeToString(&scene.world));
}

TEST(WorldWriter, EveryShapeKindInStoredVertexOrder)
{
    b2World world(b2Vec2(0.0f, 0.0f));
    b2Body* ground = AddBody(world, b2_staticBody, b2Vec2(0.0f, 0.0f));
    // Fixtures are listed newest first, so they are created last to first.
    const b2Vec2 zigzag[] = {{0.5f, 0.0f}, {1.5f, 0.5f}, {2.5f, 0.0f}, {3.5f, 0.5f},
                             {4.5f, 0.0f}, {5.5f, 0.5f}, {6.5f, 0.0f}};
    b2ChainShape open;
    Physics::SetChain(open, zigzag, 7);
    AddFrictionless(ground, open);

    const b2Vec2 square[] = {{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}};
    b2ChainShape loop;
    Physics::SetLoop(loop, square, 4);
    AddFrictionless(ground, loop);

    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(0.0f, 0.0f), b2Vec2(2.0f, 0.0f));
    Physics::SetEdgeGhosts(AddFrictionless(ground, edge),
                           Physics::EdgeGhosts{true, true, b2Vec2(-1.0f, 0.0f), b2Vec2(3.0f, 1.0f)});

    const b2Vec2 corners[] = {{0.0f, 0.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
    b2PolygonShape unit;
    Physics::SetPolygon(unit, corners, 4);
    b2FixtureDef sensor;
    sensor.shape = &unit;
    sensor.isSensor = true;
    sensor.filter.categoryBits = 2;
    sensor.filter.maskBits = 0xFFFD;
    sensor.filter.groupIndex = -1;
    ground->CreateFixture(&sensor);

    b2CircleShape circle;
    circle.m_radius = 0.5f;
    AddFrictionless(ground, circle);

    EXPECT_EQ(Golden("shapes.json"), WriteWorld(&world));
}

TEST(WorldWriter, RevolutePrismaticAndGearLast)
{
    JointScene scene;
    b2PrismaticJointDef slide;
    slide.Initialize(scene.ground, scene.bodyB, b2Vec2(0.0f, 3.0f), b2Vec2(0.0f, 1.0f));
    slide.lowerTranslation = -1.0f;
    slide.upperTranslation = 1.0f;
    slide.collideConnected = true;
    b2Joint* prismatic = Physics::CreateJoint(&scene.world, slide);

    b2RevoluteJointDef axle;
    axle.Initialize(scene.ground, scene.bodyA, b2Vec2(2.0f, 0.0f));
    axle.referenceAngle = 0.5f;
    axle.enableLimit = true;
    axle.lowerAngle = -0.5f;
    axle.upperAngle = 0.25f;
    axle.enableMotor = true;
    axle.motorSpeed = 2.0f;
    axle.maxMotorTorque = 10.0f;
    b2Joint* revolute = Physics::CreateJoint(&scene.world, axle);
    scene.doc.setJointName(revolute, "axle");

    // Created last, the gear heads the world's joint list, yet it is written last.
    b2GearJointDef gear;
    gear.bodyA = scene.bodyA;
    gear.bodyB = scene.bodyB;
    gear.joint1 = revolute;
    gear.joint2 = prismatic;
    gear.ratio = 2.0f;
    b2Joint* gearJoint = Physics::CreateJoint(&scene.world, gear);

    EXPECT_EQ(Golden("joints_gear.json"), scene.doc.writeToString(&scene.world));
    EXPECT_EQ(0, scene.doc.lookupJointIndex(revolute));
    EXPECT_EQ(2, scene.doc.lookupJointIndex(gearJoint));
    EXPECT_EQ(2, scene.doc.lookupBodyIndex(scene.bodyB));
}

TEST(WorldWriter, SpringsAsFrequencyAndRatioPulleyLengthsMouseInWorldCoordinates)
{
    JointScene scene;
    b2MouseJointDef mouse;
    mouse.bodyA = scene.ground;
    mouse.bodyB = scene.bodyA;
    mouse.target.Set(2.0f, 0.5f);
    mouse.maxForce = 100.0f;
    b2Joint* mouseJoint = Physics::CreateJoint(&scene.world, mouse);
    Physics::SetSpring(mouseJoint, 5.0f, 0.7f);
    static_cast<b2MouseJoint*>(mouseJoint)->SetTarget(b2Vec2(3.0f, 0.5f));

    b2PulleyJointDef pulley;
    pulley.Initialize(scene.bodyA, scene.bodyB, b2Vec2(2.0f, 4.0f), b2Vec2(3.0f, 7.0f), b2Vec2(2.0f, 0.0f),
                      b2Vec2(0.0f, 3.0f), 0.5f);
    Physics::CreateJoint(&scene.world, pulley);

    b2DistanceJointDef distance;
    distance.bodyA = scene.bodyA;
    distance.bodyB = scene.bodyB;
    distance.length = 5.0f;
    Physics::SetSpring(Physics::CreateJoint(&scene.world, distance), 4.0f, 0.5f);

    EXPECT_EQ(Golden("joints_spring.json"), scene.doc.writeToString(&scene.world));
}

TEST(WorldWriter, WheelWeldFrictionAndRope)
{
    JointScene scene;
    Physics::RopeJointDef rope;
    rope.bodyA = scene.bodyA;
    rope.bodyB = scene.bodyB;
    rope.maxLength = 6.0f;
    rope.collideConnected = true;
    scene.doc.setJointName(Physics::CreateRopeJoint(&scene.world, rope), "tether");

    b2FrictionJointDef friction;
    friction.Initialize(scene.ground, scene.bodyB, b2Vec2(0.0f, 3.0f));
    friction.maxForce = 1.0f;
    friction.maxTorque = 0.5f;
    Physics::CreateJoint(&scene.world, friction);

    b2WeldJointDef weld;
    weld.Initialize(scene.bodyA, scene.bodyB, b2Vec2(2.0f, 0.0f));
    weld.referenceAngle = 0.5f;
    Physics::CreateJoint(&scene.world, weld);

    b2WheelJointDef wheel;
    wheel.Initialize(scene.ground, scene.bodyA, b2Vec2(2.0f, 0.0f), b2Vec2(0.0f, 1.0f));
    wheel.enableMotor = true;
    wheel.motorSpeed = -1.0f;
    wheel.maxMotorTorque = 20.0f;
    Physics::SetSpring(Physics::CreateJoint(&scene.world, wheel), 2.0f, 0.25f);

    EXPECT_EQ(Golden("joints_other.json"), scene.doc.writeToString(&scene.world));
}

TEST(WorldWriter, JointTypeTheFormatLacksIsReportedAndKeepsItsPlace)
{
    JointScene scene;
    b2MotorJointDef motor;
    motor.Initialize(scene.bodyA, scene.bodyB);
    Physics::CreateJoint(&scene.world, motor);

    CapturedOutput output;
    const Json::Value doc = scene.doc.b2j(&scene.world);
    EXPECT_EQ("Unknown joint type not stored in snapshot : 11\n", output.text());
    ASSERT_EQ(1u, doc["joint"].size());
    EXPECT_FALSE(doc["joint"][0].isMember("type"));
    EXPECT_EQ(1, doc["joint"][0]["bodyA"].asInt());
}

TEST(WorldWriter, TextIsExactlyWhatJsonCppPrintsForTheTree)
{
    auto world = BuildEveryKindWorld();
    WorldDoc doc(true);
    // Names exercise JsonCpp's escaping: quotes, backslash, control and non-ASCII characters.
    doc.setBodyName(world->GetBodyList(), "say \"hi\"\\\n\t\xC3\xA9\xF0\x9F\x99\x82");
    doc.setFixtureName(world->GetBodyList()->GetFixtureList(), "/slash/");
    doc.setJointName(world->GetJointList(), "gear");

    const Json::Value tree = doc.b2j(world.get());
    Json::StyledWriter writer;
    EXPECT_EQ(writer.write(tree), doc.writeToString(world.get()));

    const std::string path = testing::TempDir() + "every_kind.json";
    ASSERT_TRUE(doc.writeToFile(world.get(), path.c_str()));
    std::ostringstream expected;
    Json::StyledStreamWriter("   ").write(expected, tree);
    EXPECT_EQ(expected.str(), ReadFile(path));
    std::remove(path.c_str());
    EXPECT_EQ(std::string(), doc.writeToString(nullptr));
}

// Seeded random worlds for comparing the text layout with JsonCpp's. Vertex lists vary in
// length and in how many components are 0 (one character) rather than hex (ten), so that the
// arrays fall on both sides of JsonCpp's decision to keep an array on one line.
class RandomWorld
{
public:
    explicit RandomWorld(unsigned seed) : m_random(seed), world(b2Vec2(0.0f, 0.0f))
    {
        world.SetGravity(vector());
        world.SetAllowSleeping(chance(0.5));
        world.SetAutoClearForces(chance(0.5));
        world.SetWarmStarting(chance(0.5));
        world.SetContinuousPhysics(chance(0.5));
        world.SetSubStepping(chance(0.5));
        const int bodies = chance(0.1) ? 0 : integer(1, 12);
        for (int i = 0; i < bodies; ++i)
        {
            addBody();
        }
        if (m_bodies.size() >= 2)
        {
            for (int i = integer(0, 12); i > 0; --i)
            {
                addJoint();
            }
            for (int i = integer(0, 4); i > 0 && m_gearable.size() >= 2; --i)
            {
                addGear();
            }
        }
    }

    std::mt19937 m_random;
    b2World world;
    WorldDoc doc{true};

private:
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    float between(float low, float high) { return std::uniform_real_distribution<float>(low, high)(m_random); }

    // 0 and 1 are written as integers, everything else as hex.
    float number()
    {
        switch (integer(0, 5))
        {
        case 0:
            return 0.0f;
        case 1:
            return 1.0f;
        case 2:
            return between(-1.0e-20f, 1.0e-20f);
        default:
            return between(-100.0f, 100.0f);
        }
    }
    float magnitude() { return std::fabs(number()); }
    b2Vec2 vector() { return chance(0.2) ? b2Vec2(0.0f, 0.0f) : b2Vec2(number(), number()); }
    float coordinate() { return chance(0.3) ? 0.0f : between(-5.0f, 5.0f); }

    // Characters JsonCpp escapes or passes through, now and then a name longer than a line.
    std::string name()
    {
        static const std::vector<std::string> pieces = {
            "a", "Z", "7", " ", "_", "\"", "\\", "/", "\n", "\t", "\r", "\b", "\f", "\x01", "\x1f", "\x7f",
            "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x99\x82"};
        std::string text;
        const int length = chance(0.1) ? integer(100, 400) : integer(0, 12);
        for (int i = 0; i < length; ++i)
        {
            text += pieces[static_cast<std::size_t>(integer(0, static_cast<int>(pieces.size()) - 1))];
        }
        return text;
    }

    void addBody()
    {
        b2BodyDef def;
        def.type = static_cast<b2BodyType>(std::min(integer(0, 3), 2));  // dynamic half the time
        def.position = vector();
        def.angle = number();
        def.linearVelocity = vector();
        def.angularVelocity = number();
        def.linearDamping = chance(0.5) ? 0.0f : magnitude();
        def.angularDamping = chance(0.5) ? 0.0f : magnitude();
        def.gravityScale = chance(0.5) ? 1.0f : number();
        def.allowSleep = chance(0.7);
        def.awake = chance(0.5);
        def.fixedRotation = chance(0.2);
        def.bullet = chance(0.2);
        def.enabled = chance(0.8);
        b2Body* body = Physics::CreateBody(&world, def);
        ASSERT_NE(nullptr, body);
        m_bodies.push_back(body);
        doc.setBodyName(body, name().c_str());
        for (int i = chance(0.2) ? 0 : integer(1, 4); i > 0; --i)
        {
            addFixture(body);
        }
        if (def.type == b2_dynamicBody && chance(0.5))
        {
            const b2Vec2 center = chance(0.3) ? b2Vec2(0.0f, 0.0f) : b2Vec2(coordinate(), coordinate());
            const float mass = between(0.1f, 10.0f);
            const b2MassData massData{mass, center, mass * center.LengthSquared() + between(0.1f, 10.0f)};
            EXPECT_TRUE(Physics::SetMassData(body, massData));
        }
    }

    std::vector<b2Vec2> walk(int count)
    {
        // Steps of at least 0.1 keep neighbours apart, as chains require.
        std::vector<b2Vec2> points{b2Vec2(coordinate(), coordinate())};
        while (static_cast<int>(points.size()) < count)
        {
            const b2Vec2 step(chance(0.3) ? 0.0f : between(0.1f, 2.0f), chance(0.3) ? 0.0f : between(0.1f, 2.0f));
            points.push_back(points.back() + (step.LengthSquared() > 0.0f ? step : b2Vec2(1.0f, 0.0f)));
        }
        return points;
    }

    void addFixture(b2Body* body)
    {
        b2FixtureDef def;
        def.density = chance(0.3) ? 0.0f : between(0.1f, 5.0f);
        def.friction = chance(0.3) ? 0.0f : magnitude();
        def.restitution = chance(0.5) ? 0.0f : magnitude();
        def.isSensor = chance(0.2);
        def.filter.categoryBits = chance(0.5) ? 1 : static_cast<uint16>(integer(0, 0xFFFF));
        def.filter.maskBits = chance(0.5) ? 0xFFFF : static_cast<uint16>(integer(0, 0xFFFF));
        def.filter.groupIndex = chance(0.5) ? 0 : static_cast<int16>(integer(-0x8000, 0x7FFF));

        b2CircleShape circle;
        b2EdgeShape edge;
        b2PolygonShape polygon;
        b2ChainShape chain;
        const int kind = integer(0, 3);
        const bool loop = chance(0.5);
        if (kind == 0)
        {
            circle.m_p = chance(0.3) ? b2Vec2(0.0f, 0.0f) : b2Vec2(coordinate(), coordinate());
            circle.m_radius = between(0.05f, 3.0f);
            def.shape = &circle;
        }
        else if (kind == 1)
        {
            const std::vector<b2Vec2> ends = walk(2);
            edge.SetTwoSided(ends[0], ends[1]);
            def.shape = &edge;
        }
        else if (kind == 2)
        {
            std::vector<b2Vec2> points(static_cast<std::size_t>(integer(3, 8)));
            for (b2Vec2& point : points)
            {
                point.Set(coordinate(), coordinate());
            }
            if (!Physics::SetPolygon(polygon, points.data(), static_cast<int>(points.size())))
            {
                return;
            }
            def.shape = &polygon;
        }
        else
        {
            // Up to 30 points: stored vertex lists of 2 to 31 elements.
            const std::vector<b2Vec2> points = walk(integer(loop ? 3 : 2, 30));
            const bool made = loop ? Physics::SetLoop(chain, points.data(), static_cast<int>(points.size()))
                                   : Physics::SetChain(chain, points.data(), static_cast<int>(points.size()));
            if (!made)
            {
                return;
            }
            def.shape = &chain;
        }
        b2Fixture* fixture = Physics::CreateFixture(body, def);
        if (!fixture)
        {
            return;
        }
        doc.setFixtureName(fixture, name().c_str());
        if (kind == 1)
        {
            EXPECT_TRUE(Physics::SetEdgeGhosts(fixture, {chance(0.5), chance(0.5), vector(), vector()}));
        }
        else if (kind == 3 && !loop)
        {
            EXPECT_TRUE(Physics::SetChainGhosts(fixture, {chance(0.5), chance(0.5), vector(), vector()}));
        }
    }

    template <typename Def>
    void pickBodies(Def& def)
    {
        const int a = integer(0, static_cast<int>(m_bodies.size()) - 1);
        const int b = (a + integer(1, static_cast<int>(m_bodies.size()) - 1)) % static_cast<int>(m_bodies.size());
        def.bodyA = m_bodies[static_cast<std::size_t>(a)];
        def.bodyB = m_bodies[static_cast<std::size_t>(b)];
        def.collideConnected = chance(0.3);
    }

    // A definition between two bodies, with anchors in each body's frame.
    template <typename Def>
    Def anchored()
    {
        Def def;
        pickBodies(def);
        def.localAnchorA = vector();
        def.localAnchorB = vector();
        return def;
    }

    b2Joint* create(const b2JointDef& def)
    {
        b2Joint* joint = Physics::CreateJoint(&world, def);
        if (joint)
        {
            doc.setJointName(joint, name().c_str());
        }
        return joint;
    }

    void spring(b2Joint* joint)
    {
        if (joint)
        {
            EXPECT_TRUE(Physics::SetSpring(joint, chance(0.3) ? 0.0f : between(0.1f, 10.0f), magnitude()));
        }
    }

    void addJoint()
    {
        const float lower = number();
        const float upper = lower + magnitude();
        // Revolute and prismatic joints twice as often: gears need them.
        switch (integer(0, 11) % 10)
        {
        case 0:
        {
            auto def = anchored<b2RevoluteJointDef>();
            def.referenceAngle = number();
            def.enableLimit = chance(0.5);
            def.lowerAngle = lower;
            def.upperAngle = upper;
            def.enableMotor = chance(0.5);
            def.motorSpeed = number();
            def.maxMotorTorque = magnitude();
            keepGearable(create(def));
            break;
        }
        case 1:
        {
            auto def = anchored<b2PrismaticJointDef>();
            def.localAxisA = chance(0.3) ? b2Vec2(1.0f, 0.0f) : b2Vec2(between(0.1f, 1.0f), number());
            def.referenceAngle = number();
            def.enableLimit = chance(0.5);
            def.lowerTranslation = lower;
            def.upperTranslation = upper;
            def.enableMotor = chance(0.5);
            def.motorSpeed = number();
            def.maxMotorForce = magnitude();
            keepGearable(create(def));
            break;
        }
        case 2:
        {
            auto def = anchored<b2DistanceJointDef>();
            def.length = between(0.1f, 10.0f);
            spring(create(def));
            break;
        }
        case 3:
        {
            auto def = anchored<b2PulleyJointDef>();
            def.groundAnchorA = vector();
            def.groundAnchorB = vector();
            def.lengthA = magnitude();
            def.lengthB = magnitude();
            def.ratio = between(0.1f, 4.0f);
            create(def);
            break;
        }
        case 4:
        {
            b2MouseJointDef def;
            pickBodies(def);
            def.target = vector();
            def.maxForce = magnitude();
            b2Joint* joint = create(def);
            spring(joint);
            if (joint)
            {
                static_cast<b2MouseJoint*>(joint)->SetTarget(vector());
            }
            break;
        }
        case 5:
        {
            auto def = anchored<b2WheelJointDef>();
            def.localAxisA = chance(0.3) ? b2Vec2(0.0f, 1.0f) : b2Vec2(number(), between(0.1f, 1.0f));
            def.enableMotor = chance(0.5);
            def.motorSpeed = number();
            def.maxMotorTorque = magnitude();
            spring(create(def));
            break;
        }
        case 6:
        {
            auto def = anchored<b2WeldJointDef>();
            def.referenceAngle = number();
            spring(create(def));
            break;
        }
        case 7:
        {
            auto def = anchored<b2FrictionJointDef>();
            def.maxForce = magnitude();
            def.maxTorque = magnitude();
            create(def);
            break;
        }
        default:
        {
            auto def = anchored<Physics::RopeJointDef>();
            def.maxLength = between(0.0f, 10.0f);
            b2Joint* joint = Physics::CreateRopeJoint(&world, def);
            if (joint)
            {
                doc.setJointName(joint, name().c_str());
            }
        }
        }
    }

    // A gear couples two of these that move different dynamic bodies.
    void keepGearable(b2Joint* joint)
    {
        if (joint && joint->GetBodyB()->GetType() == b2_dynamicBody)
        {
            m_gearable.push_back(joint);
        }
    }

    void addGear()
    {
        b2GearJointDef def;
        pickBodies(def);
        const auto pick = [this] {
            return m_gearable[static_cast<std::size_t>(integer(0, static_cast<int>(m_gearable.size()) - 1))];
        };
        def.joint1 = pick();
        def.joint2 = pick();
        if (def.joint1->GetBodyB() == def.joint2->GetBodyB())
        {
            return;
        }
        def.ratio = chance(0.3) ? 1.0f : number();
        EXPECT_NE(nullptr, create(def));
    }

    std::vector<b2Body*> m_bodies;
    std::vector<b2Joint*> m_gearable;
};

TEST(WorldWriter, RandomWorldsAreLaidOutExactlyAsJsonCppLaysOutTheirTrees)
{
    const std::string path = testing::TempDir() + "random_world.json";
    for (unsigned seed = 1; seed <= 100; ++seed)
    {
        RandomWorld random(seed);
        WorldDoc& doc = random.doc;
        const Json::Value tree = doc.b2j(&random.world);
        ASSERT_EQ(Json::StyledWriter().write(tree), doc.writeToString(&random.world)) << "seed " << seed;
        ASSERT_TRUE(doc.writeToFile(&random.world, path.c_str())) << "seed " << seed;
        std::ostringstream expected;
        Json::StyledStreamWriter("   ").write(expected, tree);
        ASSERT_EQ(expected.str(), ReadFile(path)) << "seed " << seed;
    }
    std::remove(path.c_str());
}

// Files are replaced through a temporary file in the same directory.
class WorldFileWriter : public testing::Test
{
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::path(testing::TempDir()) / ("worlddoc-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_directory);
        m_target = (m_directory / "scene.json").string();
        std::FILE* file = std::fopen(m_target.c_str(), "w");
        std::fputs(kPrevious, file);
        std::fclose(file);
    }

    void TearDown() override { std::filesystem::remove_all(m_directory); }

    std::size_t filesInDirectory() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_directory),
                                                      std::filesystem::directory_iterator()));
    }

    static constexpr const char* kPrevious = "previous version";
    std::filesystem::path m_directory;
    std::string m_target;
    BodiesScene m_scene;
};

TEST_F(WorldFileWriter, ReplacesThePreviousFileWithTheStreamLayout)
{
    EXPECT_TRUE(m_scene.names.writeToFile(&m_scene.world, m_target.c_str()));
    EXPECT_EQ(Golden("bodies_file.json"), ReadFile(m_target));
    EXPECT_EQ(1u, filesInDirectory());
}

TEST_F(WorldFileWriter, FailedWriteKeepsThePreviousFile)
{
    // A file size limit makes the write fail part-way, as a full disk would.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit;
    getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 1024;  // below the scene's size, above the captured output's
    setrlimit(RLIMIT_FSIZE, &small);

    CapturedOutput output;
    const bool written = m_scene.names.writeToFile(&m_scene.world, m_target.c_str());
    const std::string printed = output.text();

    setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ("Could not write file " + m_target + "; the previous file is unchanged\n", printed);
    EXPECT_EQ(kPrevious, ReadFile(m_target));
    EXPECT_EQ(1u, filesInDirectory()) << "the temporary file is removed";
}

TEST_F(WorldFileWriter, UnwritableTargetsAreReportedAndTouchNothing)
{
    const std::string missing = (m_directory / "no-such-directory" / "scene.json").string();
    const std::string directory = (m_directory / "sub").string();
    std::filesystem::create_directory(directory);
    CapturedOutput output;
    EXPECT_FALSE(m_scene.names.writeToFile(&m_scene.world, missing.c_str()));
    EXPECT_FALSE(m_scene.names.writeToFile(&m_scene.world, directory.c_str()));
    EXPECT_FALSE(m_scene.names.writeToFile(nullptr, m_target.c_str()));
    EXPECT_FALSE(m_scene.names.writeToFile(&m_scene.world, nullptr));
    EXPECT_EQ("Could not open file " + missing + " for writing\n"
              "Could not write file " + directory + "; the previous file is unchanged\n",
              output.text());
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_EQ(kPrevious, ReadFile(m_target));
    EXPECT_EQ(2u, filesInDirectory());
}

}  // namespace
