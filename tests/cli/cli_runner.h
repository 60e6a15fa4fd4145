#pragma once

#include <filesystem>
#include <string>

namespace quarrion::test {

// One run of the terminal tool as a user's shell runs it.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The whole file as bytes; "" when it cannot be read.
std::string ReadAll(const std::filesystem::path& path);

// Runs quarrion-cli with `arguments` (already quoted for the shell) and collects its
// exit code, standard output and standard error.
CliRun Cli(const std::string& arguments);

// A text as one shell word, in single quotes.
std::string Shell(const std::string& text);

}  // namespace quarrion::test
