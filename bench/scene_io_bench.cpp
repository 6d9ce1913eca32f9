// Reading and writing a large scene (the editor benchmarks' 10,000 bodies, 20,000 fixtures of
// every shape and 5,000 joints, with 500 more joints of every type) through the scene document,
// beside JsonCpp parsing and printing the same text alone: the document's own work should add
// at most half again to JsonCpp's.
#include "LargeScene.h"

#include "Physics/Create.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "WorldDoc/WorldDoc.h"

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>
#include <json/json.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

constexpr int k_sceneSide = 100;
constexpr int k_jointGroups = 50;

template <typename T>
T* Require(T* created)
{
    if (created == nullptr)
    {
        throw std::runtime_error("the physics layer refused part of the benchmark scene");
    }
    return created;
}

// Ten joints of the ten types of the scene format, on five pairs of bodies.
void AddJointGroup(b2World* world, b2Body* const* b)
{
    const b2Vec2 pa = b[0]->GetPosition();
    const b2Vec2 pb = b[1]->GetPosition();

    b2RevoluteJointDef revolute;
    revolute.Initialize(b[0], b[1], 0.5f * (pa + pb));
    revolute.enableLimit = true;
    revolute.lowerAngle = -0.5f;
    revolute.upperAngle = 0.5f;
    b2Joint* hinge = Require(Physics::CreateJoint(world, revolute));

    b2PrismaticJointDef prismatic;
    prismatic.Initialize(b[2], b[3], b[2]->GetPosition(), b2Vec2(1.0f, 0.0f));
    b2Joint* slider = Require(Physics::CreateJoint(world, prismatic));

    const b2GearJointDef gear = Physics::CouplingGear(hinge, slider, 1.5f);
    Require(Physics::CreateJoint(world, gear));

    b2DistanceJointDef distance;
    distance.Initialize(b[4], b[5], b[4]->GetPosition(), b[5]->GetPosition());
    Physics::SetSpring(Require(Physics::CreateJoint(world, distance)), 2.0f, 0.5f);

    b2PulleyJointDef pulley;
    pulley.Initialize(b[6], b[7], b[6]->GetPosition() + b2Vec2(0.0f, 5.0f),
                      b[7]->GetPosition() + b2Vec2(0.0f, 5.0f), b[6]->GetPosition(), b[7]->GetPosition(), 1.0f);
    Require(Physics::CreateJoint(world, pulley));

    b2WheelJointDef wheel;
    wheel.Initialize(b[8], b[9], b[9]->GetPosition(), b2Vec2(0.0f, 1.0f));
    Physics::SetSpring(Require(Physics::CreateJoint(world, wheel)), 4.0f, 0.7f);

    b2WeldJointDef weld;
    weld.Initialize(b[0], b[2], b[2]->GetPosition());
    Require(Physics::CreateJoint(world, weld));

    b2FrictionJointDef friction;
    friction.Initialize(b[4], b[6], b[6]->GetPosition());
    friction.maxForce = 10.0f;
    friction.maxTorque = 5.0f;
    Require(Physics::CreateJoint(world, friction));

    Physics::RopeJointDef rope;
    rope.bodyA = b[5];
    rope.bodyB = b[8];
    rope.maxLength = 4.0f;
    Require(Physics::CreateRopeJoint(world, rope));

    b2MouseJointDef mouse;
    mouse.bodyA = b[7];
    mouse.bodyB = b[9];
    mouse.target = b[9]->GetPosition();
    mouse.maxForce = 100.0f;
    Require(Physics::CreateJoint(world, mouse));
}

// The scene and its text as the scene document writes it. World settings that make the reader
// print notes are off, so that the runs print nothing.
struct LargeScene
{
    LargeScene()
    {
        world = std::make_unique<b2World>(b2Vec2(0.0f, -10.0f));
        world->SetWarmStarting(false);
        world->SetContinuousPhysics(false);
        WorldDoc doc(true);

        const std::vector<b2Body*> bodies = BuildLargeScene(world.get(), k_sceneSide, k_sceneSide);
        std::vector<b2Body*> dynamicBodies;
        for (std::size_t i = 0; i < bodies.size(); ++i)
        {
            if (i % 10 == 0)
            {
                doc.setBodyName(bodies[i], ("body " + std::to_string(i)).c_str());
            }
            if (bodies[i]->GetType() == b2_dynamicBody)
            {
                dynamicBodies.push_back(bodies[i]);
            }
        }
        for (int group = 0; group < k_jointGroups; ++group)
        {
            AddJointGroup(world.get(), &dynamicBodies[group * 10]);
        }

        text = doc.writeToString(world.get());
        Json::Reader reader;
        if (!reader.parse(text, parsed, true))
        {
            throw std::runtime_error("the scene document wrote text JsonCpp cannot parse");
        }
        file = "/tmp/vexa-scene-bench-" + std::to_string(getpid()) + ".json";
    }

    ~LargeScene() { std::remove(file.c_str()); }

    std::unique_ptr<b2World> world;
    std::string text;
    Json::Value parsed;
    std::string file;
};

const LargeScene& Scene()
{
    static const LargeScene scene;
    return scene;
}

// Times `work` and reports the scene text's size per second of it.
template <typename Work>
void Measure(benchmark::State& state, const Work& work)
{
    for (auto _ : state)
    {
        work();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Scene().text.size()));
    state.counters["MB"] = static_cast<double>(Scene().text.size()) / 1.0e6;
}

// Reading.

void JsonCppParse(benchmark::State& state)
{
    Measure(state, [] {
        Json::Value root;
        Json::Reader reader;
        benchmark::DoNotOptimize(reader.parse(Scene().text, root, true));
    });
}

void WorldDocRead(benchmark::State& state)
{
    Measure(state, [] {
        WorldDoc doc(false);
        std::unique_ptr<b2World> world(doc.readFromString(Scene().text));
        benchmark::DoNotOptimize(world.get());
    });
}

void WorldDocBuildFromParsed(benchmark::State& state)
{
    Measure(state, [] {
        WorldDoc doc(false);
        std::unique_ptr<b2World> world(doc.j2b2World(Scene().parsed));
        benchmark::DoNotOptimize(world.get());
    });
}

// Writing.

void JsonCppPrint(benchmark::State& state)
{
    Measure(state, [] { benchmark::DoNotOptimize(Json::StyledWriter().write(Scene().parsed)); });
}

void JsonCppStreamToFile(benchmark::State& state)
{
    Measure(state, [] {
        std::ofstream out(Scene().file, std::ios::binary | std::ios::trunc);
        Json::StyledStreamWriter("   ").write(out, Scene().parsed);
    });
}

void WorldDocWriteString(benchmark::State& state)
{
    Measure(state, [] { benchmark::DoNotOptimize(WorldDoc(true).writeToString(Scene().world.get())); });
}

void WorldDocWriteFile(benchmark::State& state)
{
    Measure(state, [] {
        benchmark::DoNotOptimize(WorldDoc(true).writeToFile(Scene().world.get(), Scene().file.c_str()));
    });
}

void WorldDocTree(benchmark::State& state)
{
    Measure(state, [] { benchmark::DoNotOptimize(WorldDoc(true).b2j(Scene().world.get())); });
}

}  // namespace

BENCHMARK(JsonCppParse)->Unit(benchmark::kMillisecond);
BENCHMARK(WorldDocRead)->Unit(benchmark::kMillisecond);
BENCHMARK(WorldDocBuildFromParsed)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonCppPrint)->Unit(benchmark::kMillisecond);
BENCHMARK(WorldDocWriteString)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonCppStreamToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(WorldDocWriteFile)->Unit(benchmark::kMillisecond);
BENCHMARK(WorldDocTree)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    // Built before any timing starts; said on standard error so that --benchmark_format=json
    // output stays parsable.
    std::fprintf(stderr, "scene: %d bodies, %d joints, %.1f MB of text\n", Scene().world->GetBodyCount(),
                 Scene().world->GetJointCount(), Scene().text.size() / 1.0e6);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
