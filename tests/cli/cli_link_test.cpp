// `quarrion-cli link`: choosing what searches answer from, and the Web Connector's set-up.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cli_runner.h"

namespace quarrion::test {
namespace {

class CliLink : public ::testing::Test {
  protected:
    std::string Home() const { return " --home " + Shell(dir_.Path().string()); }
    std::string PasswordFile(const std::string& password) const {
        const auto file = dir_.Path() / (password + ".txt");  // one file per password
        std::ofstream(file) << password << "\n";
        return Shell(file.string());
    }
    std::string Settings() const { return ReadAll(dir_.Path() / "link.settings"); }
    TempDir dir_;
};

TEST_F(CliLink, UseWebConnectorKeepsAHashAndTheQwcNamesTheService) {
    const CliRun use =
        Cli("link use web-connector --listen 127.0.0.1:18123 --user acme-books "
            "--password-file " +
            PasswordFile("correct horse battery") + Home());
    ASSERT_EQ(use.exitCode, 0) << use.err;
    EXPECT_NE(use.out.find("AppURL:         http://localhost:18123/qbwc"), std::string::npos)
        << use.out;
    EXPECT_NE(Settings().find("WebConnectorPasswordHash=pbkdf2-sha256$"), std::string::npos);
    EXPECT_EQ(Settings().find("correct horse"), std::string::npos);

    const std::string qwc = Shell((dir_.Path() / "Quarrion.qwc").string());
    ASSERT_EQ(Cli("link qwc --out " + qwc + Home()).exitCode, 0);
    const std::string file = ReadAll(dir_.Path() / "Quarrion.qwc");
    EXPECT_NE(file.find("<AppURL>http://localhost:18123/qbwc</AppURL>"), std::string::npos);
    EXPECT_NE(file.find("<UserName>acme-books</UserName>"), std::string::npos);
    EXPECT_EQ(file.find("correct horse"), std::string::npos);
    // The FileID is made once: a second file names the same company.
    const std::string fileId = file.substr(file.find("<FileID>"), 46);
    ASSERT_EQ(Cli("link qwc --out " + qwc + Home()).exitCode, 0);
    EXPECT_EQ(ReadAll(dir_.Path() / "Quarrion.qwc").substr(file.find("<FileID>"), 46), fileId);
    EXPECT_EQ(Cli("link qwc --out " + qwc + " --url http://books.example/qbwc" + Home()).exitCode,
              2)
        << "the Web Connector refuses plain HTTP beyond localhost";

    EXPECT_NE(Cli("link use sample" + Home()).out.find("The embedded sample company"),
              std::string::npos);
}

TEST_F(CliLink, WrongSetUpsAreRefusedAndChangeNothing) {
    const std::string pw = PasswordFile("correct horse battery");
    struct Case {
        std::string arguments;
        int exitCode;
        const char* says;
    };
    const std::string use = "link use web-connector --user u --password-file ";
    const Case cases[] = {
        {use + pw + " --listen 127.0.0.1", 2, "HOST:PORT"},
        {use + PasswordFile("short") + " --listen 127.0.0.1:8080", 2, "shorter than 8"},
        {use + Shell((dir_.Path() / "missing.txt").string()) + " --listen 127.0.0.1:8080", 1,
         "missing.txt"},
        {use + pw + " --listen 127.0.0.1:8080 --cert " + pw, 2, "--cert and --key together"},
        {"link use responses " + Shell((dir_.Path() / "none").string()), 2, "is not a folder"},
        {"link qwc --out " + Shell((dir_.Path() / "x.qwc").string()), 1, "does not use the Web"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.arguments + Home());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.arguments << "\n" << run.err;
    }
    EXPECT_EQ(Settings(), "");
}

}  // namespace
}  // namespace quarrion::test
