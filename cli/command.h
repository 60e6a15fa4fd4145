#pragma once

#include <functional>

namespace CLI {
class App;
}

namespace quarrion::cli {

// Exit codes of the terminal tool.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed
inline constexpr int kExitUsage = 2;    // the command line was wrong

// One command of the terminal tool: the subcommand that parses its options, and the
// work to run once parsing succeeded, answering an exit code. The options live in
// storage the Run function owns, so a Command can be copied around freely.
struct Command {
    CLI::App* app = nullptr;
    std::function<int()> run;
};

}  // namespace quarrion::cli
