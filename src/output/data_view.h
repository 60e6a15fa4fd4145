#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include <pugixml.hpp>

#include "foundation/outcome.h"
#include "output/xslt_transform.h"

namespace quarrion {

class QBXMLTags;

// The "Temporary XML Files" folder of the data folder, created when missing.
std::filesystem::path TemporaryXmlFolder();

// The images the data-view page refers to ("../dataview.gif" and the others): the
// page sits in the temporary XML folder and looks one level up, in the data folder.
// Copies each shipped image from the resource folder to the data folder when it is
// missing there. A failure names what could not be copied; a missing image only leaves
// a gap on the page, so callers may go on.
Outcome InstallDataViewImages();

// One record's data view, the core of a data-view window.
//
// Each view takes the next number of a process-wide counter (1, 2, ...) and owns two
// files named by it in the temporary XML folder, 0000000001.xml and 0000000001.xsl.
// `SetXMLNode` copies the record and writes both files; `Render` turns them into the
// HTML page. The files are the view's: `RemoveFiles` or the destructor (the window
// closing) deletes them. The catalog must outlive the view.
class DataView {
  public:
    explicit DataView(const QBXMLTags& tags);
    ~DataView();
    DataView(const DataView&) = delete;
    DataView& operator=(const DataView&) = delete;

    // With `Old` the page carries a note on opening the record in QuickBooks.
    bool Old() const { return old_; }
    void SetOld(bool old) { old_ = old; }
    std::int32_t RequestType() const { return requestType_; }
    void SetRequestType(std::int32_t requestType) { requestType_ = requestType; }

    // Keeps a deep copy of `record` (an element; the caller's document may go away),
    // sets the caption, writes the stylesheet and then the XML file (each replaced
    // whole), and installs the page's images. An empty node does nothing. A failure
    // carries a message for the user.
    Outcome SetXMLNode(const pugi::xml_node& record);

    // The request type's name and the record's name or number ("Invoice 1042").
    const std::string& Caption() const { return caption_; }
    std::uint32_t Number() const { return number_; }
    const std::filesystem::path& XmlPath() const { return xmlPath_; }
    const std::filesystem::path& XslPath() const { return xslPath_; }
    // The record copy; empty before `SetXMLNode`.
    pugi::xml_node Record() const { return record_.document_element(); }

    // The page the two files make (see TransformXmlFile); made from the record's
    // rendering stylesheet, which gives the same page in time linear in its width.
    Outcome Render(std::string& html) const;

    // Deletes both files if they exist; failures are ignored (the folder is scratch).
    void RemoveFiles();

  private:
    const QBXMLTags& tags_;
    std::uint32_t number_;
    std::filesystem::path xmlPath_;
    std::filesystem::path xslPath_;
    bool old_ = false;
    std::int32_t requestType_ = 0;
    std::string caption_;
    pugi::xml_document record_;
    std::string renderingSheet_;  // DataViewRenderingStylesheet of record_
};

}  // namespace quarrion
