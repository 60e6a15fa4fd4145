#include "foundation/atomic_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_home.h"

namespace quarrion {
namespace {

TEST(AtomicFile, TheTargetChangesOnlyOnCommit) {
    test::TempDir dir;
    auto target = dir.Path() / "book.txt";
    std::ofstream(target) << "before";
    {
        AtomicFile file(target);
        ASSERT_EQ(file.Error(), "");
        ASSERT_TRUE(file.Write("after"));
        EXPECT_EQ(test::ReadAll(target), "before");
    }
    EXPECT_EQ(test::ReadAll(target), "before");
    std::size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1u) << "an abandoned write leaves no temporary file";

    AtomicFile file(target);
    ASSERT_TRUE(file.Write("after"));
    EXPECT_EQ(file.Commit().Message(), "");
    EXPECT_EQ(test::ReadAll(target), "after");
}

}  // namespace
}  // namespace quarrion
