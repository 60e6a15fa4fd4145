#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quarrion {

// What becomes of a rendered data-view page (see DataView::Render) once it leaves the
// temporary XML folder it was made for.

// The page refers to its images one folder up ("../dataview.gif" and the others), so
// a copy written anywhere else would show gaps. Returns the page with every such
// reference replaced by the image itself (a data: URL) read from `imageFolder`; a
// page made this way shows its images wherever it is written or opened. An image
// missing from the folder keeps its reference, so the page still shows, with a gap.
std::string EmbedDataViewImages(std::string_view html, const std::filesystem::path& imageFolder);

// The page with `content` (HTML) placed inside the note area that an `old` page
// carries ("div_note"), for viewers that do not run the page's script: they show the
// note's picture or text themselves. A page without the area comes back unchanged.
std::string FillNoteArea(std::string_view html, std::string_view content);

}  // namespace quarrion
