#include "store/search_rows.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <charconv>
#include <chrono>
#include <unordered_map>

#include "catalog/qbxml_tags.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "store/database_connection.h"
#include "store/statement_cache.h"

namespace quarrion {

namespace {

// A value the store refuses before the engine sees it.
class Refused : public std::runtime_error {
  public:
    explicit Refused(StoreError error)
        : std::runtime_error(error.Description), Error(std::move(error)) {}
    StoreError Error;
};

// Runs one save step; a failure inside it that no inner step has named yet gets this
// step's name.
template <typename Work>
auto Step(const char* name, Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const SaveStepError&) {
        throw;
    } catch (const Refused& refused) {
        throw SaveStepError(name, refused.Error);
    } catch (const std::exception& e) {
        throw SaveStepError(name, EngineError(e));
    }
}

std::string DateText(SearchDate date) {
    return FormatSearchDate(date) + " 00:00:00";
}

// Reads the date part of "YYYY-MM-DD[ HH:MM:SS]"; anything else is the zero date.
SearchDate DateOf(const SQLite::Column& column) {
    if (column.isNull()) return ZeroDate;
    std::string text = column.getString();
    int y = 0;
    unsigned m = 0, d = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    auto read = [&](auto& out, std::size_t digits) {
        if (static_cast<std::size_t>(end - p) < digits) return false;
        auto [next, error] = std::from_chars(p, p + digits, out);
        if (error != std::errc() || next != p + digits) return false;
        p = next;
        return true;
    };
    auto dash = [&] { return p < end && *p++ == '-'; };
    if (!read(y, 4) || !dash() || !read(m, 2) || !dash() || !read(d, 2)) return ZeroDate;
    std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(m),
                                     std::chrono::day(d)};
    return date.ok() ? SearchDate(date) : ZeroDate;
}

std::string TextOf(const SQLite::Column& column) {
    return column.isNull() ? std::string() : column.getString();
}

// Binds the value columns of a rule, from `first` on in the order text, number, range
// start, range end: each only when its holder has data, null otherwise.
void BindValues(SQLite::Statement& insert, int first, const RuleValues& rule) {
    if (rule.TextCompare.ContainsData()) {
        insert.bind(first, rule.TextCompare.ValueText());
    } else {
        insert.bind(first);
    }
    if (rule.NumberCompare.ContainsData()) {
        insert.bind(first + 1, rule.NumberCompare.ValueNumber());
    } else {
        insert.bind(first + 1);
    }
    const bool range = rule.NumberRange.ContainsData();
    if (range && rule.NumberRange.A().ContainsData()) {
        insert.bind(first + 2, rule.NumberRange.A().ValueNumber());
    } else {
        insert.bind(first + 2);
    }
    if (range && rule.NumberRange.B().ContainsData()) {
        insert.bind(first + 3, rule.NumberRange.B().ValueNumber());
    } else {
        insert.bind(first + 3);
    }
}

// Sets the holders from columns text, number, range start, range end (from `first`)
// that are not null.
void ReadValues(SQLite::Statement& row, int first, RuleValues& rule) {
    if (!row.isColumnNull(first))
        rule.TextCompare.SetValue(std::string_view(row.getColumn(first).getString()));
    if (!row.isColumnNull(first + 1)) {
        rule.NumberCompare.SetValue(row.getColumn(first + 1).getDouble());
    }
    if (!row.isColumnNull(first + 2)) {
        rule.NumberRange.A().SetValue(row.getColumn(first + 2).getDouble());
    }
    if (!row.isColumnNull(first + 3)) {
        rule.NumberRange.B().SetValue(row.getColumn(first + 3).getDouble());
    }
}

// Writes the entries of a rule's two lists that hold data: texts, then numbers.
void WriteLists(StatementCache& statements, SQLite::Database& db, std::int64_t ruleId,
                const RuleValues& rule, const char* textStep, const char* textSql,
                const char* numberStep, const char* numberSql) {
    Step(textStep, [&] {
        for (const auto& entry : rule.TextList) {
            if (!entry->ContainsData()) continue;
            CachedStatement insert = statements.Prepared(db, textSql);
            insert->bind(1, ruleId);
            insert->bind(2, entry->ValueText());
            insert->bind(3, static_cast<std::int64_t>(entry->Index));
            insert->exec();
        }
    });
    Step(numberStep, [&] {
        for (const auto& entry : rule.NumberList) {
            if (!entry->ContainsData()) continue;
            CachedStatement insert = statements.Prepared(db, numberSql);
            insert->bind(1, ruleId);
            insert->bind(2, entry->ValueNumber());
            insert->bind(3, static_cast<std::int64_t>(entry->Index));
            insert->exec();
        }
    });
}

std::int32_t StoredId(const QBXMLTagRef& tag, const char* what) {
    if (tag && tag->ID > 0) return tag->ID;
    std::string path = tag ? tag->TagName() : std::string("(none)");
    throw Refused(StoreError{StoreErrorCode::UnknownCatalogEntry,
                             "The " + std::string(what) + " on \"" + path +
                                 "\" names an element that is not in the catalog table; load the "
                                 "catalog from the database before saving.",
                             "IOManager"});
}

// The entry `id` names in a map of rows already read, or nullptr.
template <class Entry>
Entry* ParentOf(const std::unordered_map<std::int64_t, Entry*>& byId, std::int64_t id) {
    auto found = byId.find(id);
    return found == byId.end() ? nullptr : found->second;
}

// Fills the text and number lists of the rules read from `ruleTable` ("Criterion" or
// "FieldCriterion"): its two list tables name their rule by `ruleField`, and keep
// each list's order in `sequence`.
template <class Rule>
void LoadValueLists(SQLite::Database& db, const std::string& ruleTable, const char* ruleField,
                    const std::unordered_map<std::int64_t, Rule*>& byRule) {
    for (bool text : {true, false}) {
        SQLite::Statement rows(db, std::string("SELECT ") + ruleField + ", " +
                                       (text ? "text_compare" : "number_compare") + " FROM \"" +
                                       ruleTable + (text ? " TextList" : " NumberList") +
                                       "\" ORDER BY " + ruleField + ", sequence");
        while (rows.executeStep()) {
            Rule* rule = ParentOf(byRule, rows.getColumn(0).getInt64());
            if (!rule) continue;
            if (text) {
                rule->TextList.Add(TextOf(rows.getColumn(1)));
            } else {
                rule->NumberList.Add(rows.getColumn(1).getDouble());
            }
        }
    }
}

}  // namespace

SearchRows::SearchRows(SQLite::Database& db, StatementCache& statements)
    : db_(db), statements_(statements) {}

std::int64_t SearchRows::FindByName(std::string_view name) {
    CachedStatement find = statements_.Prepared(db_, "SELECT id FROM \"Search\" WHERE name = ?");
    find->bind(1, std::string(name));
    return find->executeStep() ? find->getColumn(0).getInt64() : 0;
}

bool SearchRows::Delete(std::int64_t id) {
    CachedStatement remove = statements_.Prepared(db_, "DELETE FROM \"Search\" WHERE id = ?");
    remove->bind(1, id);
    return remove->exec() > 0;
}

std::int64_t SearchRows::Write(const SearchObject2& search) {
    const std::int64_t searchId = Step("SaveSearchObject", [&] {
        CachedStatement insert = statements_.Prepared(
            db_,
            "INSERT INTO \"Search\" (name, description, date_filter, from_date, to_date, "
            "from_text, to_text, ignore_accents, field_rules_ignore_case) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert->bind(1, search.Name);
        insert->bind(2, search.Description);
        insert->bind(3, static_cast<std::int64_t>(search.DateFilter));
        insert->bind(4, DateText(search.FromDate));
        insert->bind(5, DateText(search.ToDate));
        insert->bind(6, search.FromText);
        insert->bind(7, search.ToText);
        insert->bind(8, search.TextOptions.IgnoreAccents ? 1 : 0);
        insert->bind(9, search.TextOptions.FieldRuleCase == LetterCase::IgnoreCase ? 1 : 0);
        insert->exec();
        return db_.getLastInsertRowid();
    });

    Step("SaveSearchIncludes", [&] {
        for (const IncItem& item : search.IncludeItems) {
            CachedStatement insert = statements_.Prepared(
                db_, "INSERT INTO \"Search Include\" (search_id, request_type) VALUES (?, ?)");
            insert->bind(1, searchId);
            insert->bind(2, static_cast<std::int64_t>(item.RequestType()));
            insert->exec();
            const std::int64_t includeId = db_.getLastInsertRowid();

            Step("SaveFieldExaminors", [&] {
                for (const FieldExaminor& group : item.FieldExaminors) {
                    if (!group.ContainsData()) continue;
                    CachedStatement add =
                        statements_.Prepared(db_,
                                             "INSERT INTO \"FieldExaminor\" (search_include_id, "
                                             "sequence) VALUES (?, ?)");
                    add->bind(1, includeId);
                    add->bind(2, static_cast<std::int64_t>(group.Index));
                    add->exec();
                    const std::int64_t groupId = db_.getLastInsertRowid();
                    for (const FieldCriterion& rule : group.FieldCriteria) {
                        if (!rule.ContainsData()) continue;
                        const std::int64_t ruleId = Step("SaveFieldCriteria", [&] {
                            CachedStatement row = statements_.Prepared(
                                db_,
                                "INSERT INTO \"FieldCriterion\" (field_examinor_id, sequence, "
                                "operand, and_or, basics_id, text_compare, number_compare, "
                                "from_number, to_number) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
                            row->bind(1, groupId);
                            row->bind(2, static_cast<std::int64_t>(rule.Index));
                            row->bind(3, static_cast<std::int64_t>(rule.Operand));
                            row->bind(4, rule.AndOr);
                            row->bind(5, StoredId(rule.Field(), "field rule"));
                            BindValues(*row, 6, rule);
                            row->exec();
                            return db_.getLastInsertRowid();
                        });
                        WriteLists(statements_, db_, ruleId, rule, "SaveFieldCriterionTextList",
                                   "INSERT INTO \"FieldCriterion TextList\" (field_criterion_id, "
                                   "text_compare, sequence) VALUES (?, ?, ?)",
                                   "SaveFieldCriterionNumberList",
                                   "INSERT INTO \"FieldCriterion NumberList\" (field_criterion_id, "
                                   "number_compare, sequence) VALUES (?, ?, ?)");
                    }
                }
            });

            Step("SaveDisplayColumns", [&] {
                for (const DisplayColumn& column : item.DisplayColumns) {
                    CachedStatement add = statements_.Prepared(
                        db_,
                        "INSERT INTO \"Include Data\" (search_include_id, sequence, basics_id, "
                        "column_heading) VALUES (?, ?, ?, ?)");
                    add->bind(1, includeId);
                    add->bind(2, static_cast<std::int64_t>(column.Index));
                    add->bind(3, StoredId(column.Tag(), "display column"));
                    add->bind(4, column.Heading());
                    add->exec();
                }
            });
        }
    });

    Step("SaveExaminors", [&] {
        for (const Examinor& group : search.Examinors) {
            if (!group.ContainsData()) continue;
            CachedStatement add = statements_.Prepared(
                db_, "INSERT INTO \"Examinor\" (search_id, sequence) VALUES (?, ?)");
            add->bind(1, searchId);
            add->bind(2, static_cast<std::int64_t>(group.Index));
            add->exec();
            const std::int64_t groupId = db_.getLastInsertRowid();
            for (const Criterion& rule : group.Criteria) {
                if (!rule.ContainsData()) continue;
                const std::int64_t ruleId = Step("SaveCriterion", [&] {
                    CachedStatement row = statements_.Prepared(
                        db_,
                        "INSERT INTO \"Criterion\" (examinor_id, sequence, and_or, data_type, "
                        "operand, text_compare, number_compare, from_number, to_number) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
                    row->bind(1, groupId);
                    row->bind(2, static_cast<std::int64_t>(rule.Index));
                    row->bind(3, rule.AndOr);
                    row->bind(4, static_cast<std::int64_t>(rule.DataType()));
                    row->bind(5, static_cast<std::int64_t>(rule.Operand));
                    BindValues(*row, 6, rule);
                    row->exec();
                    return db_.getLastInsertRowid();
                });
                WriteLists(statements_, db_, ruleId, rule, "SaveCriterionTextList",
                           "INSERT INTO \"Criterion TextList\" (criterion_id, text_compare, "
                           "sequence) VALUES (?, ?, ?)",
                           "SaveCriterionNumberList",
                           "INSERT INTO \"Criterion NumberList\" (criterion_id, number_compare, "
                           "sequence) VALUES (?, ?, ?)");
            }
        }
    });
    return searchId;
}

QBXMLTagRef SearchRows::TagOfRow(std::int64_t basicsId, const QBXMLTags& catalog) {
    if (auto known = tags_.find(basicsId); known != tags_.end()) return known->second;
    CachedStatement row = statements_.Prepared(
        db_,
        "SELECT code, reference, default_sequence, sequence, tag_name, default_heading, level, "
        "user_heading, searchable, search_group, data_type, version_10, version_11, version_20, "
        "version_21, version_30, version_ca20, version_ca30 FROM \"Basics\" WHERE id = ?");
    row->bind(1, basicsId);
    QBXMLTagRef tag;
    if (row->executeStep()) {
        const int code = row->getColumn(0).getInt();
        const std::string tagName = TextOf(row->getColumn(4));
        if (const QBXMLTag* entry = catalog.Item(code, tagName)) {
            tag = ShareTag(*entry);
        } else {
            // The catalog was not loaded (or the element has left it): the entry is
            // deliberately rebuilt from its row, so a saved column or rule keeps working
            // instead of being dropped from the search.
            QBXMLTags single;
            QBXMLTag* built =
                single.Add(code, TextOf(row->getColumn(1)), row->getColumn(2).getInt(),
                           row->getColumn(3).getInt(), tagName, TextOf(row->getColumn(5)),
                           row->getColumn(6).getInt(), TextOf(row->getColumn(7)),
                           row->getColumn(8).getInt() != 0, TextOf(row->getColumn(9)),
                           TextOf(row->getColumn(10)), static_cast<std::int32_t>(basicsId));
            built->Version10 = row->getColumn(11).getInt() != 0;
            built->Version11 = row->getColumn(12).getInt() != 0;
            built->Version20 = row->getColumn(13).getInt() != 0;
            built->Version21 = row->getColumn(14).getInt() != 0;
            built->Version30 = row->getColumn(15).getInt() != 0;
            built->VersionCA20 = row->getColumn(16).getInt() != 0;
            built->VersionCA30 = row->getColumn(17).getInt() != 0;
            built->Index = -1;
            tag = ShareTag(*built);
        }
    }
    tags_.emplace(basicsId, tag);
    return tag;
}

std::unique_ptr<SearchObject2s> SearchRows::ReadAll(const QBXMLTags& catalog) {
    tags_.clear();
    auto searches = std::make_unique<SearchObject2s>();

    // Each table is read once, ordered by parent and sequence, and its rows are hung
    // on the objects made from the parent table: eleven queries for any number of
    // searches.
    std::unordered_map<std::int64_t, SearchObject2*> bySearch;
    {
        SQLite::Statement rows(db_,
                               "SELECT id, name, date_filter, from_date, to_date, description, "
                               "from_text, to_text, ignore_accents, field_rules_ignore_case "
                               "FROM \"Search\" ORDER BY name, id");
        while (rows.executeStep()) {
            SearchObject2* search = searches->Add(TextOf(rows.getColumn(1)));
            // Two names that only SQLite tells apart (letter case beyond ASCII) meet in
            // one entry of the collection; the first keeps it.
            if (search->ID != 0) continue;
            search->ID = static_cast<long>(rows.getColumn(0).getInt64());
            search->DateFilter = rows.getColumn(2).getInt();
            search->FromDate = DateOf(rows.getColumn(3));
            search->ToDate = DateOf(rows.getColumn(4));
            search->Description = TextOf(rows.getColumn(5));
            search->FromText = TextOf(rows.getColumn(6));
            search->ToText = TextOf(rows.getColumn(7));
            search->TextOptions.IgnoreAccents = rows.getColumn(8).getInt() != 0;
            search->TextOptions.FieldRuleCase =
                rows.getColumn(9).getInt() != 0 ? LetterCase::IgnoreCase : LetterCase::ExactCase;
            bySearch.emplace(rows.getColumn(0).getInt64(), search);
        }
    }
    std::unordered_map<std::int64_t, IncItem*> byInclude;
    {
        SQLite::Statement rows(db_,
                               "SELECT id, search_id, request_type FROM \"Search Include\" "
                               "ORDER BY search_id, request_type, id");
        while (rows.executeStep()) {
            SearchObject2* search = ParentOf(bySearch, rows.getColumn(1).getInt64());
            if (!search) continue;
            const long type = rows.getColumn(2).getInt();
            IncItem* item = search->IncludeItems.Add(RequestTypeInfo::TypeName(type), type);
            byInclude.emplace(rows.getColumn(0).getInt64(), item);
        }
    }

    std::unordered_map<std::int64_t, FieldExaminor*> byFieldGroup;
    {
        SQLite::Statement rows(db_,
                               "SELECT id, search_include_id FROM \"FieldExaminor\" "
                               "ORDER BY search_include_id, sequence, id");
        while (rows.executeStep()) {
            IncItem* item = ParentOf(byInclude, rows.getColumn(1).getInt64());
            if (item)
                byFieldGroup.emplace(rows.getColumn(0).getInt64(), item->FieldExaminors.Add());
        }
    }
    std::unordered_map<std::int64_t, FieldCriterion*> byFieldRule;
    {
        SQLite::Statement rows(db_,
                               "SELECT id, field_examinor_id, operand, basics_id, and_or, "
                               "text_compare, number_compare, from_number, to_number "
                               "FROM \"FieldCriterion\" ORDER BY field_examinor_id, sequence, id");
        while (rows.executeStep()) {
            FieldExaminor* group = ParentOf(byFieldGroup, rows.getColumn(1).getInt64());
            QBXMLTagRef field = TagOfRow(rows.getColumn(3).getInt64(), catalog);
            if (!group || !field) continue;
            FieldCriterion* rule = group->FieldCriteria.Add(field, rows.getColumn(2).getInt());
            if (!rule) continue;
            if (!rows.isColumnNull(4)) rule->AndOr = rows.getColumn(4).getString();
            ReadValues(rows, 5, *rule);
            byFieldRule.emplace(rows.getColumn(0).getInt64(), rule);
        }
    }
    LoadValueLists(db_, "FieldCriterion", "field_criterion_id", byFieldRule);
    {
        SQLite::Statement rows(db_,
                               "SELECT search_include_id, basics_id, column_heading FROM "
                               "\"Include Data\" ORDER BY search_include_id, sequence");
        while (rows.executeStep()) {
            IncItem* item = ParentOf(byInclude, rows.getColumn(0).getInt64());
            QBXMLTagRef tag = TagOfRow(rows.getColumn(1).getInt64(), catalog);
            if (item && tag) item->DisplayColumns.Add(tag, TextOf(rows.getColumn(2)));
        }
    }

    std::unordered_map<std::int64_t, Examinor*> byGroup;
    {
        SQLite::Statement rows(db_,
                               "SELECT id, search_id FROM \"Examinor\" ORDER BY search_id, "
                               "sequence, id");
        while (rows.executeStep()) {
            SearchObject2* search = ParentOf(bySearch, rows.getColumn(1).getInt64());
            if (search) byGroup.emplace(rows.getColumn(0).getInt64(), search->Examinors.Add());
        }
    }
    std::unordered_map<std::int64_t, Criterion*> byRule;
    {
        SQLite::Statement rows(db_,
                               "SELECT id, examinor_id, operand, data_type, and_or, text_compare, "
                               "number_compare, from_number, to_number FROM \"Criterion\" "
                               "ORDER BY examinor_id, sequence, id");
        while (rows.executeStep()) {
            Examinor* group = ParentOf(byGroup, rows.getColumn(1).getInt64());
            if (!group) continue;
            Criterion* rule =
                group->Criteria.Add(rows.getColumn(2).getInt(), rows.getColumn(3).getInt());
            if (!rows.isColumnNull(4)) rule->AndOr = rows.getColumn(4).getString();
            ReadValues(rows, 5, *rule);
            byRule.emplace(rows.getColumn(0).getInt64(), rule);
        }
    }
    LoadValueLists(db_, "Criterion", "criterion_id", byRule);
    return searches;
}

}  // namespace quarrion
