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
#include "qbxml/qbxml_document.h"
#include "qbxml/request_type_info.h"
#include "results/record_paths.h"
#include "search_options.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "view";

struct ViewArguments {
    SearchOptions search;
    std::string key;
    std::string id;   // TxnID or ListID
    std::string ref;  // RefNumber
    std::string out;
};

// The keys of the records in the type's stored response whose identity (TxnID or
// ListID) or number (RefNumber) is `wanted`, in key order.
std::vector<std::string> KeysOf(const IncItem& item, bool byId, const std::string& wanted) {
    pugi::xml_document document;
    std::vector<std::string> keys;
    if (!document.load_buffer(item.Response.data(), item.Response.size())) return keys;
    const std::vector<pugi::xml_node> records = RecordElements(
        document,
        RequestTypeInfo::RecordElementName(static_cast<std::int32_t>(item.RequestType())));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const pugi::xml_node& record = records[i];
        const bool match = byId ? (Qbxml::ChildText(record, "TxnID") == wanted ||
                                   Qbxml::ChildText(record, "ListID") == wanted)
                                : Qbxml::ChildText(record, "RefNumber") == wanted;
        if (match) keys.push_back(RecordKey(i));
    }
    return keys;
}

// Names the record so a key taken from another search cannot quietly show the wrong
// one: its type, its number or name, and its date where it has them.
std::string RecordNaming(std::int32_t type, const pugi::xml_node& record) {
    std::string naming = RequestTypeInfo::TypeTitle(type);
    for (const char* part : {"RefNumber", "FullName", "Name"}) {
        std::string_view text = Qbxml::ChildText(record, part);
        if (!text.empty()) {
            naming += " " + std::string(text);
            break;
        }
    }
    if (std::string_view party = Qbxml::ChildText(record.child("CustomerRef"), "FullName");
        !party.empty()) {
        naming += ", " + std::string(party);
    } else if (std::string_view vendor = Qbxml::ChildText(record.child("VendorRef"), "FullName");
               !vendor.empty()) {
        naming += ", " + std::string(vendor);
    }
    if (std::string_view date = Qbxml::ChildText(record, "TxnDate"); !date.empty()) {
        naming += ", " + std::string(date);
    }
    return naming;
}

// How many records the type's stored response holds.
std::size_t RecordCount(const IncItem& item) {
    pugi::xml_document document;
    if (!document.load_buffer(item.Response.data(), item.Response.size())) return 0;
    return RecordElements(document, RequestTypeInfo::RecordElementName(
                                        static_cast<std::int32_t>(item.RequestType())))
        .size();
}

int Run(ViewArguments& arguments) {
    const int ways = !arguments.key.empty() + !arguments.id.empty() + !arguments.ref.empty();
    if (ways != 1) {
        Complain(kCommand, "give one of --key, --id or --ref to say which record to show");
        return kExitUsage;
    }
    if (!arguments.key.empty() && !KeyPosition(arguments.key)) {
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

    if (arguments.key.empty()) {
        const IncItem* item = run.ItemOf(type);
        const bool byId = !arguments.id.empty();
        const std::string& wanted = byId ? arguments.id : arguments.ref;
        const std::vector<std::string> keys =
            item ? KeysOf(*item, byId, wanted) : std::vector<std::string>{};
        const std::string what = (byId ? "the identity " : "the number ") + wanted;
        if (keys.empty()) {
            Complain(kCommand, "no " + RequestTypeInfo::TypeName(type) +
                                   " record the search received has " + what);
            return kExitFailure;
        }
        if (keys.size() > 1) {
            std::string listed;
            for (const std::string& key : keys) listed += (listed.empty() ? "" : ", ") + key;
            Complain(kCommand, std::to_string(keys.size()) + " " + RequestTypeInfo::TypeName(type) +
                                   " records have " + what + " (" + listed +
                                   "); give --key or --id");
            return kExitFailure;
        }
        arguments.key = keys.front();
    }

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
    note << "Wrote " << Printable(arguments.out) << " (" << view.Caption()
         << "): " << RecordNaming(type, record.document_element()) << ", key " << arguments.key
         << ".\n";
    return kExitSuccess;
}

}  // namespace

Command AddViewCommand(CLI::App& parent) {
    auto arguments = std::make_shared<ViewArguments>();
    CLI::App* app = parent.add_subcommand(
        "view",
        "Run a search and write the data view of one record, taken by its key, its identity or "
        "its number, as an HTML page. Exit status 1 when no record fits.");
    AddSearchOptions(*app, arguments->search, TypeUse::Single);
    app->add_option("--key", arguments->key,
                    "The record's key as this search lists it (k0, k1, ...)")
        ->type_name("kN");
    app->add_option("--id", arguments->id, "The record's TxnID or ListID")->type_name("ID");
    app->add_option("--ref", arguments->ref, "The transaction's number (RefNumber), such as 1003")
        ->type_name("NUMBER");
    app->add_option("--out", arguments->out, "The HTML page to write (replaced whole)")
        ->required()
        ->type_name("FILE.html");
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
