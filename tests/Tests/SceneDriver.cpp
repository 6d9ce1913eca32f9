#include "SceneDriver.h"

#include "Physics/JointKinds.h"
#include "Support/GraphicsDriverPin.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <unistd.h>

namespace
{

class GlWindowEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // The first scene of the registry loads the shipped default scene from here.
        ASSERT_EQ(chdir(VEXA_SOURCE_DIR "/data"), 0);
        int argc = 1;
        char name[] = "scene-tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
        glutInitWindowSize(640, 480);
        m_window = glutCreateWindow("scene tests");
        PinGraphicsDriver();
    }

    void TearDown() override
    {
        glutDestroyWindow(m_window);
        glutExit();
    }

private:
    int m_window = 0;
};

const ::testing::Environment* const g_glWindow = ::testing::AddGlobalTestEnvironment(new GlWindowEnvironment);

template <class Object>
std::vector<Object*> Collect(Object* first, const std::function<bool(Object*)>& keep)
{
    std::vector<Object*> objects;
    for (Object* object = first; object; object = object->GetNext())
    {
        if (!keep || keep(object))
        {
            objects.push_back(object);
        }
    }
    return objects;
}

}  // namespace

Settings UndrawnSettings()
{
    Settings settings;
    settings.drawShapes = 0;
    settings.drawJoints = 0;
    return settings;
}

void StepFrame(Test& test, Settings* settings)
{
    Settings undrawn = UndrawnSettings();
    test.textLine = 30;
    test.Step(settings != nullptr ? settings : &undrawn);
}

void PressKey(Test& test, unsigned char key, int times)
{
    for (int i = 0; i < times; ++i)
    {
        test.Keyboard(key);
        test.KeyboardUp(key);
    }
}

void RunFrames(Test& test, int frames, const std::string& keys, Settings* settings)
{
    for (int frame = 0; frame < frames; ++frame)
    {
        const char key = keys.empty() ? '\0' : keys[(frame / 10) % keys.size()];
        if (key != '\0' && frame % 10 == 0)
        {
            test.Keyboard(static_cast<unsigned char>(key));
        }
        else if (key != '\0' && frame % 10 == 5)
        {
            test.KeyboardUp(static_cast<unsigned char>(key));
        }
        StepFrame(test, settings);
    }
}

std::vector<b2Body*> Bodies(b2World* world, const std::function<bool(b2Body*)>& keep)
{
    return Collect(world->GetBodyList(), keep);
}

std::vector<b2Joint*> Joints(b2World* world, const std::function<bool(b2Joint*)>& keep)
{
    return Collect(world->GetJointList(), keep);
}

std::vector<b2Fixture*> Fixtures(b2World* world, const std::function<bool(b2Fixture*)>& keep)
{
    std::vector<b2Fixture*> fixtures;
    for (b2Body* body : Bodies(world))
    {
        const std::vector<b2Fixture*> own = Collect(body->GetFixtureList(), keep);
        fixtures.insert(fixtures.end(), own.begin(), own.end());
    }
    return fixtures;
}

std::vector<b2Joint*> JointsOfType(b2World* world, b2JointType type)
{
    return Joints(world, [type](b2Joint* joint) { return Physics::GetJointType(joint) == type; });
}

std::vector<b2Body*> DynamicBodies(b2World* world)
{
    return Bodies(world, [](b2Body* body) { return body->GetType() == b2_dynamicBody; });
}
