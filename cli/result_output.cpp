#include "result_output.h"

#include <filesystem>
#include <iostream>

#include "cli_support.h"
#include "output/delimited_export.h"
#include "output/workbook_writer.h"
#include "search/result_text.h"

namespace quarrion::cli {

namespace {

namespace fs = std::filesystem;

int FormatCode(const std::string& name) {
    return name == "tsv" ? ExportFormat::Tab : ExportFormat::Comma;
}

// A caption as a file name: path separators and control characters become '_'.
std::string FileNameOf(const std::string& caption) {
    std::string name;
    for (char c : caption) {
        name.push_back(c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 ? '_' : c);
    }
    if (name.empty() || name == "." || name == "..") name = "Search";
    return name;
}

// Makes sure the export folder exists; "" or why it cannot be used.
std::string ReadyFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return {};
    if (fs::exists(folder, error)) return folder.string() + " is not a folder";
    fs::create_directories(folder, error);
    if (error) return "cannot create the folder " + folder.string() + ": " + error.message();
    return {};
}

// "" when none of the files exists, else the sentence that refuses to replace them.
std::string ReplaceRefusal(const std::vector<fs::path>& files) {
    std::vector<std::string> existing;
    for (const fs::path& file : files) {
        std::error_code error;
        if (fs::exists(file, error)) existing.push_back(file.string());
    }
    if (existing.empty()) return {};
    if (existing.size() == 1) {
        return existing.front() +
               " exists already; nothing was exported. Add --replace to "
               "replace it, or export into another folder";
    }
    std::string names;
    for (const std::string& name : existing) names += (names.empty() ? "" : ", ") + name;
    return names +
           " exist already; nothing was exported. Add --replace to replace them, or "
           "export into another folder";
}

}  // namespace

void AddOutputOptions(CLI::App& app, OutputOptions& options) {
    options.formatOption =
        app.add_option("--format", options.format,
                       "Standard output: table (aligned, the default), csv, tsv or json")
            ->type_name("table|csv|tsv|json")
            ->check(CLI::IsMember({"table", "csv", "tsv", "json"}).description(""));
    options.exportOption =
        app.add_option("--export", options.exportDir,
                       "Write the lists into this folder: each as \"<title> List.csv\" (or .txt), "
                       "or the whole search as \"<caption>.xlsx\"")
            ->type_name("DIR")
            ->check(NotEmptyValidator());
    options.asOption =
        app.add_option("--as", options.as, "Export format: csv (default), tsv or xlsx")
            ->type_name("csv|tsv|xlsx")
            ->check(CLI::IsMember({"csv", "tsv", "xlsx"}).description(""));
    app.add_flag("--hide-empty", options.hideEmpty,
                 "Leave the types that found nothing out of the output, the exported files and "
                 "the workbook");
    app.add_flag("--bom", options.bom,
                 "Start exported csv and tsv files with the UTF-8 byte order mark, so a "
                 "spreadsheet program reads accented letters right");
    options.replaceOption = app.add_flag(
        "--replace", options.replace,
        "Let --export replace files of the same names; without it --export writes nothing "
        "when one of its files exists already");
    app.add_flag("--guard-formulas", options.guardFormulas,
                 "In csv and tsv output, put an apostrophe before a text value starting with =, +, "
                 "-, @, TAB or CR (also after a line break inside it) so a spreadsheet does not "
                 "run it; implies --standard-quoting");
    app.add_flag("--standard-quoting", options.standardQuoting,
                 "In csv and tsv output, quote as RFC 4180 does (a field holding a comma, a "
                 "double quote, CR or LF is quoted, inner quotes doubled; in tsv a TAB, CR or "
                 "LF inside a field becomes a blank), so any reader gets the fields back");
}

std::string CheckOutputOptions(const OutputOptions& options, bool replaceServesSave) {
    if (options.replace && options.exportDir.empty() && !replaceServesSave) {
        return "--replace needs --export DIR";
    }
    if (options.asOption && options.asOption->count() > 0 && options.exportDir.empty()) {
        return "--as needs --export DIR";
    }
    if (options.bom && (options.exportDir.empty() || options.as == "xlsx")) {
        return "--bom is for csv and tsv files written with --export DIR";
    }
    return {};
}

int WriteResults(const std::string& command, const OutputOptions& options, SearchObject2& search,
                 const std::vector<ResultList>& allLists) {
    // The shown types: all of them, or with --hide-empty those with rows. The lists
    // pair with the items by position.
    IncItems shownItems;
    std::vector<ResultList> shownLists;
    if (options.hideEmpty) {
        search.IncludeItems.Copy(shownItems, CopyDirection::IntoTarget);
        for (std::size_t position = allLists.size(); position >= 1; --position) {
            if (allLists[position - 1].Rows.empty() && position <= shownItems.Count()) {
                shownItems.Remove(position);
            }
        }
        for (const ResultList& list : allLists) {
            if (!list.Rows.empty()) shownLists.push_back(list);
        }
    }
    const IncItems& items = options.hideEmpty ? shownItems : search.IncludeItems;
    const std::vector<ResultList>& lists = options.hideEmpty ? shownLists : allLists;
    const bool toStandardOutput = options.exportDir.empty() || options.formatOption->count() > 0;
    if (toStandardOutput) {
        const ExportOptions delimited{FormatCode(options.format), options.guardFormulas,
                                      options.standardQuoting};
        if (options.format == "json") {
            std::cout << ResultsJson(ResultsCaption(search), items, lists);
        } else if (options.format == "csv" || options.format == "tsv") {
            std::cout << ResultsDelimited(lists, delimited);
        } else {
            std::cout << ResultsTable(items, lists);
        }
        std::cout.flush();
    }
    if (options.exportDir.empty()) return 0;

    const fs::path folder(options.exportDir);
    if (std::string problem = ReadyFolder(folder); !problem.empty()) {
        Complain(command, "--export: " + problem);
        return 1;
    }
    std::ostream& written = toStandardOutput ? std::cerr : std::cout;
    const ExportOptions fileOptions{FormatCode(options.as), options.guardFormulas,
                                    options.standardQuoting, options.bom};
    std::vector<fs::path> files;
    if (options.as == "xlsx") {
        files.push_back(folder / (FileNameOf(ResultsCaption(search)) + ".xlsx"));
    } else {
        for (const ResultList& list : lists) {
            files.push_back(folder /
                            SilentExportName(FileNameOf(list.Title) + " List", fileOptions.Format));
        }
    }
    if (!options.replace) {
        if (std::string refusal = ReplaceRefusal(files); !refusal.empty()) {
            Complain(command, "--export: " + refusal);
            return 1;
        }
    }

    if (options.as == "xlsx") {
        const fs::path& file = files.front();
        if (Outcome problem = WriteWorkbook(file, std::span<const ResultList>(lists)); !problem) {
            Complain(command, "--export: " + problem.Message());
            return 1;
        }
        written << Printable(file.string()) << "\n";
        return 0;
    }
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const fs::path& file = files[i];
        if (Outcome problem = WriteListFile(file, lists[i], fileOptions); !problem) {
            Complain(command, "--export: " + problem.Message());
            return 1;
        }
        written << Printable(file.string()) << "\n";
    }
    return 0;
}

}  // namespace quarrion::cli
