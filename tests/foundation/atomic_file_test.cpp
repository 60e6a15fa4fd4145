#include "foundation/atomic_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "support/temp_home.h"

namespace quarrion {
namespace {

std::ptrdiff_t EntriesIn(const test::TempDir& dir) {
    return std::distance(std::filesystem::directory_iterator(dir.Path()),
                         std::filesystem::directory_iterator());
}

// A named pipe in `dir`, as a user may point a setting at one.
std::filesystem::path PipeIn(const test::TempDir& dir, const char* name) {
    auto pipe = dir.Path() / name;
    EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    return pipe;
}

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
    EXPECT_EQ(EntriesIn(dir), 1) << "an abandoned write leaves no temporary file";

    AtomicFile file(target);
    ASSERT_TRUE(file.Write("after"));
    EXPECT_EQ(file.Commit().Message(), "");
    EXPECT_EQ(test::ReadAll(target), "after");
}

// Targets that are not regular files: a pipe is written through (never replaced by a
// file), a folder is refused, a link keeps linking to the file it names.
TEST(AtomicFileTargets, APipeIsWrittenThroughAndStaysAPipe) {
    test::TempDir dir;
    auto pipe = PipeIn(dir, "pipe");
    std::string received;
    std::thread reader([&] {
        std::ifstream in(pipe, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        received = all.str();
    });
    EXPECT_EQ(WriteFileAtomically(pipe, "through the pipe").Message(), "");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(EntriesIn(dir), 1) << "no temporary file is left beside the pipe";
}

TEST(AtomicFileTargets, AFolderIsRefusedAndKept) {
    test::TempDir dir;
    auto folder = dir.Path() / "folder";
    std::filesystem::create_directory(folder);
    std::string error = WriteFileAtomically(folder, "text").Message();
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(AtomicFileTargets, ALinkKeepsLinkingToTheReplacedFile) {
    test::TempDir dir;
    auto file = dir.Path() / "real.txt";
    auto link = dir.Path() / "link.txt";
    std::ofstream(file) << "old";
    std::filesystem::create_symlink(file, link);
    EXPECT_EQ(WriteFileAtomically(link, "new").Message(), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadAll(file), "new");
}

TEST(ReadWholeFile, APipeIsRefusedInsteadOfWaitedOn) {
    test::TempDir dir;
    auto pipe = PipeIn(dir, "company.qbxml");
    std::string contents;
    std::string error = ReadWholeFile(pipe, contents).Message();
    EXPECT_NE(error.find("is not a regular file"), std::string::npos) << error;
}

TEST(LeftoverTemporaries, AbandonedOnesGoAndOnesBeingWrittenStay) {
    test::TempDir dir;
    std::ofstream(dir.Path() / "Error Log.txt.tmp-Ab12Cd") << "left by a killed run";
    std::ofstream(dir.Path() / "notes.tmp-kept.txt") << "a user's file";
    std::ofstream(dir.Path() / "link.settings") << "kept";
    AtomicFile writing(dir.Path() / "company.qbxml");
    ASSERT_EQ(writing.Error(), "");
    ASSERT_TRUE(writing.Write("half"));

    EXPECT_EQ(RemoveLeftoverTemporaries(dir.Path()), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Error Log.txt.tmp-Ab12Cd"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "notes.tmp-kept.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "link.settings"));
    EXPECT_EQ(writing.Commit().Message(), "");
    EXPECT_EQ(test::ReadAll(dir.Path() / "company.qbxml"), "half");
}

}  // namespace
}  // namespace quarrion
