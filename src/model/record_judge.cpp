#include "model/record_judge.h"

#include <cstring>
#include <limits>

#include "model/field_path.h"

namespace quarrion {

namespace {

// A cheap hash of a NUL-terminated name: its first (at most twelve) characters,
// read without measuring the whole name. Names that share that start only cost one
// more comparison.
inline std::uint32_t HashName(const char* name) {
    std::uint32_t hash = 2166136261u;
    for (int i = 0; i < 12 && name[i]; ++i) {
        hash = (hash ^ static_cast<unsigned char>(name[i])) * 16777619u;
    }
    return hash;
}

}  // namespace

RecordJudge::RecordJudge(IncItem& item, Examinors& examinors) : item_(item), examinors_(examinors) {
    byFieldRules_ = item.FieldExaminors.ContainsData();
    if (byFieldRules_) return;
    everything_ = item.SearchColumns.Count() == 0;
    rulesHoldData_ = examinors.ContainsData();
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
    std::uint32_t hash = HashName(name.c_str());
    for (NameTests& entry : names_) {
        if (entry.hash == hash && entry.name == name) return entry;
    }
    names_.push_back({name, hash, {}});
    Rehash();
    return names_.back();
}

const RecordJudge::NameTests* RecordJudge::Find(const char* name) const {
    if (slots_.empty()) return nullptr;
    const std::uint32_t hash = HashName(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask; slots_[at] >= 0; at = (at + 1) & mask) {
        const NameTests& entry = names_[static_cast<std::size_t>(slots_[at])];
        // Comparing up to the terminating NUL settles the length without measuring it;
        // strncmp never reads past the end of the shorter name.
        if (entry.hash == hash &&
            std::strncmp(entry.name.c_str(), name, entry.name.size() + 1) == 0) {
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
