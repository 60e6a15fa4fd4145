#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "model/search_object2.h"
#include "results/result_list.h"

namespace quarrion::cli {

// Where a finished search's lists go: standard output in a format, files in a folder,
// or both.
struct OutputOptions {
    std::string format = "table";
    std::string exportDir;
    std::string as = "csv";
    bool guardFormulas = false;
    bool standardQuoting = false;
    bool hideEmpty = false;  // leave out the types without rows
    bool bom = false;        // csv and tsv files start with the UTF-8 byte order mark
    bool replace = false;    // --export may replace files of the same names

    CLI::Option* formatOption = nullptr;
    CLI::Option* exportOption = nullptr;
    CLI::Option* asOption = nullptr;
    CLI::Option* replaceOption = nullptr;
};

void AddOutputOptions(CLI::App& app, OutputOptions& options);

// "" or a usage error in the combination of the options. `replaceServesSave`: the
// command's --save uses --replace too, so --replace without --export is no error.
std::string CheckOutputOptions(const OutputOptions& options, bool replaceServesSave = false);

// Writes the lists: to standard output in the chosen format (unless only --export was
// given: then the written files' paths), and into the export folder. The caption names
// the workbook. Without --replace nothing is exported when one of the files to write
// exists already: the message names the files and suggests --replace. Answers 0, or 1
// when a file could not be written or would have replaced one (message on stderr; no
// file is left half written, an earlier file stays as it was).
int WriteResults(const std::string& command, const OutputOptions& options, SearchObject2& search,
                 const std::vector<ResultList>& lists);

}  // namespace quarrion::cli
