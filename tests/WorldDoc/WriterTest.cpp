// Writing worlds as scene text: the exact layout, every member of every object kind, and safe
// replacement of files.
#include "WorldDocTesting.h"

#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Polygon.h"
#include "Physics/Springs.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

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

TEST(WorldWriter, DefaultWorldHasOnlyTheSixSettingsAndBodiesCarryTypeCommentFlagsMassAndNames)
{
    b2World world(b2Vec2(0.0f, -10.0f));
    EXPECT_EQ(Golden("empty_world.json"), WorldDoc(true).writeToString(&world));
    BodiesScene scene;
    EXPECT_EQ(Golden("bodies.json"), scene.names.writeToString(&scene.world));
}

// Shapes keep their stored vertex order. Springs are written as frequency and ratio, pulleys with their
// lengths, the mouse joint's target in world coordinates. Created last, the gear heads the world's
// joint list, yet it is written last.
TEST(WorldWriter, EveryShapeAndJointKindWithItsMembersAndTheGearLast)
{
    JointScene scene;
    // Fixtures are listed newest first, so they are created last to first.
    const b2Vec2 zigzag[] = {{0.5f, 0.0f}, {1.5f, 0.5f}, {2.5f, 0.0f}, {3.5f, 0.5f},
                             {4.5f, 0.0f}, {5.5f, 0.5f}, {6.5f, 0.0f}};
    b2ChainShape open;
    Physics::SetChain(open, zigzag, 7);
    AddFrictionless(scene.ground, open);

    const b2Vec2 square[] = {{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}};
    b2ChainShape loop;
    Physics::SetLoop(loop, square, 4);
    AddFrictionless(scene.ground, loop);

    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(0.0f, 0.0f), b2Vec2(2.0f, 0.0f));
    Physics::SetEdgeGhosts(AddFrictionless(scene.ground, edge),
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
    scene.ground->CreateFixture(&sensor);

    b2CircleShape circle;
    circle.m_radius = 0.5f;
    AddFrictionless(scene.ground, circle);
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

    const b2GearJointDef gear = Physics::CouplingGear(revolute, prismatic, 2.0f);
    b2Joint* gearJoint = Physics::CreateJoint(&scene.world, gear);

    EXPECT_EQ(Golden("shapes_and_joints.json"), scene.doc.writeToString(&scene.world));
    EXPECT_EQ(0, scene.doc.lookupJointIndex(revolute));
    EXPECT_EQ(9, scene.doc.lookupJointIndex(gearJoint));
    EXPECT_EQ(2, scene.doc.lookupBodyIndex(scene.bodyB));
}

TEST(WorldWriter, JointTypeTheFormatLacksIsReportedAndKeepsItsPlace)
{
    JointScene scene;
    b2MotorJointDef motor;
    motor.Initialize(scene.bodyA, scene.bodyB);
    Physics::CreateJoint(&scene.world, motor);

    Json::Value doc;
    EXPECT_EQ("Unknown joint type not stored in snapshot : 11\n", Printed([&] { doc = scene.doc.b2j(&scene.world); }));
    ASSERT_EQ(1u, doc["joint"].size());
    EXPECT_FALSE(doc["joint"][0].isMember("type"));
    EXPECT_EQ(1, doc["joint"][0]["bodyA"].asInt());
}

// Both layouts are JsonCpp's for names it escapes or longer than a line, and for vertex arrays of up
// to 31 elements with any number of hex (ten characters) rather than 0 (one) components: either
// side of JsonCpp's limit for keeping an array on one line. Read twice by one document, the text
// makes two independent worlds, and the second, once the first is gone, writes it again: every
// value bit for bit and every name on its object.
TEST(WorldDocRoundTrip, EveryKindAndAwkwardNamesWrittenAsJsonCppPrintsAndReadBackExactly)
{
    auto world = BuildEveryKindWorld();
    WorldDoc out(true);
    b2Body* bodies = world->GetBodyList();
    b2Joint* gear = world->GetJointList();
    out.setBodyName(gear->GetBodyB(), "say \"hi\"\\/\n\t\r\b\f\x01\x1f\x7f\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82");
    out.setBodyName(bodies, "twin");
    out.setBodyName(bodies->GetNext(), "twin");
    out.setBodyName(bodies->GetNext()->GetNext(), "");
    out.setFixtureName(bodies->GetFixtureList(), std::string(300, 'x').c_str());
    out.setJointName(gear, "gear");
    out.setJointName(gear->GetNext(), "");
    b2Body* chains = AddBody(*world, b2_staticBody, b2Vec2(0.0f, 0.0f));
    for (int count = 2; count <= 31; ++count)
    {
        for (int hex = 0; hex <= count; ++hex)
        {
            std::vector<b2Vec2> points;
            for (int i = 0; i < count; ++i)
            {
                points.emplace_back(i + 2.0f, i < hex ? 0.5f : 0.0f);
            }
            b2ChainShape chain;
            ASSERT_TRUE(Physics::SetChain(chain, points.data(), count));
            AddFrictionless(chains, chain);
        }
    }

    const Json::Value tree = out.b2j(world.get());
    const std::string text = out.writeToString(world.get());
    EXPECT_EQ(Json::StyledWriter().write(tree), text);
    EXPECT_EQ(std::string::npos, text.find("\"name\" : \"\"")) << "empty names are not written";
    const std::string path = testing::TempDir() + "every_kind.json";
    ASSERT_TRUE(out.writeToFile(world.get(), path.c_str()));
    std::ostringstream expected;
    Json::StyledStreamWriter("   ").write(expected, tree);
    EXPECT_EQ(expected.str(), ReadFile(path));
    std::remove(path.c_str());
    EXPECT_EQ(std::string(), out.writeToString(nullptr));

    WorldDoc in(false);
    auto first = ReadWorld(in, text);
    auto second = ReadWorld(in, text);
    ASSERT_TRUE(first && second);
    // The gear, read last, heads the joint list.
    auto* readGear = static_cast<b2GearJoint*>(second->GetJointList());
    ASSERT_EQ(e_gearJoint, readGear->GetType());
    EXPECT_EQ(second.get(), readGear->GetJoint1()->GetBodyA()->GetWorld());
    EXPECT_EQ(second.get(), readGear->GetJoint2()->GetBodyA()->GetWorld());
    first.reset();
    EXPECT_EQ(text, in.writeToString(second.get()));
}

// Files are replaced through a temporary file in the same directory.
TEST(WorldFileWriter, ReplacesThePreviousFileOnlyWhenTheWriteSucceeds)
{
    BodiesScene scene;
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / ("worlddoc-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string target = (folder / "scene.json").string();
    const std::string previous = "previous version";
    std::ofstream(target) << previous;
    const auto filesInDirectory = [&folder] {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    };

    // A file size limit makes the write fail part-way, as a full disk would.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit;
    getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 1024;  // below the scene's size, above the captured output's
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = true;
    std::string printed = Printed([&] { written = scene.names.writeToFile(&scene.world, target.c_str()); });
    setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ("Could not write file " + target + "; the previous file is unchanged\n", printed);
    EXPECT_EQ(1u, filesInDirectory()) << "the temporary file is removed";

    const std::string missing = (folder / "no-such-directory" / "scene.json").string();
    const std::string directory = (folder / "sub").string();
    std::filesystem::create_directory(directory);
    printed = Printed([&] {
        EXPECT_FALSE(scene.names.writeToFile(&scene.world, missing.c_str()));
        EXPECT_FALSE(scene.names.writeToFile(&scene.world, directory.c_str()));
        EXPECT_FALSE(scene.names.writeToFile(nullptr, target.c_str()));
        EXPECT_FALSE(scene.names.writeToFile(&scene.world, nullptr));
    });
    EXPECT_EQ("Could not open file " + missing + " for writing\nCould not write file " + directory +
                  "; the previous file is unchanged\n",
              printed);
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_EQ(previous, ReadFile(target));

    EXPECT_TRUE(scene.names.writeToFile(&scene.world, target.c_str()));
    EXPECT_EQ(Golden("bodies_file.json"), ReadFile(target));
    EXPECT_EQ(2u, filesInDirectory());
    std::filesystem::remove_all(folder);
}

}  // namespace
