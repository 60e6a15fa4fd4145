#include "output/data_view.h"

#include <atomic>
#include <cstdio>
#include <fstream>

#include "catalog/qbxml_tags.h"
#include "foundation/app_paths.h"
#include "output/data_view_stylesheet.h"

namespace quarrion {

namespace {

std::atomic<std::uint32_t> viewCounter{0};

constexpr const char* kImages[] = {"dataview.gif", "clip_anime.gif", "clip06.GIF",
                                   "xml_globe_00_tn.jpg"};

// The two files are scratch that lives as long as the window, so they are replaced
// in place without the sync a kept file gets; a failed write is still reported.
Outcome WriteScratch(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (out) out.close();
    if (!out) return Outcome::Fail("Cannot write " + file.string() + ".");
    return {};
}

}  // namespace

std::filesystem::path TemporaryXmlFolder() {
    std::filesystem::path folder = DataFolder() / "Temporary XML Files";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

Outcome InstallDataViewImages() {
    const std::filesystem::path from = ResourceFolder();
    const std::filesystem::path to = DataFolder();
    std::string missing;
    for (const char* image : kImages) {
        std::error_code error;
        if (std::filesystem::exists(to / image, error)) continue;
        std::filesystem::copy_file(from / image, to / image, error);
        if (error) missing += (missing.empty() ? "" : ", ") + std::string(image);
    }
    if (missing.empty()) return {};
    return Outcome::Fail("Cannot install the data-view images: " + missing);
}

DataView::DataView(const QBXMLTags& tags) : tags_(tags), number_(++viewCounter) {
    char name[16];
    std::snprintf(name, sizeof name, "%010u", static_cast<unsigned>(number_));
    std::filesystem::path folder = TemporaryXmlFolder();
    xmlPath_ = folder / (std::string(name) + ".xml");
    xslPath_ = folder / (std::string(name) + ".xsl");
}

DataView::~DataView() {
    RemoveFiles();
}

Outcome DataView::SetXMLNode(const pugi::xml_node& record) {
    if (!record) return {};
    // Copied into a fresh document first: `record` may be this view's own copy.
    pugi::xml_document fresh;
    fresh.append_copy(record);
    record_ = std::move(fresh);
    pugi::xml_node copy = record_.document_element();
    caption_ = DataViewCaption(copy, requestType_);
    if (Outcome written =
            WriteScratch(xslPath_, DataViewStylesheet(copy, requestType_, old_, tags_));
        !written) {
        return written;
    }
    if (Outcome written = WriteScratch(xmlPath_, DataViewXml(copy, xslPath_.filename().string()));
        !written) {
        return written;
    }
    renderingSheet_ = DataViewRenderingStylesheet(copy, requestType_, old_, tags_);
    // A missing image leaves a gap, not a broken page.
    static_cast<void>(InstallDataViewImages());
    return {};
}

Outcome DataView::Render(std::string& html) const {
    // The same page the two files make, from the copy of the stylesheet with the
    // values written in: a wide record then takes time in proportion to its width.
    if (renderingSheet_.empty()) return TransformXmlFile(xmlPath_, xslPath_, html);
    return TransformXmlFileWith(xmlPath_, renderingSheet_, xslPath_, html);
}

void DataView::RemoveFiles() {
    std::error_code ignored;
    std::filesystem::remove(xmlPath_, ignored);
    std::filesystem::remove(xslPath_, ignored);
}

}  // namespace quarrion
