#include "link/web_connector_app_file.h"

#include <algorithm>

#include "qbxml/qbxml_document.h"

namespace quarrion {

namespace {

void Element(std::string& out, std::string_view name, std::string_view value,
             std::string_view indent = "  ") {
    out += indent;
    out += "<";
    out += name;
    out += ">";
    Qbxml::AppendEscaped(out, value);
    out += "</";
    out += name;
    out += ">\r\n";
}

}  // namespace

std::string WebConnectorAppFile::Text() const {
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<QBWCXML>\r\n";
    Element(out, "AppName", appName);
    Element(out, "AppID", appId);
    Element(out, "AppURL", appUrl);
    Element(out, "AppDescription", appDescription);
    Element(out, "AppSupport", appSupport.empty() ? appUrl : appSupport);
    Element(out, "UserName", userName);
    Element(out, "OwnerID", ownerId);
    Element(out, "FileID", fileId);
    Element(out, "QBType", "QBFS");
    out += "  <Scheduler>\r\n";
    Element(out, "RunEveryNMinutes", std::to_string(std::max(1, runEveryMinutes)), "    ");
    out += "  </Scheduler>\r\n";
    // Quarrion writes too: it sets and clears the to-be-printed state.
    Element(out, "IsReadOnly", "false");
    out += "</QBWCXML>\r\n";
    return out;
}

}  // namespace quarrion
