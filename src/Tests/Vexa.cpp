#include "Tests/Vexa.h"

#include "Physics/BodyState.h"
#include "WorldDoc/WorldDoc.h"

#include <vector>

Vexa::Vexa()
{
    WorldDoc doc(false);
    b2World* loaded = doc.readFromFile("vexa.json");
    if (loaded == nullptr)
    {
        // The reader has said why; the scene keeps the host's default world.
        return;
    }
    ReplaceWorld(loaded);
    names.takeFrom(doc);

    std::vector<b2Body*> ragdoll;
    doc.getBodiesByName("ragdoll", ragdoll);
    for (b2Body* body : ragdoll)
    {
        Physics::PutToSleep(body);
    }
}
