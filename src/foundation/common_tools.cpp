#include "foundation/common_tools.h"

#include "foundation/codes.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// Length in bytes of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Glob match with single-star backtracking: linear in practice, never exponential.
bool Glob(std::string_view text, std::string_view pattern) {
    std::size_t t = 0, p = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starT = t;
        } else if (p < pattern.size() && pattern[p] == '?') {
            t += SequenceLength(static_cast<unsigned char>(text[t]));
            ++p;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++t;
            ++p;
        } else if (starP != std::string_view::npos) {
            starT += SequenceLength(static_cast<unsigned char>(text[starT]));
            t = starT;
            p = starP;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size() && t == text.size();
}

}  // namespace

std::string CommonTools::NormalizeFolder(std::string_view folder) {
    std::string out(folder);
    while (out.size() > 1 && IsSeparator(out.back())) out.pop_back();
    if (out.empty()) return out;
    if (!IsSeparator(out.back())) out.push_back('/');
    return out;
}

std::string CommonTools::FolderOf(std::string_view path) {
    std::size_t at = path.find_last_of("/\\");
    if (at == std::string_view::npos) return {};
    return std::string(path.substr(0, at + 1));
}

std::string CommonTools::LastSegment(std::string_view path) {
    std::size_t at = path.find_last_of("/\\");
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string CommonTools::ExportExtension(int format) {
    switch (format) {
        case ExportFormat::Comma:
            return "csv";
        case ExportFormat::Tab:
            return "txt";
        default:
            return {};
    }
}

std::string CommonTools::ExportFilterText(int format) {
    switch (format) {
        case ExportFormat::Comma:
            return "Comma-separated values (*.csv)";
        case ExportFormat::Tab:
            return "Tab-delimited text (*.txt)";
        default:
            return {};
    }
}

std::string CommonTools::OperatorText(std::int32_t operation) {
    switch (operation) {
        case Operation::LessThan:
            return "Less Than";
        case Operation::LessOrEqual:
            return "Less Than or Equal To";
        case Operation::Equal:
            return "Equal To";
        case Operation::GreaterOrEqual:
            return "Greater Than or Equal To";
        case Operation::GreaterThan:
            return "Greater Than";
        case Operation::Between:
            return "Between";
        case Operation::Contains:
            return "Contains";
        case Operation::TextEquals:
            return "Equals";
        case Operation::InList:
            return "In List";
        case Operation::StartsWith:
            return "Starts With";
        case Operation::EndsWith:
            return "Ends With";
        case Operation::MatchesPattern:
            return "Matches Pattern";
        case Operation::WholeWord:
            return "Whole Word";
        case Operation::IsTrue:
            return "Is True";
        case Operation::IsFalse:
            return "Is False";
        case Operation::IsBlank:
            return "Is Blank";
        default:
            return {};
    }
}

std::string CommonTools::ChoiceText(std::int32_t choice) {
    switch (choice) {
        case Choice::Text:
            return "Text";
        case Choice::AnyNumber:
            return "Any Number";
        case Choice::Percent:
            return "Percent";
        case Choice::Price:
            return "Price";
        case Choice::Quantity:
            return "Quantity";
        case Choice::Amount:
            return "Amount";
        default:
            return {};
    }
}

std::string CommonTools::MatchText(std::string_view recordText, std::string_view pattern) {
    if (recordText.empty()) return {};
    bool matched = Glob(FoldCase(recordText), FoldCase(pattern));
    return matched ? std::string(recordText) : std::string();
}

}  // namespace quarrion
