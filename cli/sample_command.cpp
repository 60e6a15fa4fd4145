#include "sample_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "cli_support.h"
#include "sample/sample_company.h"

namespace quarrion::cli {

namespace {

struct SampleArguments {
    std::string home;
    std::string out;
    SampleCompanyOptions options;
};

// CLI11 validator: a size the generator accepts.
struct ScaleValidator : public CLI::Validator {
    ScaleValidator() {
        name_ = "SCALE";
        func_ = [](const std::string& text) {
            double value = 0;
            if (!CLI::detail::lexical_cast(text, value) ||
                !(value > 0 && value <= kMaxSampleScale)) {
                return "\"" + text + "\" is no scale; give a number greater than 0 and at most " +
                       std::to_string(static_cast<int>(kMaxSampleScale));
            }
            return std::string();
        };
    }
};

}  // namespace

Command AddSampleCommand(CLI::App& parent) {
    auto arguments = std::make_shared<SampleArguments>();
    CLI::App* app = parent.add_subcommand(
        "sample",
        "Write a sample company file: a qbXML document with realistic records of every "
        "list and transaction type, the same bytes for the same options.");
    app->add_option("--out", arguments->out, "Company file to write (replaced whole)")
        ->required()
        ->type_name("FILE");
    app->add_option("--seed", arguments->options.seed, "Seed of the company's random choices")
        ->type_name("N")
        ->default_val(1);
    app->add_option("--scale", arguments->options.scale,
                    "Size: 1 = about 2,000 transactions and 400 list records")
        ->type_name("S")
        ->default_val(1.0)
        ->check(ScaleValidator());
    app->add_option("--today", arguments->options.today,
                    "Last day of the books (default: today's date)")
        ->type_name("YYYY-MM-DD")
        ->check(IsoDateValidator());
    AddHomeOption(*app, arguments->home);

    return {app, [arguments] {
                ApplyHome(arguments->home);
                const Outcome written = WriteSampleCompany(arguments->out, arguments->options);
                if (!written) {
                    std::cerr << "quarrion-cli sample: " << written.Message() << "\n";
                    return kExitFailure;
                }
                return kExitSuccess;
            }};
}

}  // namespace quarrion::cli
