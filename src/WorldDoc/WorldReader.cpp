#include "WorldDoc/WorldDoc.h"

#include "Physics/Guards.h"
#include "WorldDoc/FloatEncoding.h"
#include "WorldDoc/MemberReader.h"
#include "WorldDoc/SkipLog.h"

#include <iostream>
#include <memory>

namespace
{

bool IsGearJoint(const Json::Value& jointValue)
{
    const Json::Value* type = FindMember(jointValue, "type");
    return type && type->isString() && type->asString() == "gear";
}

// A world setting that cannot be read keeps its default; the rest of the scene still loads.
void ReportSetting(MemberReader& settings)
{
    if (!settings.ok())
    {
        std::cout << "Ignoring a world setting: " << settings.problem() << '\n';
        settings.clearProblem();
    }
}

// The leading elements of "body" or "joint"; a null element ends the list as it always has,
// but the elements it cuts off are mentioned.
std::vector<const Json::Value*> ListedObjects(MemberReader& world, SkipLog::Section section, SkipLog& log)
{
    const std::string kind = section == SkipLog::k_bodies ? "body" : "joint";
    std::vector<const Json::Value*> elements;
    const Json::Value* array = world.getArray(kind.c_str());
    if (!world.ok())
    {
        log.add(section, -1, SkipLog::k_objectLine, "Skipping every " + kind + ": " + world.problem());
        world.clearProblem();
    }
    const int nullIndex = LeadingElements(array, elements);
    if (nullIndex >= 0)
    {
        log.add(section, nullIndex, SkipLog::k_objectLine,
                "Ignoring every " + kind + " after " + kind + " " + std::to_string(nullIndex) + ", which is null");
    }
    return elements;
}

}  // namespace

b2World* WorldDoc::j2b2World(const Json::Value& worldValue)
{
    m_bodies.clear();
    m_joints.clear();
    // The names describe the last world read; kept, they would stay keyed by the previous
    // world's freed objects, whose addresses the library hands to the new world's.
    m_bodyToNameMap.clear();
    m_fixtureToNameMap.clear();
    m_jointToNameMap.clear();
    m_skipped = 0;
    if (!worldValue.isObject())
    {
        std::cout << "Could not read the scene: it is not a JSON object" << std::endl;
        return nullptr;
    }
    b2World* world = ReadAndReport<b2World>("the scene", [&](SkipLog& log) {
        MemberReader settings(worldValue);
        b2Vec2 gravity = settings.getVector("gravity");
        if (settings.ok() && !Physics::IsSaneCoordinate(gravity))
        {
            settings.fail("\"gravity\" is not finite or too large");
        }
        if (!settings.ok())
        {
            gravity.SetZero();
            ReportSetting(settings);
        }
        std::unique_ptr<b2World> newWorld(new b2World(gravity));
        readWorldContents(newWorld.get(), worldValue, log);
        m_skipped = log.skippedCount();
        return newWorld.release();
    });
    if (!world)
    {
        m_bodies.clear();
        m_joints.clear();
    }
    return world;
}

void WorldDoc::readWorldContents(b2World* world, const Json::Value& worldValue, SkipLog& log)
{
    MemberReader settings(worldValue);
    const auto setting = [&settings](const char* key) {
        const bool value = settings.getBool(key);
        ReportSetting(settings);
        return value;
    };
    world->SetAllowSleeping(setting("allowSleep"));
    world->SetAutoClearForces(setting("autoClearForces"));
    world->SetWarmStarting(setting("warmStarting"));
    world->SetContinuousPhysics(setting("continuousPhysics"));
    world->SetSubStepping(setting("subStepping"));

    // Settings and callbacks of the saved world that may make this one behave differently.
    const struct
    {
        bool holds;
        const char* text;
    } warnings[] = {
        {!world->GetAutoClearForces(), "Warning: world is not set to auto clear forces."},
        {world->GetWarmStarting(), "Warning: world is set to use warm starting."},
        {world->GetContinuousPhysics(), "Warning: world is set to use continuous physics."},
        {world->GetSubStepping(), "Warning: world is set to use sub stepping."},
        {setting("hasDestructionListener"), "Warning: world originally had a destruction listener set."},
        {setting("hasContactFilter"), "Warning: world originally had a contact filter set."},
        {setting("hasContactListener"), "Warning: world originally had a contact listener set."},
    };
    bool warned = false;
    for (const auto& warning : warnings)
    {
        if (warning.holds)
        {
            std::cout << warning.text << '\n';
            warned = true;
        }
    }
    if (warned)
    {
        std::cout << "Recreated behaviour may differ from original.\n";
    }

    // The library puts every new body, fixture and joint at the front of its list. Creating
    // them from the last to the first leaves the lists in document order, so writing the world
    // again gives the same document.
    const std::vector<const Json::Value*> bodyValues = ListedObjects(settings, SkipLog::k_bodies, log);
    m_bodies.assign(bodyValues.size(), nullptr);
    for (std::size_t i = bodyValues.size(); i-- > 0;)
    {
        m_bodies[i] = readBody(world, *bodyValues[i], static_cast<int>(i), log);
    }

    // The joint list holds every entry that is not a gear joint, then the gear joints, each
    // in document order; an entry that yields no joint keeps its slot empty. Gears are created
    // after the joints they couple.
    const std::vector<const Json::Value*> jointValues = ListedObjects(settings, SkipLog::k_joints, log);
    std::vector<bool> isGear(jointValues.size());
    for (std::size_t i = 0; i < jointValues.size(); ++i)
    {
        isGear[i] = IsGearJoint(*jointValues[i]);
    }
    std::vector<std::size_t> documentIndex;
    documentIndex.reserve(jointValues.size());
    std::size_t firstGear = 0;
    for (const bool gears : {false, true})
    {
        if (gears)
        {
            firstGear = documentIndex.size();
        }
        for (std::size_t i = 0; i < jointValues.size(); ++i)
        {
            if (isGear[i] == gears)
            {
                documentIndex.push_back(i);
            }
        }
    }
    m_joints.assign(documentIndex.size(), nullptr);
    const auto create = [&](std::size_t slot) {
        const std::size_t i = documentIndex[slot];
        m_joints[slot] = readJoint(world, *jointValues[i], static_cast<int>(i), log);
    };
    for (std::size_t slot = firstGear; slot-- > 0;)
    {
        create(slot);
    }
    for (std::size_t slot = documentIndex.size(); slot-- > firstGear;)
    {
        create(slot);
    }
}
