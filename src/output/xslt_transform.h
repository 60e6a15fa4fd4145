#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/outcome.h"

namespace quarrion {

// Applies the XSL stylesheet in `xslFile` to the XML document in `xmlFile` and puts
// the result into `html`, serialised as the stylesheet's output method says (left
// empty on failure, and the failure says why).
//
// Both files are treated as untrusted. They are parsed without network access,
// without loading external DTDs or external entities and without substituting
// entities; a file that carries a document type declaration at all is refused, so
// no entity can expand or reach outside. The transformation runs with reading files,
// writing files, creating folders and network access all forbidden, so a stylesheet
// can neither pull in nor write anything beyond its result. The stylesheet named by
// the XML file's own xml-stylesheet instruction is ignored: the caller names it.
// libxslt reports errors through a process-wide handler that this call borrows, so
// transformations run one at a time (the user-interface thread makes every page).
Outcome TransformXmlFile(const std::filesystem::path& xmlFile, const std::filesystem::path& xslFile,
                         std::string& html);

// The same with the stylesheet given as text (read under the same rules); `xslFile`
// names it in messages and resolves relative references as the file would.
Outcome TransformXmlFileWith(const std::filesystem::path& xmlFile, std::string_view stylesheet,
                             const std::filesystem::path& xslFile, std::string& html);

}  // namespace quarrion
