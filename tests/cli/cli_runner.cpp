#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_home.h"

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

void CliCompany::SetUp() {
    const CliRun made =
        Cli("sample --scale 0.05 --today 2026-11-02 --out " + Shell(company_.string()));
    ASSERT_EQ(made.exitCode, 0) << made.err;
}

CliRun CliCompany::Run(const std::string& command, const std::string& arguments) {
    return Cli(command + " --home " + Shell(home_.string()) + " --company " +
               Shell(company_.string()) + " " + arguments);
}

CliRun CliHome::Home(const std::string& command, const std::string& arguments) {
    return Cli(command + " --home " + Shell(home_.string()) + " " + arguments);
}

}  // namespace quarrion::test
