// Names of bodies, fixtures and joints and their lookups. Names written and read back are checked
// with every other member in WorldDocRoundTrip.
#include "WorldDocTesting.h"

#include <algorithm>
#include <functional>

namespace
{

TEST(ObjectNames, LookupsFollowTheLatestNameAndListSharedNamesInPointerOrder)
{
    auto world = BuildEveryKindWorld();
    b2Body* first = world->GetBodyList();
    b2Body* second = first->GetNext();
    b2Joint* joint = world->GetJointList();
    WorldDoc doc(true);
    EXPECT_EQ("", doc.getBodyName(first));
    doc.setBodyName(first, "crate");
    doc.setBodyName(first, "box");
    EXPECT_EQ("box", doc.getBodyName(first));
    EXPECT_EQ(first, doc.getBodyByName("box"));
    EXPECT_EQ(nullptr, doc.getBodyByName("crate"));
    EXPECT_EQ(nullptr, doc.getBodyByName("Box")) << "names match exactly";
    doc.setFixtureName(second->GetFixtureList(), "rim");
    doc.setJointName(joint->GetNext(), "link");
    EXPECT_EQ(second->GetFixtureList(), doc.getFixtureByName("rim"));
    EXPECT_EQ("link", doc.getJointName(joint->GetNext()));
    EXPECT_EQ("", doc.getJointName(joint));

    for (b2Body* body : {first, second, second->GetNext()})
    {
        doc.setBodyName(body, "twin");
    }
    doc.setBodyName(second, "odd");

    std::vector<b2Body*> twins;
    EXPECT_EQ(2, doc.getBodiesByName("twin", twins));
    EXPECT_TRUE(std::is_sorted(twins.begin(), twins.end(), std::less<b2Body*>()));
    EXPECT_EQ(twins.front(), doc.getBodyByName("twin"));

    std::vector<b2Body*> held(3, nullptr);
    EXPECT_EQ(4, doc.getBodiesByName("odd", held));
    EXPECT_EQ(second, held.back());

    std::vector<std::string> names{"earlier"};
    EXPECT_EQ(4, doc.getAllBodyNames(names));
    EXPECT_EQ(2, std::count(names.begin(), names.end(), "twin"));
}

TEST(ObjectNames, ADocumentReadTwiceHoldsOnlyTheSecondWorldsNames)
{
    auto named = BuildEveryKindWorld();
    WorldDoc writer(true);
    writer.setBodyName(named->GetBodyList(), "crate");
    writer.setFixtureName(named->GetBodyList()->GetFixtureList(), "lid");
    writer.setJointName(named->GetJointList(), "hinge");
    const std::string namedText = writer.writeToString(named.get());
    b2World empty(b2Vec2(0.0f, -10.0f));
    const std::string emptyText = writer.writeToString(&empty);

    WorldDoc doc(false);
    std::unique_ptr<b2World> first(doc.readFromString(namedText));
    std::vector<std::string> bodyNames;
    ASSERT_EQ(1, doc.getAllBodyNames(bodyNames));
    first.reset();
    std::unique_ptr<b2World> second(doc.readFromString(emptyText));
    ASSERT_NE(second, nullptr);
    std::vector<std::string> fixtureNames;
    std::vector<std::string> jointNames;
    bodyNames.clear();
    EXPECT_EQ(0, doc.getAllBodyNames(bodyNames) + doc.getAllFixtureNames(fixtureNames) +
                     doc.getAllJointNames(jointNames));
}

}  // namespace
