#pragma once

#include <filesystem>
#include <string>

#include "support/temp_home.h"

namespace quarrion::test {

// One run of the terminal tool as a user's shell runs it.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs quarrion-cli with `arguments` (already quoted for the shell) and collects its
// exit code, standard output and standard error.
CliRun Cli(const std::string& arguments);

// A text as one shell word, in single quotes.
std::string Shell(const std::string& text);

}  // namespace quarrion::test
