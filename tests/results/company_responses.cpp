#include "results/company_responses.h"

#include <pugixml.hpp>

#include <sstream>

#include "foundation/app_paths.h"
#include "store/io_manager.h"

namespace quarrion::test {

std::map<std::int32_t, std::string> CompanyResponses(const std::string& company) {
    std::map<std::int32_t, std::string> responses;
    pugi::xml_document document;
    if (!document.load_buffer(company.data(), company.size())) return responses;
    for (pugi::xml_node rs : document.child("QBXML").child("QBXMLMsgsRs").children()) {
        pugi::xml_document one;
        pugi::xml_node msgs = one.append_child("QBXML").append_child("QBXMLMsgsRs");
        msgs.append_copy(rs);
        std::ostringstream out;
        one.save(out, "", pugi::format_raw);
        responses[rs.attribute("requestID").as_int()] = out.str();
    }
    return responses;
}

bool LoadShippedCatalog(QBXMLTags& catalog, const std::string& folder) {
    IOManager io(catalog);
    io.SetControlFile(ResourceFolder() / "Temp Control File.tsl");
    const std::string database = folder + "/catalog.qr3";
    io.DeleteFile(database);
    if (!io.CheckDatabase(database)) return false;
    return static_cast<bool>(io.InitDataA());
}

std::string RowsText(const ResultList& list) {
    std::string text;
    for (const ResultRow& row : list.Rows) {
        text += row.Key;
        for (const std::string& cell : row.Cells) text += "|" + cell;
        text += " / " + row.MatchText + "\n";
    }
    return text;
}

}  // namespace quarrion::test
