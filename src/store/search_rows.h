#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "catalog/qbxml_tag.h"
#include "store/store_error.h"

namespace SQLite {
class Database;
class Statement;
}  // namespace SQLite

namespace quarrion {

class QBXMLTags;
class SearchObject2;
class SearchObject2s;
class StatementCache;

// A step of writing a search failed. `Step` is the step's name ("SaveFieldCriteria");
// the innermost step that failed names the failure.
class SaveStepError : public std::runtime_error {
  public:
    SaveStepError(std::string step, StoreError error)
        : std::runtime_error(error.Description), Step(std::move(step)), Error(std::move(error)) {}
    std::string Step;
    StoreError Error;
};

// A search definition as rows of the eleven search tables: one row per object of the
// tree, each child linked to its parent row's id and numbered by its `Index` among its
// siblings. Works inside the caller's transaction on the caller's connection; both
// must outlive it.
//
// Written per object: the search (name, description, date filter, dates as
// "YYYY-MM-DD 00:00:00"); every included type and every display column; the rule
// groups, rules and list entries that contain data, each value column only when its
// holder has data (so a range with one end keeps the other null). Not written: the
// search's maximum and index, the included types' names (rebuilt from the request
// type), search columns and run results.
class SearchRows {
  public:
    SearchRows(SQLite::Database& db, StatementCache& statements);

    // The id of the search row named `name` (letter case ignored), or 0.
    std::int64_t FindByName(std::string_view name);
    // Deletes the search row and, through the relations, its whole tree. True when
    // there was such a row.
    bool Delete(std::int64_t id);
    // Adds `search` as a new search row with its tree and answers the new row's id.
    // Throws SaveStepError. Display columns and field rules must name catalog entries
    // that have a row (an `ID` above 0).
    std::int64_t Write(const SearchObject2& search);

    // Every saved search, by name, with its tree: included types in request-type
    // order, everything else in sequence order. Columns and field rules get the
    // `catalog`'s entry of their element (an entry missing there is rebuilt from its
    // row). Throws SQLite::Exception.
    std::unique_ptr<SearchObject2s> ReadAll(const QBXMLTags& catalog);

  private:
    QBXMLTagRef TagOfRow(std::int64_t basicsId, const QBXMLTags& catalog);

    SQLite::Database& db_;
    StatementCache& statements_;
    std::unordered_map<std::int64_t, QBXMLTagRef> tags_;
};

}  // namespace quarrion
