#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "foundation/outcome.h"
#include "output/workbook_writer.h"
#include "results/result_list.h"

namespace quarrion {

// The "Temporary Excel Files" folder of the data folder, created when missing.
std::filesystem::path TemporaryExcelFolder();

// True for the names this program gives its workbooks: "QRTE" at the start, at
// least 14 characters, and characters 5 to 14 all digits.
bool IsOwnWorkbookName(std::string_view name);

// The workbook one workbook window shows. Each object takes the next number of a
// process-wide counter (1, 2, ...), is named "QRTE" + the number in ten digits
// (QRTE0000000001), and lives at TemporaryExcelFolder()/name.xlsx. The file belongs
// to the object: `Remove` or the destructor (the window closing) deletes it.
class TemporaryWorkbook {
  public:
    TemporaryWorkbook();
    ~TemporaryWorkbook();
    TemporaryWorkbook(const TemporaryWorkbook&) = delete;
    TemporaryWorkbook& operator=(const TemporaryWorkbook&) = delete;

    std::uint32_t Number() const { return number_; }
    const std::string& Name() const { return name_; }
    const std::filesystem::path& Path() const { return path_; }

    // Writes the lists into the file (see WriteWorkbook). "" or a message.
    Outcome Build(std::span<const ResultList* const> lists, const WorkbookProgress& progress = {});
    // Deletes the file if it exists; failures are ignored (the folder is scratch).
    void Remove();

  private:
    std::uint32_t number_;
    std::string name_;
    std::filesystem::path path_;
};

}  // namespace quarrion
