#include "WorldDoc/WorldDoc.h"

#include "Physics/Create.h"
#include "WorldDoc/MemberReader.h"
#include "WorldDoc/ShapeReader.h"
#include "WorldDoc/SkipLog.h"

#include <cstdint>

b2Body* WorldDoc::j2b2Body(b2World* world, const Json::Value& bodyValue)
{
    return ReadAndReport<b2Body>("the body", [&](SkipLog& log) {
        return world ? readBody(world, bodyValue, -1, log) : nullptr;
    });
}

b2Fixture* WorldDoc::j2b2Fixture(b2Body* body, const Json::Value& fixtureValue)
{
    return ReadAndReport<b2Fixture>("the fixture", [&](SkipLog& log) {
        return body ? readFixture(body, fixtureValue, -1, -1, log) : nullptr;
    });
}

b2Body* WorldDoc::readBody(b2World* world, const Json::Value& bodyValue, int index, SkipLog& log)
{
    const auto skip = [&](const std::string& reason) -> b2Body* {
        log.add(SkipLog::k_bodies, index, SkipLog::k_objectLine, "Skipping " + DescribeBody(index) + ": " + reason);
        return nullptr;
    };
    if (!bodyValue.isObject())
    {
        return skip("it is not an object");
    }

    MemberReader members(bodyValue);
    b2BodyDef def;
    def.enabled = members.getBool("active", true);
    def.allowSleep = members.getBool("allowSleep", true);
    def.angle = members.getFloat("angle");
    def.angularDamping = members.getFloat("angularDamping");
    def.angularVelocity = members.getFloat("angularVelocity");
    def.awake = members.getBool("awake", false);
    def.bullet = members.getBool("bullet", false);
    def.fixedRotation = members.getBool("fixedRotation", false);
    const Json::Value* fixtures = members.getArray("fixture");
    def.gravityScale = members.getFloat("gravityScale", 1.0f);
    def.linearDamping = members.getFloat("linearDamping");
    def.linearVelocity = members.getVector("linearVelocity");
    b2MassData massData;
    massData.I = members.getFloat("massData-I");
    massData.center = members.getVector("massData-center");
    massData.mass = members.getFloat("massData-mass");
    const std::string name = members.getString("name");
    def.position = members.getVector("position");
    def.type = static_cast<b2BodyType>(members.getInt("type", b2_staticBody, b2_staticBody, b2_dynamicBody));
    if (!members.ok())
    {
        return skip(members.problem());
    }

    std::string error;
    b2Body* body = Physics::CreateBody(world, def, &error);
    if (!body)
    {
        return skip(error);
    }
    if (!name.empty())
    {
        m_bodyToNameMap[body] = name;
    }

    // Last to first, so that the body's fixture list keeps the document's order.
    std::vector<const Json::Value*> fixtureValues;
    const int nullIndex = LeadingElements(fixtures, fixtureValues);
    if (nullIndex >= 0)
    {
        log.add(SkipLog::k_bodies, index, nullIndex,
                "Ignoring every fixture of " + DescribeBody(index) + " after fixture " +
                    std::to_string(nullIndex) + ", which is null");
    }
    for (std::size_t k = fixtureValues.size(); k-- > 0;)
    {
        readFixture(body, *fixtureValues[k], static_cast<int>(k), index, log);
    }

    // Set even when the fixtures gave the body a mass: the document's mass data wins. A dynamic
    // body created without fixtures has mass 0 until something resets its mass, and is written
    // without mass data; setting none would give it mass 1, so it is left as it was created
    // and comes back as it was saved.
    const bool asCreated = def.type == b2_dynamicBody && body->GetFixtureList() == nullptr &&
                           massData.mass == 0.0f && massData.I == 0.0f && massData.center == b2Vec2_zero;
    if (!asCreated && !Physics::SetMassData(body, massData, &error))
    {
        log.add(SkipLog::k_bodies, index, SkipLog::k_massLine,
                "Ignoring the mass data of " + DescribeBody(index) + ": " + error +
                    "; it keeps the mass of its fixtures");
    }
    // The saved velocity is that of the final centre of mass; the library shifted it each time
    // a fixture or the mass data moved the centre of a spinning body.
    if (body->GetLinearVelocity() != def.linearVelocity)
    {
        body->SetLinearVelocity(def.linearVelocity);
    }
    return body;
}

b2Fixture* WorldDoc::readFixture(b2Body* body, const Json::Value& fixtureValue, int index, int bodyIndex,
                                 SkipLog& log)
{
    const auto skip = [&](const std::string& reason) -> b2Fixture* {
        log.add(SkipLog::k_bodies, bodyIndex, index,
                "Skipping " + DescribeFixture(index, bodyIndex) + ": " + reason);
        return nullptr;
    };
    if (fixtureValue.isNull())
    {
        return nullptr;
    }
    if (!fixtureValue.isObject())
    {
        return skip("it is not an object");
    }

    MemberReader members(fixtureValue);
    b2FixtureDef def;
    def.density = members.getFloat("density");
    def.filter.categoryBits = static_cast<uint16>(members.getInt("filter-categoryBits", 0x0001, 0, 0xFFFF));
    def.filter.groupIndex = static_cast<int16>(members.getInt("filter-groupIndex", 0, INT16_MIN, INT16_MAX));
    def.filter.maskBits = static_cast<uint16>(members.getInt("filter-maskBits", 0xFFFF, 0, 0xFFFF));
    def.friction = members.getFloat("friction");
    const std::string name = members.getString("name");
    def.restitution = members.getFloat("restitution");
    def.isSensor = members.getBool("sensor");
    if (!members.ok())
    {
        return skip(members.problem());
    }
    FixtureShape shape;
    std::string problem;
    if (!shape.read(members, problem))
    {
        return skip(problem);
    }
    if (shape.kind() == FixtureShape::k_none)
    {
        return skip("it has no shape");
    }

    def.shape = shape.shape();
    b2Fixture* fixture = Physics::CreateFixture(body, def, &problem);
    if (!fixture)
    {
        return skip(problem);
    }
    shape.attachGhosts(fixture);
    if (!name.empty())
    {
        m_fixtureToNameMap[fixture] = name;
    }
    return fixture;
}
