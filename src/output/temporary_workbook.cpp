#include "output/temporary_workbook.h"

#include <atomic>
#include <cctype>
#include <cstdio>

#include "foundation/app_paths.h"

namespace quarrion {

namespace {

std::atomic<std::uint32_t> workbookCounter{0};

}  // namespace

std::filesystem::path TemporaryExcelFolder() {
    std::filesystem::path folder = DataFolder() / "Temporary Excel Files";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

bool IsOwnWorkbookName(std::string_view name) {
    if (name.size() < 14 || name.substr(0, 4) != "QRTE") return false;
    for (char c : name.substr(4, 10)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

TemporaryWorkbook::TemporaryWorkbook() : number_(++workbookCounter) {
    char name[32];
    std::snprintf(name, sizeof name, "QRTE%010u", static_cast<unsigned>(number_));
    name_ = name;
    path_ = TemporaryExcelFolder() / (name_ + ".xlsx");
}

TemporaryWorkbook::~TemporaryWorkbook() {
    Remove();
}

Outcome TemporaryWorkbook::Build(std::span<const ResultList* const> lists,
                                 const WorkbookProgress& progress) {
    return WriteWorkbook(path_, lists, progress);
}

void TemporaryWorkbook::Remove() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace quarrion
