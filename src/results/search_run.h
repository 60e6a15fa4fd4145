#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "model/search_object2.h"
#include "results/response_examiner.h"
#include "results/result_list.h"

namespace quarrion {

class QBXMLTags;
class Relaywick;

// One search in flight or finished: what a results window (or the terminal tool)
// holds. It asks the link for every included type, keeps each type's response on its
// `IncItem`, examines it into that type's result list, and can examine the kept
// responses again with changed rules, mark listed transactions to be printed, and
// hand out records by key.
//
// All calls and hooks run on the owner's thread. The link must outlive the run; the
// run wires itself to the link's events when it is made.
class SearchRun {
  public:
    explicit SearchRun(Relaywick& link);
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    // The run's own definition; fill it (usually by `Copy`) before `Start`.
    SearchObject2& Search() { return search_; }

    // Builds one empty list per included type (in tab order) and asks the link for
    // every type. Returns at once; answers arrive through the link's events.
    void Start();

    // One list per included type, in `IncludeItems` order (tab i is list i - 1).
    const std::vector<ResultList>& Lists() const { return lists_; }
    ResultList* ListOf(std::int32_t requestType);
    IncItem* ItemOf(std::int32_t requestType);

    // True when every included type is done.
    bool AllDone() { return search_.IncludeItems.AllDone(); }

    // Stops a running examination after the current record; later answers are kept
    // but not examined.
    void Close() { closing_ = true; }
    bool Closing() const { return closing_; }

    // Examines every kept response again with the definition's current rules and
    // search columns. Record keys stay what they were.
    void ReExamine();

    // A re-search: `edited` (a copy of this run's definition whose rules the user
    // changed) has its search columns chosen again from the catalog, replaces this
    // run's definition, and every kept response is examined again. Nothing is asked of
    // the link.
    void ReSearch(SearchObject2& edited, const QBXMLTags& catalog);

    // Sets or clears the to-be-printed state of every transaction listed for the type
    // through the link, then writes the new states and edit sequences into the kept
    // response and the list. Returns the number of transactions changed.
    int SetToPrint(std::int32_t requestType, bool toPrint, bool skipEditSequenceCheck);

    // A deep copy of the record a key names into `out`; false when there is none.
    bool RecordCopy(std::int32_t requestType, const std::string& key,
                    pugi::xml_document& out) const;
    // The record's TxnID or ListID; "" when the key names no record.
    std::string RecordId(std::int32_t requestType, const std::string& key) const;

    // The last company file the link reported, and the last response context.
    const std::string& QuickBooksFile() const { return quickBooksFile_; }
    const std::string& ResponseContext() const { return responseContext_; }

    // Hooks for the host, all optional.
    std::function<void(std::int32_t requestType)> Changed;  // a type's status or list changed
    // A type's examination is about to start: its list is emptied and then refilled,
    // rows arriving in batches reported through `Changed`.
    std::function<void(std::int32_t requestType)> Examining;
    std::function<void(const std::string& file)> FileReported;  // for the files register
    std::function<void(std::int32_t code, const std::string& message)> PopUp;
    std::function<void()> Yield;  // let pending events run during long examinations
    // Finds answers' records off the owner's thread (see ExaminationHooks::RunAside).
    std::function<void(const std::function<void()>& work)> RunAside;

  private:
    void OnMessage(std::int32_t requestType, const std::string& text, bool done,
                   const std::string& file);
    void OnResponse(std::int32_t requestType, std::string response, const std::string& context);
    void Examine(IncItem& item);

    Relaywick& link_;
    SearchObject2 search_;
    std::vector<ResultList> lists_;
    std::string quickBooksFile_;
    std::string responseContext_;
    bool closing_ = false;
};

}  // namespace quarrion
