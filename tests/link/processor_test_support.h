#pragma once

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "link/request_processor.h"

namespace quarrion::test {

// A request message set around `body` (one or more requests).
std::string RequestSet(const std::string& body, const char* onError = "stopOnError");

// A processor's answer, parsed: the response elements in order and the ids
// (TxnID or ListID) of each one's records.
struct ParsedAnswer {
    ProcessResult result;
    std::shared_ptr<pugi::xml_document> doc;
    std::vector<pugi::xml_node> responses;

    pugi::xml_node First() const { return responses.empty() ? pugi::xml_node() : responses[0]; }
    int Code(std::size_t i = 0) const;
    std::vector<std::string> Ids(std::size_t i = 0) const;
};

ParsedAnswer Ask(RequestProcessor& processor, const std::string& request);

}  // namespace quarrion::test
