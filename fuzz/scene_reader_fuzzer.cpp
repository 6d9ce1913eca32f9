// Feeds arbitrary bytes to the scene reader. Whatever the text, reading must neither crash nor
// trip an assertion of the physics library, and a world it built must save to a document that
// loads again with every body, fixture and joint.
#include "WorldDoc/WorldDoc.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace
{

struct Counts
{
    int bodies = 0;
    int fixtures = 0;
    int joints = 0;

    bool operator==(const Counts& other) const
    {
        return bodies == other.bodies && fixtures == other.fixtures && joints == other.joints;
    }
};

Counts CountObjects(b2World& world)
{
    Counts counts;
    counts.bodies = world.GetBodyCount();
    counts.joints = world.GetJointCount();
    for (b2Body* body = world.GetBodyList(); body; body = body->GetNext())
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            ++counts.fixtures;
        }
    }
    return counts;
}

}  // namespace

// The reader explains every skipped object on standard output; at thousands of inputs a
// second that is only noise, and libFuzzer reports on standard error.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0)
    {
        dup2(devNull, STDOUT_FILENO);
        close(devNull);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WorldDoc reader(false);
    std::unique_ptr<b2World> world(reader.readFromString(std::string(reinterpret_cast<const char*>(data), size)));
    if (!world)
    {
        return 0;
    }
    WorldDoc writer(true);
    const std::string saved = writer.writeToString(world.get());
    WorldDoc rereader(false);
    const std::unique_ptr<b2World> reloaded(rereader.readFromString(saved));
    if (!reloaded || !(CountObjects(*reloaded) == CountObjects(*world)))
    {
        __builtin_trap();  // a document this program wrote lost objects on loading
    }
    return 0;
}
