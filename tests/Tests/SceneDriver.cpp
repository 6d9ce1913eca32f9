#include "SceneDriver.h"

#include "Physics/JointKinds.h"

void StepFrame(Test& test, Settings& settings)
{
    test.textLine = 30;
    test.Step(&settings);
}

void PressKey(Test& test, unsigned char key)
{
    test.Keyboard(key);
    test.KeyboardUp(key);
}

void PressKeys(Test& test, const std::string& keys)
{
    for (char key : keys)
    {
        PressKey(test, static_cast<unsigned char>(key));
    }
}

void RunFrames(Test& test, Settings& settings, int frames, const std::string& keys)
{
    const int pressPeriod = 10;
    const int holdFrames = 5;
    for (int frame = 0; frame < frames; ++frame)
    {
        if (!keys.empty())
        {
            const unsigned char key = static_cast<unsigned char>(keys[(frame / pressPeriod) % keys.size()]);
            if (frame % pressPeriod == 0)
            {
                test.Keyboard(key);
            }
            else if (frame % pressPeriod == holdFrames)
            {
                test.KeyboardUp(key);
            }
        }
        StepFrame(test, settings);
    }
}

std::vector<b2Body*> Bodies(b2World* world)
{
    std::vector<b2Body*> bodies;
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
    {
        bodies.push_back(body);
    }
    return bodies;
}

std::vector<b2Joint*> Joints(b2World* world)
{
    std::vector<b2Joint*> joints;
    for (b2Joint* joint = world->GetJointList(); joint; joint = joint->GetNext())
    {
        joints.push_back(joint);
    }
    return joints;
}

std::vector<b2Joint*> JointsOfType(b2World* world, b2JointType type)
{
    std::vector<b2Joint*> joints;
    for (b2Joint* joint : Joints(world))
    {
        if (Physics::GetJointType(joint) == type)
        {
            joints.push_back(joint);
        }
    }
    return joints;
}

std::vector<b2Body*> DynamicBodies(b2World* world)
{
    std::vector<b2Body*> bodies;
    for (b2Body* body : Bodies(world))
    {
        if (body->GetType() == b2_dynamicBody)
        {
            bodies.push_back(body);
        }
    }
    return bodies;
}
