#include "catalog_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "cli_support.h"
#include "search/result_text.h"
#include "search/rule_text.h"
#include "search/search_builder.h"
#include "search/store_session.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "catalog";

struct CatalogArguments {
    std::string home;
    std::string action;
    std::string type;
};

int List(const QBXMLTags& catalog, const std::vector<std::int32_t>& types) {
    std::vector<std::vector<std::string>> rows = {
        {"Type", "Seq", "Default", "Field", "Heading", "Default Heading", "Data Type"}};
    for (const QBXMLTag& tag : catalog) {
        if (std::find(types.begin(), types.end(), tag.Code) == types.end()) continue;
        rows.push_back({std::to_string(tag.Code), tag.Sequence ? std::to_string(tag.Sequence) : "",
                        tag.DefaultSequence ? std::to_string(tag.DefaultSequence) : "",
                        RelativeFieldPath(tag.TagName()), tag.UserHeading(), tag.DefaultHeading,
                        tag.DataType()});
    }
    std::cout << AlignedTable(rows, true, {true, true, true});
    return kExitSuccess;
}

int Run(CatalogArguments& arguments) {
    ApplyHome(arguments.home);
    std::vector<std::int32_t> types;
    if (arguments.action == "list") {
        if (arguments.type.empty()) {
            Complain(kCommand, "list needs a type (a code, a name such as Invoice, or all)");
            return kExitUsage;
        }
        RequestTypesResult resolved = RequestTypesOf(arguments.type);
        if (!resolved) {
            Complain(kCommand, resolved.Error);
            return kExitUsage;
        }
        types = resolved.Types;
    } else if (!arguments.type.empty()) {
        Complain(kCommand, arguments.action + " takes no type");
        return kExitUsage;
    }

    CliNotifier notifier(kCommand);
    StoreSession store(&notifier);
    if (!OpenStore(kCommand, store)) return kExitFailure;
    if (arguments.action == "list") return List(store.Catalog(), types);

    IOManager& io = store.Manager();
    const bool reset = arguments.action == "reset";
    StoreResult result = reset ? io.InitDataC() : io.InitDataB();
    if (!result) return kExitFailure;  // the notifier has reported it
    std::cout << (reset ? "Reset" : "Updated") << " the catalog from " << io.ControlFile().string()
              << ": " << store.Catalog().Count() << " entries.\n";
    return kExitSuccess;
}

}  // namespace

Command AddCatalogCommand(CLI::App& parent) {
    auto arguments = std::make_shared<CatalogArguments>();
    CLI::App* app = parent.add_subcommand(
        "catalog",
        "The catalog of qbXML elements per type: list a type's entries with their column "
        "sequence and headings; update it from the shipped control file (keeping your "
        "columns and headings) or reset it to the shipped defaults.");
    AddActionArgument(*app, arguments->action, {"list", "update", "reset"});
    app->add_option("type", arguments->type,
                    "For list: a type code, a name such as Invoice, or all");
    AddHomeOption(*app, arguments->home);
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
