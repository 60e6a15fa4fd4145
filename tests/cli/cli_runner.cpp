#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "support/text_parts.h"

namespace quarrion::test {

CliRun Cli(const std::string& arguments) {
    TempDir dir;
    const auto out = dir.Path() / "out.txt", err = dir.Path() / "err.txt";
    const std::string command = std::string("'") + QUARRION_CLI + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}

std::string Shell(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

void CliCompany::SetUp() {
    const CliRun made =
        Cli("sample --scale 0.05 --today 2026-11-02 --out " + Shell(company_.string()));
    ASSERT_EQ(made.exitCode, 0) << made.err;
}

CliRun CliCompany::Run(const std::string& command, const std::string& arguments) {
    return Cli(command + " --home " + Shell(home_.string()) + " --company " +
               Shell(company_.string()) + " " + arguments);
}

std::vector<std::string> CliHome::Checked(const char* kind, const std::filesystem::path& file) {
    const auto summary = dir_.Path() / "summary.txt";
    const std::string command = std::string("/usr/bin/python3 ") + QUARRION_RESULTS_CHECKER + " " +
                                kind + " " + Shell(file.string()) + " >" + Shell(summary.string());
    EXPECT_EQ(std::system(command.c_str()), 0) << kind << " " << file;
    return Lines(ReadAll(summary));
}

std::vector<std::string> CliHome::CheckedJson(const std::string& json) {
    const auto file = dir_.Path() / "results.json";
    std::ofstream(file, std::ios::binary) << json;
    return Checked("json", file);
}

CliRun CliHome::Home(const std::string& command, const std::string& arguments) {
    return Cli(command + " --home " + Shell(home_.string()) + " " + arguments);
}

}  // namespace quarrion::test
