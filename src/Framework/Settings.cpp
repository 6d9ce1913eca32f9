#include "Framework/Settings.h"

unsigned DebugDrawFlags(const Settings& settings)
{
    unsigned flags = 0;
    flags += settings.drawShapes * b2Draw::e_shapeBit;
    flags += settings.drawJoints * b2Draw::e_jointBit;
    flags += settings.drawAABBs * b2Draw::e_aabbBit;
    flags += settings.drawPairs * b2Draw::e_pairBit;
    flags += settings.drawCOMs * b2Draw::e_centerOfMassBit;
    return flags;
}
