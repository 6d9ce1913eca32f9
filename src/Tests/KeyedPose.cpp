#include "Tests/KeyedPose.h"

void KeyedPose::Apply(unsigned char key)
{
    const float step = 0.1f;
    const float turn = 0.1f * b2_pi;
    switch (key)
    {
    case 'a':
        position.x -= step;
        break;
    case 'd':
        position.x += step;
        break;
    case 's':
        position.y -= step;
        break;
    case 'w':
        position.y += step;
        break;
    case 'q':
        angle += turn;
        break;
    case 'e':
        angle -= turn;
        break;
    default:
        break;
    }
}
