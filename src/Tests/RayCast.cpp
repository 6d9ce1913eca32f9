#include "Tests/RayCast.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneParts.h"

RayCast::RayCast() : m_ray(b2Vec2(0.0f, 10.0f), 11.0f)
{
    CreateGroundEdge(world, -40.0f, 40.0f);
}

b2Vec2 RayCast::DropPosition()
{
    return b2Vec2(RandomFloat(-10.0f, 10.0f), RandomFloat(2.0f, 20.0f));
}

void RayCast::Keyboard(unsigned char key)
{
    if (key == 'm')
    {
        m_ray.mode = static_cast<RotatingRay::Mode>((m_ray.mode + 1) % RotatingRay::k_modeCount);
    }
    else
    {
        DroppingShapes::Keyboard(key);
    }
}

void RayCast::Step(Settings* settings)
{
    StepWithRay(settings, m_ray);

    DrawLine("Press 1-5 to drop stuff, m to change the mode");
    DrawLine("Mode = %d", m_ray.mode);
}
