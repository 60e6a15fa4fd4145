#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "cli_runner.h"

namespace quarrion::test {
namespace {

TEST(CliSample, WrongOptionsAreUsageErrorsAndAnUnwritablePlaceAFailure) {
    TempDir dir;
    const std::string out = " --out " + Shell((dir.Path() / "c.xml").string());
    struct Case {
        std::string arguments;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {"sample", 2, "--out"},
        {"sample" + out + " --today 2026-02-30", 2, "2026-02-30"},
        {"sample" + out + " --scale 0", 2, ""},
        {"sample" + out + " --colour blue", 2, ""},
        {"", 2, ""},
        {"sample --scale 0.05 --out " + Shell((dir.Path() / "no" / "such" / "c.xml").string()), 1,
         "Cannot create the company file"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / "c.xml")) << c.arguments;
    }
}

TEST(CliHelp, HelpAndVersionAnswerOnStandardOutput) {
    const CliRun top = Cli("--help"), version = Cli("--version");
    EXPECT_EQ(top.exitCode, 0);
    EXPECT_NE(top.out.find("to-print"), std::string::npos) << top.out;
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_TRUE(std::regex_match(version.out, std::regex("quarrion-cli [0-9]+\\.[0-9]+.*\n")))
        << version.out;
}

}  // namespace
}  // namespace quarrion::test
