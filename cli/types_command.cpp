#include "types_command.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "qbxml/request_type_info.h"

namespace quarrion::cli {

Command AddTypesCommand(CLI::App& app) {
    CLI::App* sub = app.add_subcommand(
        "types",
        "List every type a search can include: code, name and title, tab-separated; "
        "--type takes any of the three");
    return {sub, [] {
                std::cout << "Code\tName\tTitle\n";
                for (const RequestType& type : RequestTypeInfo::All()) {
                    std::cout << type.code << '\t' << type.stem << '\t' << type.title << '\n';
                }
                return kExitSuccess;
            }};
}

}  // namespace quarrion::cli
