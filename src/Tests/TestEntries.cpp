#include "Framework/TestEntry.h"

#include "Tests/Car.h"
#include "Tests/TheoJansen.h"
#include "Tests/Vexa.h"

TestEntry g_testEntries[] = {
    {"Vexa", Vexa::Create},
    {"Car", Car::Create},
    {"Theo Jansen's Walker", TheoJansen::Create},
    {nullptr, nullptr},
};
