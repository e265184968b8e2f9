// Entry point of the unit tests: the program's floating-point environment first.
#include <gtest/gtest.h>

#include "calc/fpenv.h"

int main(int argc, char **argv)
{
    setFloatingPointEnvironment();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
