#include "model/record_judge.h"

#include <limits>

#include "model/field_path.h"

namespace quarrion {

namespace {

// A cheap hash of a NUL-terminated name: its length and its first and last two
// characters. Element names are short and mostly differ there; the full comparison
// after it settles the rest. Also gives the length.
inline std::uint32_t HashName(const char* name, std::size_t& length) {
    length = std::char_traits<char>::length(name);
    if (length == 0) return 0;
    auto at = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(name[i])); };
    std::uint32_t hash = static_cast<std::uint32_t>(length) * 2654435761u;
    hash ^= at(0) | at(length > 1 ? 1 : 0) << 8 | at(length - 1) << 16 | at(length > 2 ? length - 2 : 0) << 24;
    hash *= 2246822519u;
    return hash ^ (hash >> 15);
}

}  // namespace

RecordJudge::RecordJudge(IncItem& item, Examinors& examinors) : item_(item), examinors_(examinors) {
    byFieldRules_ = item.FieldExaminors.ContainsData();
    if (byFieldRules_) return;
    everything_ = item.SearchColumns.Count() == 0;
    std::size_t position = 0;
    for (const SearchColumn& column : item.SearchColumns) {
        ++position;
        if (!column.Column()) continue;
        std::vector<ColumnTest>& tests = Insert(column.ElementName()).tests;
        const std::int32_t code = column.Column()->DataTypeCode();
        // An earlier column with the same element name and data type sees the same
        // values first, so a later twin can never change the outcome.
        bool twin = false;
        for (const ColumnTest& test : tests) twin = twin || test.dataTypeCode == code;
        if (!twin) tests.push_back({position, code});
    }
}

void RecordJudge::Rehash() {
    std::size_t size = 16;
    while (size < names_.size() * 2) size *= 2;
    slots_.assign(size, -1);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        std::size_t at = names_[i].hash & (size - 1);
        while (slots_[at] >= 0) at = (at + 1) & (size - 1);
        slots_[at] = static_cast<std::int32_t>(i);
    }
}

RecordJudge::NameTests& RecordJudge::Insert(const std::string& name) {
    std::size_t length = 0;
    std::uint32_t hash = HashName(name.c_str(), length);
    for (NameTests& entry : names_) {
        if (entry.hash == hash && entry.name == name) return entry;
    }
    names_.push_back({name, hash, {}});
    Rehash();
    return names_.back();
}

const RecordJudge::NameTests* RecordJudge::Find(const char* name) const {
    if (slots_.empty()) return nullptr;
    std::size_t length = 0;
    const std::uint32_t hash = HashName(name, length);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask; slots_[at] >= 0; at = (at + 1) & mask) {
        const NameTests& entry = names_[static_cast<std::size_t>(slots_[at])];
        if (entry.hash == hash && entry.name.size() == length &&
            std::char_traits<char>::compare(entry.name.data(), name, length) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

bool RecordJudge::Decide(pugi::xml_node record, std::string& matchText) {
    matchText.clear();
    if (byFieldRules_) return item_.FieldExaminors.Compare(record) == RuleResult::Holds;
    if (everything_) return true;

    // One walk in document order. A value found for column c can only be beaten by a
    // column before c, so after the first find only earlier columns are tried; the
    // outcome is the one the column-by-column search gives.
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::size_t best = kNone;
    pugi::xml_node node = record.first_child();
    while (node) {
        pugi::xml_node child = node.first_child();
        if (node.type() == pugi::node_element) {
            if (const NameTests* found = Find(node.name())) {
                std::string_view text;
                bool read = false;
                for (const ColumnTest& test : found->tests) {
                    if (test.position >= best) break;
                    if (!read) {
                        text = NodeText(node, scratch_);
                        read = true;
                    }
                    if (examinors_.CompareCode(text, test.dataTypeCode) == RuleResult::Holds) {
                        best = test.position;
                        matchText.assign(text);
                        break;
                    }
                }
                if (best == 1) return true;
            }
            // A leaf's only child is its text, which holds no element: skip it.
            if (child && child.type() == pugi::node_pcdata && !child.next_sibling()) child = {};
        }
        // Next node in document order below the record.
        if (child) {
            node = child;
            continue;
        }
        pugi::xml_node next = node.next_sibling();
        while (!next) {
            node = node.parent();
            if (!node || node == record) return best != kNone;
            next = node.next_sibling();
        }
        node = next;
    }
    return best != kNone;
}

RecordMatch RecordJudge::Decide(pugi::xml_node record) {
    RecordMatch match;
    match.matched = Decide(record, match.matchText);
    return match;
}

RecordMatch DecideRecord(IncItem& item, Examinors& examinors, pugi::xml_node record) {
    RecordJudge judge(item, examinors);
    return judge.Decide(record);
}

}  // namespace quarrion
