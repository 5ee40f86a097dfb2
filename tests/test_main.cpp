// The GoogleTest entry point of the core test programs. The global locale stays "C" unless a
// test switches it; a test that needs a comma-decimal locale sets and restores it itself.

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
