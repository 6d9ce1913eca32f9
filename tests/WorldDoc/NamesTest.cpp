// Names of bodies, fixtures and joints: the lookups, and their way into and out of documents.
#include "WorldDocTesting.h"

#include "Physics/Create.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace
{

// Three bodies (with a circle each) joined by two distance joints.
struct NamedScene
{
    b2World world{b2Vec2(0.0f, 0.0f)};
    b2Body* bodies[3];
    b2Joint* joints[2];

    NamedScene()
    {
        b2CircleShape circle;
        circle.m_radius = 0.5f;
        for (int i = 0; i < 3; ++i)
        {
            b2BodyDef def;
            def.position.Set(2.0f * i, 0.0f);
            bodies[i] = world.CreateBody(&def);
            bodies[i]->CreateFixture(&circle, 0.0f);
        }
        for (int i = 0; i < 2; ++i)
        {
            b2DistanceJointDef def;
            def.Initialize(bodies[i], bodies[i + 1], bodies[i]->GetPosition(), bodies[i + 1]->GetPosition());
            joints[i] = Physics::CreateJoint(&world, def);
        }
    }
};

TEST(ObjectNames, SetReplaceAndLookUp)
{
    NamedScene scene;
    WorldDoc doc(true);
    EXPECT_EQ("", doc.getBodyName(scene.bodies[0]));
    doc.setBodyName(scene.bodies[0], "crate");
    doc.setBodyName(scene.bodies[0], "box");
    EXPECT_EQ("box", doc.getBodyName(scene.bodies[0]));
    EXPECT_EQ(scene.bodies[0], doc.getBodyByName("box"));
    EXPECT_EQ(nullptr, doc.getBodyByName("crate"));
    EXPECT_EQ(nullptr, doc.getBodyByName("Box")) << "names match exactly";

    doc.setFixtureName(scene.bodies[1]->GetFixtureList(), "rim");
    doc.setJointName(scene.joints[1], "link");
    EXPECT_EQ(scene.bodies[1]->GetFixtureList(), doc.getFixtureByName("rim"));
    EXPECT_EQ("link", doc.getJointName(scene.joints[1]));
    EXPECT_EQ("", doc.getJointName(scene.joints[0]));
}

TEST(ObjectNames, SharedNamesAreListedInPointerOrderAndAppended)
{
    NamedScene scene;
    WorldDoc doc(true);
    for (b2Body* body : scene.bodies)
    {
        doc.setBodyName(body, "twin");
    }
    doc.setBodyName(scene.bodies[1], "odd");

    std::vector<b2Body*> twins;
    EXPECT_EQ(2, doc.getBodiesByName("twin", twins));
    EXPECT_TRUE(std::is_sorted(twins.begin(), twins.end(), std::less<b2Body*>()));
    EXPECT_EQ(twins.front(), doc.getBodyByName("twin"));

    std::vector<b2Body*> held(3, nullptr);
    EXPECT_EQ(4, doc.getBodiesByName("odd", held));
    EXPECT_EQ(scene.bodies[1], held.back());

    std::vector<std::string> names{"earlier"};
    EXPECT_EQ(4, doc.getAllBodyNames(names));
    EXPECT_EQ(2, std::count(names.begin(), names.end(), "twin"));
}

TEST(ObjectNames, TravelThroughTheDocumentExactly)
{
    NamedScene scene;
    WorldDoc out(true);
    const std::string awkward = "left \"wheel\"\\ \n\t\xC3\xA9t\xC3\xA9 \xF0\x9F\x9A\x97";
    out.setBodyName(scene.bodies[0], awkward.c_str());
    out.setBodyName(scene.bodies[2], "twin");
    out.setBodyName(scene.bodies[1], "twin");
    out.setFixtureName(scene.bodies[2]->GetFixtureList(), "tyre");
    out.setJointName(scene.joints[0], "axle");
    const std::string text = out.writeToString(&scene.world);

    WorldDoc in(false);
    auto world = ReadWorld(in, text);
    ASSERT_TRUE(world);
    b2Body* named = in.getBodyByName(awkward);
    ASSERT_TRUE(named);
    EXPECT_EQ(b2Vec2(0.0f, 0.0f), named->GetPosition());
    std::vector<b2Body*> twins;
    EXPECT_EQ(2, in.getBodiesByName("twin", twins));
    b2Fixture* tyre = in.getFixtureByName("tyre");
    ASSERT_TRUE(tyre);
    EXPECT_EQ(b2Vec2(4.0f, 0.0f), tyre->GetBody()->GetPosition());
    b2Joint* axle = in.getJointByName("axle");
    ASSERT_TRUE(axle);
    EXPECT_EQ(named, axle->GetBodyA());
}

TEST(ObjectNames, EmptyNameIsNeitherWrittenNorRead)
{
    NamedScene scene;
    WorldDoc out(true);
    out.setBodyName(scene.bodies[0], "");
    out.setJointName(scene.joints[0], "");
    // The world lists bodies and joints newest first.
    const Json::Value doc = out.b2j(&scene.world);
    EXPECT_FALSE(doc["body"][2].isMember("name"));
    EXPECT_FALSE(doc["joint"][1].isMember("name"));

    WorldDoc in(false);
    auto world = ReadWorld(in, R"({"body": [{"name": ""}]})");
    std::vector<std::string> names;
    EXPECT_EQ(0, in.getAllBodyNames(names));
}

}  // namespace
