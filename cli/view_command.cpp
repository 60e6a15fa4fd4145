#include "view_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "cli_support.h"
#include "foundation/atomic_file.h"
#include "output/data_view.h"
#include "output/data_view_page.h"
#include "qbxml/request_type_info.h"
#include "results/record_paths.h"
#include "search_options.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "view";

struct ViewArguments {
    SearchOptions search;
    std::string key;
    std::string out;
};

// How many records the type's stored response holds.
std::size_t RecordCount(const IncItem& item) {
    pugi::xml_document document;
    if (!document.load_buffer(item.Response.data(), item.Response.size())) return 0;
    return RecordElements(document, RequestTypeInfo::RecordElementName(
                                        static_cast<std::int32_t>(item.RequestType())))
        .size();
}

int Run(ViewArguments& arguments) {
    if (!KeyPosition(arguments.key)) {
        Complain(kCommand, "--key: \"" + arguments.key +
                               "\" is no record key; keys are k followed by a number (k0, k1, ...) "
                               "as the search lists them");
        return kExitUsage;
    }
    CliNotifier notifier(kCommand);
    PreparedSearch prepared;
    if (int status =
            PrepareSearch(kCommand, arguments.search, TypeUse::Single, notifier, prepared)) {
        return status;
    }
    const std::int32_t type = prepared.selected.front();

    SearchSession session(ProcessorOf(arguments.search));
    SearchRun& run = session.Run();
    if (int status = RunSearch(kCommand, prepared, session)) return status;

    pugi::xml_document record;
    if (!run.RecordCopy(type, arguments.key, record)) {
        const IncItem* item = run.ItemOf(type);
        const std::size_t count = item ? RecordCount(*item) : 0;
        Complain(kCommand, "no " + RequestTypeInfo::TypeName(type) + " record has the key " +
                               arguments.key + "; the search received " + std::to_string(count) +
                               " records" +
                               (count ? " (k0 to " + RecordKey(count - 1) + ")" : std::string()));
        return kExitFailure;
    }

    DataView view(prepared.store->Catalog());
    view.SetRequestType(type);
    if (Outcome problem = view.SetXMLNode(record.document_element()); !problem) {
        Complain(kCommand, problem.Message());
        return kExitFailure;
    }
    std::string html;
    if (Outcome page = view.Render(html); !page) {
        Complain(kCommand, page.Message());
        return kExitFailure;
    }
    // The page looks for its images one folder above the XML file it was made from; the
    // written copy carries them itself, so it shows them wherever --out puts it.
    html = EmbedDataViewImages(html, view.XmlPath().parent_path().parent_path());
    if (Outcome problem = WriteFileAtomically(arguments.out, html); !problem) {
        Complain(kCommand, "--out: " + problem.Message());
        return kExitFailure;
    }
    // When the page went to standard output itself (--out /dev/stdout), the note goes
    // to standard error so it does not land inside the page.
    std::ostream& note = SameFileAsStandardOutput(arguments.out) ? std::cerr : std::cout;
    note << "Wrote " << Printable(arguments.out) << " (" << view.Caption() << ").\n";
    return kExitSuccess;
}

}  // namespace

Command AddViewCommand(CLI::App& parent) {
    auto arguments = std::make_shared<ViewArguments>();
    CLI::App* app = parent.add_subcommand(
        "view",
        "Run a search and write the data view of one record, taken by its key, as an HTML page. "
        "Exit status 1 when no record has the key.");
    AddSearchOptions(*app, arguments->search, TypeUse::Single);
    app->add_option("--key", arguments->key,
                    "The record's key as the search lists it (k0, k1, ...)")
        ->required()
        ->type_name("kN");
    app->add_option("--out", arguments->out, "The HTML page to write (replaced whole)")
        ->required()
        ->type_name("FILE.html");
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
