#include "output/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "foundation/atomic_path.h"
#include "foundation/leading_number.h"
#include "output/sheet_names.h"
#include "output/sheet_preview.h"
#include "output/workbook_styles.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// The font a sheet is shown in, and the fills of its heading row and totals.
constexpr const char* kFontName = "Verdana";
constexpr double kFontSize = 8;
constexpr lxw_color_t kHeadingFill = 0x696969;  // RGB 105, 105, 105
constexpr lxw_color_t kHeadingText = 0xFFFF00;  // yellow
constexpr lxw_color_t kTotalFill = 0xCCFFCC;    // light green
// A spreadsheet cell holds at most this many characters.
constexpr std::size_t kMaxCellText = 32767;
// Widest column a spreadsheet accepts, and what an empty column keeps.
constexpr double kMaxColumnWidth = 255;
constexpr double kDefaultColumnWidth = 8.43;
// Date and date-time cells; a shown value is as long as its pattern.
constexpr const char* kDateFormat = "yyyy-mm-dd";
constexpr const char* kDateTimeFormat = "yyyy-mm-dd hh:mm:ss";

// What a column's data-type code does to its cells.
enum class ColumnKind { General, Currency, Count, Percent, Text, Date, DateTime };

ColumnKind KindOf(std::int32_t code) {
    switch (code) {
        case DataTypeCode::Amt:
        case DataTypeCode::Price:
            return ColumnKind::Currency;
        case DataTypeCode::Int:
        case DataTypeCode::Quan:
            return ColumnKind::Count;
        case DataTypeCode::Percent:
            return ColumnKind::Percent;
        case DataTypeCode::Str:
            return ColumnKind::Text;
        case DataTypeCode::Date:
            return ColumnKind::Date;
        case DataTypeCode::DateTime:
            return ColumnKind::DateTime;
        default:
            return ColumnKind::General;
    }
}

bool HasTotal(std::int32_t code) {
    return code == DataTypeCode::Amt || code == DataTypeCode::Int || code == DataTypeCode::Quan;
}

// Characters a UTF-8 text shows (continuation bytes do not count).
std::size_t ShownLength(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

// Digits left of the decimal point, with the thousands separators the formats add.
std::size_t GroupedIntegerLength(double magnitude) {
    std::size_t digits = magnitude < 10 ? 1 : static_cast<std::size_t>(std::log10(magnitude)) + 1;
    return digits + (digits - 1) / 3;
}

// Characters a number shows in its column's format; the formats' padding (_) and
// _( ) takes about one character each.
std::size_t ShownNumberLength(double value, ColumnKind kind) {
    double magnitude = std::fabs(value);
    switch (kind) {
        case ColumnKind::Currency:  // $1,234.56 plus padding or parentheses
            return 1 + GroupedIntegerLength(magnitude) + 3 + 1;
        case ColumnKind::Count:  // padding, 1,234, padding
            return 1 + GroupedIntegerLength(std::round(magnitude)) + 1;
        case ColumnKind::Percent:  // 12.50% plus padding
            return GroupedIntegerLength(magnitude * 100) + 3 + 1 + 1;
        default: {
            char buffer[32];
            int length = std::snprintf(buffer, sizeof buffer, "%.10g", value);
            return length > 0 ? static_cast<std::size_t>(length) : 1;
        }
    }
}

// A cell's text as a spreadsheet program accepts it: bytes that are not UTF-8 (lone
// surrogates included) and the characters XML forbids (U+FFFE, U+FFFF) become U+FFFD,
// and a text longer than a cell holds (32,767 UTF-16 units) is cut and ends with "…"
// so the cut shows. Clean texts come back as they are, without a copy; otherwise the
// repaired text is built in `scratch`.
std::string_view CellText(std::string_view text, std::string& scratch) {
    bool plain = text.size() <= kMaxCellText;
    for (std::size_t i = 0; plain && i < text.size(); ++i) {
        plain = static_cast<unsigned char>(text[i]) < 0x80;
    }
    if (plain) return text;

    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    static constexpr std::string_view kCutMark = "\xE2\x80\xA6";  // …
    scratch.clear();
    std::size_t units = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length > 0 && at + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[at + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // A well-formed sequence of a forbidden value (an overlong form, a surrogate,
        // past U+10FFFF, U+FFFE or U+FFFF) becomes one U+FFFD; a stray byte one each.
        const bool formed = valid;
        if (valid) {
            valid = !(length == 2 && code < 0x80) && !(length == 3 && code < 0x800) &&
                    !(length == 4 && (code < 0x10000 || code > 0x10FFFF)) &&
                    !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
        }
        scratch.append(valid ? text.substr(at, length) : kReplacement);
        units += valid && code >= 0x10000 ? 2 : 1;
        at += formed ? length : 1;
    }
    if (units <= kMaxCellText) return scratch;

    // Cut on a character boundary where the mark still fits.
    std::size_t kept = 0;
    std::size_t cut = 0;
    while (cut < scratch.size()) {
        const unsigned char lead = static_cast<unsigned char>(scratch[cut]);
        const std::size_t length = lead < 0x80          ? 1
                                   : (lead >> 5) == 0x6 ? 2
                                   : (lead >> 4) == 0xE ? 3
                                                        : 4;
        const std::size_t charUnits = length == 4 ? 2 : 1;
        if (kept + charUnits > kMaxCellText - 1) break;
        kept += charUnits;
        cut += length;
    }
    scratch.resize(cut);
    scratch.append(kCutMark);
    return scratch;
}

std::string LibraryError(lxw_error error) {
    return lxw_strerror(error);
}

// The formats every sheet shares, made once per workbook (the workbook owns them).
struct Formats {
    lxw_format* plain = nullptr;
    lxw_format* heading = nullptr;
    lxw_format* total = nullptr;
    lxw_format* currency = nullptr;
    lxw_format* count = nullptr;
    lxw_format* percent = nullptr;
    lxw_format* text = nullptr;
    lxw_format* date = nullptr;
    lxw_format* dateTime = nullptr;

    lxw_format* ForData(ColumnKind kind) const {
        switch (kind) {
            case ColumnKind::Currency:
                return currency;
            case ColumnKind::Count:
                return count;
            case ColumnKind::Percent:
                return percent;
            case ColumnKind::Text:
                return text;
            case ColumnKind::Date:
                return date;
            case ColumnKind::DateTime:
                return dateTime;
            default:
                return plain;
        }
    }
};

lxw_format* SheetFormat(lxw_workbook* book) {
    lxw_format* format = workbook_add_format(book);
    format_set_font_name(format, kFontName);
    format_set_font_size(format, kFontSize);
    format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    return format;
}

lxw_format* NumberFormat(lxw_workbook* book, const char* pattern) {
    lxw_format* format = SheetFormat(book);
    format_set_num_format(format, pattern);
    return format;
}

// The workbook's default format (the first the library makes, cell style "Normal")
// becomes Verdana 8, top-aligned, so every cell of every sheet, written or not, shows
// in the sheet font, as the list's own columns do.
void SetSheetFontAsDefault(lxw_workbook* book) {
    lxw_format* normal = book->formats ? STAILQ_FIRST(book->formats) : nullptr;
    if (!normal) return;
    format_set_font_name(normal, kFontName);
    format_set_font_size(normal, kFontSize);
    format_set_align(normal, LXW_ALIGN_VERTICAL_TOP);
}

Formats MakeFormats(lxw_workbook* book) {
    SetSheetFontAsDefault(book);
    Formats f;
    f.plain = SheetFormat(book);
    f.heading = SheetFormat(book);
    format_set_pattern(f.heading, LXW_PATTERN_SOLID);
    format_set_bg_color(f.heading, kHeadingFill);
    format_set_font_color(f.heading, kHeadingText);
    f.total = SheetFormat(book);
    format_set_bold(f.total);
    format_set_italic(f.total);
    format_set_pattern(f.total, LXW_PATTERN_SOLID);
    format_set_bg_color(f.total, kTotalFill);
    f.currency = NumberFormat(book, "$#,##0.00_);[Red]($#,##0.00)");
    f.count = NumberFormat(book, "_(* #,##0_);_(* (#,##0);_(* \"-\"??_);_(@_)");
    f.percent = NumberFormat(book, "##0.00%_);[Red](##0.00%)");
    f.text = NumberFormat(book, "@");
    // The order qbXML writes dates in, so a sheet reads as the list does while a
    // spreadsheet sorts and filters the cells as dates.
    f.date = NumberFormat(book, kDateFormat);
    f.dateTime = NumberFormat(book, kDateTimeFormat);
    return f;
}

// What the writer learns about a column while streaming its cells.
struct ColumnState {
    std::int32_t code = 0;
    ColumnKind kind = ColumnKind::General;
    lxw_format* format = nullptr;
    std::size_t widest = 0;
    double sum = 0;
};

double ColumnWidth(std::size_t characters) {
    if (characters == 0) return kDefaultColumnWidth;
    return std::min(kMaxColumnWidth, static_cast<double>(characters) + 1.5);
}

class SheetFiller {
  public:
    SheetFiller(lxw_worksheet* sheet, const Formats& formats, const WorkbookProgress& progress,
                std::size_t& rowsWritten, std::size_t rowsTotal)
        : sheet_(sheet),
          formats_(formats),
          progress_(progress),
          rowsWritten_(rowsWritten),
          rowsTotal_(rowsTotal) {}

    std::string Fill(const ResultList& list) {
        std::size_t columnCount = list.Columns.size();
        for (const ResultRow& row : list.Rows)
            columnCount = std::max(columnCount, row.Cells.size());
        if (columnCount > LXW_COL_MAX) return TooLarge(list, "columns");
        if (list.Rows.size() + 2 > LXW_ROW_MAX) return TooLarge(list, "rows");

        columns_.assign(columnCount, ColumnState{});
        for (std::size_t c = 0; c < columnCount; ++c) {
            ColumnState& column = columns_[c];
            column.code = c < list.Columns.size() ? list.Columns[c].DataTypeCode : 0;
            column.kind = KindOf(column.code);
            column.format = formats_.ForData(column.kind);
        }

        for (std::size_t c = 0; c < list.Columns.size(); ++c) {
            const std::string& heading = list.Columns[c].Heading;
            if (auto error = WriteText(0, c, heading, formats_.heading); !error.empty()) {
                return error;
            }
            columns_[c].widest = ShownLength(heading);
        }

        lxw_row_t r = 1;
        for (const ResultRow& row : list.Rows) {
            for (std::size_t c = 0; c < row.Cells.size(); ++c) {
                if (auto error = WriteCell(r, c, row.Cells[c]); !error.empty()) return error;
            }
            ++rowsWritten_;
            if (r % 10 == 0 && progress_) progress_(rowsWritten_, rowsTotal_);
            ++r;
        }

        if (!list.Rows.empty()) {
            if (auto error = WriteTotals(list.Rows.size()); !error.empty()) return error;
        }
        return FinishColumns();
    }

  private:
    static std::string TooLarge(const ResultList& list, const char* what) {
        return "The list \"" + list.Title + "\" has more " + what + " than a worksheet holds.";
    }

    std::string WriteText(lxw_row_t r, std::size_t c, std::string_view text, lxw_format* format) {
        std::string scratch;
        std::string owned(CellText(text, scratch));
        lxw_error error =
            worksheet_write_string(sheet_, r, static_cast<lxw_col_t>(c), owned.c_str(), format);
        return error == LXW_NO_ERROR ? std::string() : LibraryError(error);
    }

    std::string WriteCell(lxw_row_t r, std::size_t c, const std::string& text) {
        ColumnState& column = columns_[c];
        double value = 0;
        bool number = false;
        if (column.kind == ColumnKind::Percent) {
            value = LeadingNumber(text) / 100;
            number = true;
        } else if (DataTypeCode::IsNumber(column.code)) {
            number = ParseSheetNumber(text, value);
        }

        SheetDate date;
        const bool dated =
            (column.kind == ColumnKind::Date || column.kind == ColumnKind::DateTime) &&
            ParseSheetDate(text, date);

        lxw_error error;
        const lxw_col_t col = static_cast<lxw_col_t>(c);
        if (dated) {
            lxw_datetime moment{date.Year, date.Month,  date.Day,
                                date.Hour, date.Minute, static_cast<double>(date.Second)};
            error = worksheet_write_datetime(sheet_, r, col, &moment, column.format);
            column.widest = std::max(column.widest, column.kind == ColumnKind::Date
                                                        ? std::strlen(kDateFormat)
                                                        : std::strlen(kDateTimeFormat));
        } else if (number) {
            error = worksheet_write_number(sheet_, r, col, value, column.format);
            column.sum += value;
            column.widest = std::max(column.widest, ShownNumberLength(value, column.kind));
        } else if (text.empty()) {
            // The column's format still covers the empty cell, as it covers the range.
            error = worksheet_write_blank(sheet_, r, col, column.format);
        } else {
            std::string_view shown = CellText(text, scratch_);
            error = worksheet_write_string(
                sheet_, r, col, shown.data() == text.data() ? text.c_str() : scratch_.c_str(),
                column.format);
            column.widest = std::max(column.widest, ShownLength(shown));
        }
        return error == LXW_NO_ERROR ? std::string() : LibraryError(error);
    }

    // One row below the data: "=SUM($C$2:$C$n+1)" under each amount, integer and
    // quantity column.
    std::string WriteTotals(std::size_t rowCount) {
        const lxw_row_t totalRow = static_cast<lxw_row_t>(rowCount + 1);
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            ColumnState& column = columns_[c];
            if (!HasTotal(column.code)) continue;
            char range[64];
            lxw_rowcol_to_range_abs(range, 1, static_cast<lxw_col_t>(c), totalRow - 1,
                                    static_cast<lxw_col_t>(c));
            std::string formula = std::string("=SUM(") + range + ")";
            lxw_error error =
                worksheet_write_formula_num(sheet_, totalRow, static_cast<lxw_col_t>(c),
                                            formula.c_str(), formats_.total, column.sum);
            if (error != LXW_NO_ERROR) return LibraryError(error);
            column.widest =
                std::max(column.widest, ShownNumberLength(column.sum, ColumnKind::General));
        }
        return {};
    }

    // Widths fitted to the content, the sheet font as the style of every used column
    // (so cells typed there later look the same), print titles on row 1. Columns
    // beyond the list are left alone: styling them would make a spreadsheet program
    // count all 16,384 columns as used.
    std::string FinishColumns() {
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            lxw_error error =
                worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                     ColumnWidth(columns_[c].widest), formats_.plain);
            if (error != LXW_NO_ERROR) return LibraryError(error);
        }
        // Row 1 repeats on printed pages even when the list has no columns: the
        // print titles are part of every sheet's set-up.
        lxw_error error = worksheet_repeat_rows(sheet_, 0, 0);
        if (error != LXW_NO_ERROR) return LibraryError(error);
        return {};
    }

    lxw_worksheet* sheet_;
    const Formats& formats_;
    const WorkbookProgress& progress_;
    std::size_t& rowsWritten_;
    std::size_t rowsTotal_;
    std::vector<ColumnState> columns_;
    std::string scratch_;  // a repaired cell text, reused from cell to cell
};

// Closes the workbook on every path; a book closed early reports nothing more.
class Book {
  public:
    Book(const std::filesystem::path& file, const std::filesystem::path& scratchFolder)
        : scratch_(scratchFolder.string()) {
        lxw_workbook_options options{};
        // Rows go to a scratch file as they are written, so memory stays flat; the
        // scratch file sits beside the target rather than in a /tmp that may be RAM.
        options.constant_memory = LXW_TRUE;
        options.tmpdir = scratch_.empty() ? nullptr : scratch_.data();
        book_ = workbook_new_opt(file.c_str(), &options);
    }
    ~Book() {
        if (book_) workbook_close(book_);
    }
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    lxw_workbook* Get() const { return book_; }
    lxw_error Close() {
        lxw_error error = workbook_close(book_);
        book_ = nullptr;
        return error;
    }

  private:
    std::string scratch_;
    lxw_workbook* book_ = nullptr;
};

}  // namespace

Outcome WriteWorkbook(const std::filesystem::path& file, std::span<const ResultList* const> lists,
                      const WorkbookProgress& progress) {
    AtomicPath target(file);
    if (!target.Error().empty()) return Outcome::Fail(target.Error());
    Book book(target.TemporaryPath(), file.parent_path());
    if (!book.Get()) return Outcome::Fail("Cannot start the workbook " + file.string() + ".");

    std::vector<std::string> titles;
    std::size_t rowsTotal = 0;
    for (const ResultList* list : lists) {
        titles.push_back(list->Title);
        rowsTotal += list->Rows.size();
    }
    std::vector<std::string> names = UniqueSheetNames(titles);
    Formats formats = MakeFormats(book.Get());

    std::size_t rowsWritten = 0;
    lxw_worksheet* last = nullptr;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lxw_worksheet* sheet = workbook_add_worksheet(book.Get(), names[i].c_str());
        if (!sheet) return Outcome::Fail("Cannot add the worksheet \"" + names[i] + "\".");
        SheetFiller filler(sheet, formats, progress, rowsWritten, rowsTotal);
        if (auto error = filler.Fill(*lists[i]); !error.empty()) {
            return Outcome::Fail("Cannot fill the worksheet \"" + names[i] + "\": " + error);
        }
        last = sheet;
    }
    // A workbook needs one sheet; an empty search still gets one, empty.
    if (!last) last = workbook_add_worksheet(book.Get(), nullptr);
    if (last) worksheet_activate(last);

    // Read before the close frees the formats: the place of the percent format among
    // the cell formats, or -1 when no cell used it.
    const int percentXf = formats.percent->xf_index;
    if (lxw_error error = book.Close(); error != LXW_NO_ERROR) {
        return Outcome::Fail("Cannot write the workbook " + file.string() + ": " +
                             LibraryError(error));
    }
    std::error_code kind;
    if (percentXf >= 0 && std::filesystem::is_regular_file(target.TemporaryPath(), kind)) {
        if (Outcome styled = AddPercentCellStyle(target.TemporaryPath(), percentXf); !styled) {
            return Outcome::Fail("Cannot write the workbook " + file.string() + ": " +
                                 styled.Message() + ".");
        }
    }
    return target.Commit();
}

Outcome WriteWorkbook(const std::filesystem::path& file, std::span<const ResultList> lists,
                      const WorkbookProgress& progress) {
    std::vector<const ResultList*> pointers;
    pointers.reserve(lists.size());
    for (const ResultList& list : lists) pointers.push_back(&list);
    return WriteWorkbook(file, std::span<const ResultList* const>(pointers), progress);
}

}  // namespace quarrion
