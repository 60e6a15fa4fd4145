#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace quarrion {

class QBXMLTags;

namespace test {

// Splits a company document into one query response per request type, each a
// document of its own as the link hands it over ("<QBXML><QBXMLMsgsRs>" + that
// type's "...QueryRs" element).
std::map<std::int32_t, std::string> CompanyResponses(const std::string& company);

// Fills `catalog` from the shipped control file through the store's first-time run,
// on a database in `folder`. Returns false when that run fails.
bool LoadShippedCatalog(QBXMLTags& catalog, const std::string& folder);

}  // namespace test
}  // namespace quarrion
