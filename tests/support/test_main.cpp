#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_home.h"

// Every test process gets a data folder of its own, so nothing a test does can
// reach the user's real database, settings or company file.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    quarrion::test::TempDir home;
    setenv("QUARRION_HOME", home.Path().c_str(), 1);
    return RUN_ALL_TESTS();
}
