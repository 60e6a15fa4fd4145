#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace quarrion::test {

// What an independent reader (a Python checker) said of a written file.
struct CheckResult {
    int status = -1;
    std::string output;
};

// Runs `command` in a shell with its standard error joined to its output.
inline CheckResult RunChecker(const std::string& command) {
    CheckResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "cannot run " + command};
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace quarrion::test
