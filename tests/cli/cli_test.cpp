#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

TEST(CliSample, WritesACompanyFileAndSucceeds) {
    TempDir dir;
    const auto file = dir.Path() / "company.xml";
    const CliRun run =
        Cli("sample --out '" + file.string() + "' --seed 3 --scale 0.05 --today 2026-11-02");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadAll(file).rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u);
    EXPECT_NE(ReadAll(file).find("<TxnDate>2026-11-02</TxnDate>"), std::string::npos);
}

TEST(CliSample, ABadDateIsAUsageError) {
    TempDir dir;
    const CliRun run =
        Cli("sample --out '" + (dir.Path() / "c.xml").string() + "' --today 2026-02-30");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("2026-02-30"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "c.xml"));
}

TEST(CliSample, MissingOrWrongOptionsAreUsageErrors) {
    TempDir dir;
    const std::string out = "--out '" + (dir.Path() / "c.xml").string() + "'";
    EXPECT_EQ(Cli("sample").exitCode, 2);
    EXPECT_EQ(Cli("sample " + out + " --scale 0").exitCode, 2);
    EXPECT_EQ(Cli("sample " + out + " --scale many").exitCode, 2);
    EXPECT_EQ(Cli("sample " + out + " --seed -4").exitCode, 2);
    EXPECT_EQ(Cli("sample " + out + " --colour blue").exitCode, 2);
    EXPECT_EQ(Cli("").exitCode, 2);
    EXPECT_EQ(Cli("frobnicate").exitCode, 2);
    const CliRun run = Cli("sample");
    EXPECT_NE(run.err.find("--out"), std::string::npos) << run.err;
}

TEST(CliSample, AnUnwritableDestinationIsAFailure) {
    TempDir dir;
    const CliRun run =
        Cli("sample --out '" + (dir.Path() / "no" / "such" / "c.xml").string() + "' --scale 0.05");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Cannot create the company file"), std::string::npos) << run.err;
}

TEST(CliSample, HelpDescribesTheCommands) {
    const CliRun top = Cli("--help");
    EXPECT_EQ(top.exitCode, 0);
    EXPECT_NE(top.out.find("sample"), std::string::npos);
    const CliRun sample = Cli("sample --help");
    EXPECT_EQ(sample.exitCode, 0);
    for (const char* option : {"--out", "--seed", "--scale", "--today"}) {
        EXPECT_NE(sample.out.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace quarrion::test
