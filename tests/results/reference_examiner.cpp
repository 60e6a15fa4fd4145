#include "results/reference_examiner.h"

#include <pugixml.hpp>

#include <sstream>

#include "model/examinors.h"
#include "model/inc_item.h"
#include "qbxml/request_type_info.h"
#include "qbxml/shown_value.h"
#include "results/record_paths.h"
#include "results/response_examiner.h"

namespace quarrion::test {

namespace {

std::string Serialise(pugi::xml_node node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

}  // namespace

ResultList ReferenceExamine(IncItem& item, Examinors& examinors) {
    ResultList list = ListFor(item);
    const auto requestType = static_cast<std::int32_t>(item.RequestType());
    const std::string recordName = RequestTypeInfo::RecordElementName(requestType);
    const std::string prefix = "//" + RequestTypeInfo::ElementStem(requestType) + "Ret";

    pugi::xml_document response;
    if (!response.load_string(item.Response.c_str())) return list;
    pugi::xpath_node_set records = response.select_nodes(("//" + recordName).c_str());

    for (std::size_t i = 0; i < records.size(); ++i) {
        pugi::xml_document copy;
        pugi::xml_node element = copy.append_copy(records[i].node());
        if (!element.attribute("tslkey")) element.append_attribute("tslkey") = RecordKey(i).c_str();

        pugi::xml_document scratch;
        scratch.load_string(Serialise(element).c_str());
        pugi::xml_node record = scratch.document_element();

        bool matched = false;
        std::string matchText;
        if (item.FieldExaminors.ContainsData()) {
            matched = item.FieldExaminors.Compare(record) == -1;
        } else if (item.SearchColumns.Count() == 0) {
            matched = true;
        } else {
            for (const SearchColumn& column : item.SearchColumns) {
                std::string query = "//" + column.ElementName();
                for (const auto& found : scratch.select_nodes(query.c_str())) {
                    std::string text = TypedText(found.node());
                    if (examinors.Compare(text, column.Column()->DataType()) == -1) {
                        matched = true;
                        matchText = text;
                        break;
                    }
                }
                if (matched) break;
            }
        }
        if (!matched) continue;

        ResultRow& row = list.Rows.emplace_back();
        row.Key = record.attribute("tslkey").value();
        row.MatchText = matchText;
        for (const ResultColumn& column : list.Columns) {
            // The column key with the record prefix cut off, evaluated with the
            // record copy as the root.
            std::string relative =
                column.Key.size() > prefix.size() ? column.Key.substr(prefix.size()) : "";
            std::string cell;
            try {
                pugi::xpath_node first = scratch.select_node(("/" + recordName + relative).c_str());
                if (first) cell = TypedText(first.node());
            } catch (const pugi::xpath_exception&) {
            }
            row.Cells.push_back(ShownValue(cell, column.DataTypeCode));
        }
    }
    return list;
}

}  // namespace quarrion::test
