#include "Tests/TestEntries.h"

#include "Tests/ApplyForce.h"
#include "Tests/BodyTypes.h"
#include "Tests/Breakable.h"
#include "Tests/Bridge.h"
#include "Tests/BulletTest.h"
#include "Tests/Cantilever.h"
#include "Tests/Car.h"
#include "Tests/Chain.h"
#include "Tests/CharacterCollision.h"
#include "Tests/CollisionFiltering.h"
#include "Tests/CollisionProcessing.h"
#include "Tests/CompoundShapes.h"
#include "Tests/Confined.h"
#include "Tests/ContinuousTest.h"
#include "Tests/DistanceTest.h"
#include "Tests/Dominos.h"
#include "Tests/DynamicTreeTest.h"
#include "Tests/EdgeShapes.h"
#include "Tests/EdgeTest.h"
#include "Tests/Gears.h"
#include "Tests/OneSidedPlatform.h"
#include "Tests/Pinball.h"
#include "Tests/PolyCollision.h"
#include "Tests/PolyShapes.h"
#include "Tests/Prismatic.h"
#include "Tests/Pulleys.h"
#include "Tests/Pyramid.h"
#include "Tests/RayCast.h"
#include "Tests/Revolute.h"
#include "Tests/RopeJoint.h"
#include "Tests/SensorTest.h"
#include "Tests/ShapeEditing.h"
#include "Tests/SliderCrank.h"
#include "Tests/SphereStack.h"
#include "Tests/TheoJansen.h"
#include "Tests/Tiles.h"
#include "Tests/TimeOfImpact.h"
#include "Tests/VaryingFriction.h"
#include "Tests/VaryingRestitution.h"
#include "Tests/VerticalStack.h"
#include "Tests/Vexa.h"
#include "Tests/Web.h"

// Row 36 repeats "Dominos": both rows run the same scene.
const TestEntry g_testEntries[] = {
    {"Vexa", Vexa::Create},
    {"Dominos", Dominos::Create},
    {"Character Collision", CharacterCollision::Create},
    {"Revolute", Revolute::Create},
    {"Pulleys", Pulleys::Create},
    {"SphereStack", SphereStack::Create},
    {"Tiles", Tiles::Create},
    {"Polygon Shapes", PolyShapes::Create},
    {"Web", Web::Create},
    {"Car", Car::Create},
    {"Vertical Stack", VerticalStack::Create},
    {"RopeJoint", RopeJoint::Create},
    {"Edge Test", EdgeTest::Create},
    {"One-Sided Platform", OneSidedPlatform::Create},
    {"Pinball", Pinball::Create},
    {"Bullet Test", BulletTest::Create},
    {"Continuous Test", ContinuousTest::Create},
    {"Time of Impact", TimeOfImpact::Create},
    {"Ray-Cast", RayCast::Create},
    {"Confined", Confined::Create},
    {"Pyramid", Pyramid::Create},
    {"Varying Restitution", VaryingRestitution::Create},
    {"Theo Jansen's Walker", TheoJansen::Create},
    {"Body Types", BodyTypes::Create},
    {"Prismatic", Prismatic::Create},
    {"Edge Shapes", EdgeShapes::Create},
    {"PolyCollision", PolyCollision::Create},
    {"Apply Force", ApplyForce::Create},
    {"Cantilever", Cantilever::Create},
    {"Bridge", Bridge::Create},
    {"Breakable", Breakable::Create},
    {"Chain", Chain::Create},
    {"Collision Filtering", CollisionFiltering::Create},
    {"Collision Processing", CollisionProcessing::Create},
    {"Compound Shapes", CompoundShapes::Create},
    {"Distance Test", DistanceTest::Create},
    {"Dominos", Dominos::Create},
    {"Dynamic Tree", DynamicTreeTest::Create},
    {"Gears", Gears::Create},
    {"Sensor Test", SensorTest::Create},
    {"Shape Editing", ShapeEditing::Create},
    {"Slider Crank", SliderCrank::Create},
    {"Varying Friction", VaryingFriction::Create},
    {nullptr, nullptr},
};
