// Names of bodies, fixtures and joints: the lookups, and their way into and out of documents.
#include "WorldDocTesting.h"

#include <algorithm>
#include <functional>

namespace
{

// The every-kind world, its bodies and first two joints in list order.
struct NamedScene
{
    std::unique_ptr<b2World> world = BuildEveryKindWorld();
    std::vector<b2Body*> bodies;
    b2Joint* joints[2] = {world->GetJointList(), world->GetJointList()->GetNext()};

    NamedScene()
    {
        for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        {
            bodies.push_back(body);
        }
    }
};

TEST(ObjectNames, LookupsFollowTheLatestNameAndListSharedNamesInPointerOrder)
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

    for (int i = 0; i < 3; ++i)
    {
        doc.setBodyName(scene.bodies[i], "twin");
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

TEST(ObjectNames, TravelThroughTheDocumentExactlyUnlessEmpty)
{
    NamedScene scene;
    WorldDoc out(true);
    const std::string awkward = "left \"wheel\"\\ \n\t\xC3\xA9t\xC3\xA9 \xF0\x9F\x9A\x97";
    b2Body* jointed = scene.joints[0]->GetBodyB();
    out.setBodyName(jointed, awkward.c_str());
    out.setBodyName(scene.bodies[0], "twin");
    out.setBodyName(scene.bodies[3], "twin");
    out.setFixtureName(scene.bodies[1]->GetFixtureList(), "tyre");
    out.setJointName(scene.joints[0], "axle");
    out.setBodyName(scene.bodies[1], "");
    out.setJointName(scene.joints[1], "");
    const std::string text = out.writeToString(scene.world.get());
    EXPECT_EQ(std::string::npos, text.find("\"name\" : \"\"")) << "empty names are not written";

    WorldDoc in(false);
    auto world = ReadWorld(in, text);
    ASSERT_TRUE(world);
    b2Body* named = in.getBodyByName(awkward);
    ASSERT_TRUE(named);
    EXPECT_EQ(jointed->GetPosition(), named->GetPosition());
    std::vector<b2Body*> twins;
    EXPECT_EQ(2, in.getBodiesByName("twin", twins));
    b2Fixture* tyre = in.getFixtureByName("tyre");
    ASSERT_TRUE(tyre);
    EXPECT_EQ(scene.bodies[1]->GetPosition(), tyre->GetBody()->GetPosition());
    b2Joint* axle = in.getJointByName("axle");
    ASSERT_TRUE(axle);
    EXPECT_EQ(scene.joints[0]->GetType(), axle->GetType());
    EXPECT_EQ(named, axle->GetBodyB());

    WorldDoc empty(false);
    ReadWorld(empty, R"({"body": [{"name": ""}]})");
    std::vector<std::string> names;
    EXPECT_EQ(0, empty.getAllBodyNames(names)) << "nor read";
}

}  // namespace
