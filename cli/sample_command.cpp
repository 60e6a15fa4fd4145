#include "sample_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "services/calendar_day.h"
#include "services/sample_company.h"

namespace quarrion::cli {

namespace {

struct SampleArguments {
    std::string out;
    SampleCompanyOptions options;
};

// CLI11 validator: a real date written YYYY-MM-DD.
struct IsoDateValidator : public CLI::Validator {
    IsoDateValidator() {
        name_ = "DATE";
        func_ = [](const std::string& text) {
            return ParseIsoDay(text) ? std::string()
                                     : "\"" + text + "\" is not a date written YYYY-MM-DD";
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
        ->check(CLI::Range(1e-6, kMaxSampleScale));
    app->add_option("--today", arguments->options.today,
                    "Last day of the books (default: today's date)")
        ->type_name("YYYY-MM-DD")
        ->check(IsoDateValidator());

    return {app, [arguments] {
                const std::string problem = WriteSampleCompany(arguments->out, arguments->options);
                if (!problem.empty()) {
                    std::cerr << "quarrion-cli sample: " << problem << "\n";
                    return kExitFailure;
                }
                return kExitSuccess;
            }};
}

}  // namespace quarrion::cli
