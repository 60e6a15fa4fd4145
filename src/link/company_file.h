#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "link/record_text.h"
#include "link/request_processor.h"
#include "qbxml/qbxml_document.h"

namespace quarrion {

// A sample-company file loaded in memory: a qbXML response message set with one
// stem + "QueryRs" element per type holding all records of that type.
//
// One loaded copy serves every processor of the process that opens the same file, so
// two results windows neither load a large company twice nor see each other's changes
// late. Every call except Open and Path requires Mutex() to be held.
//
// The file is never written unless it was read successfully, and then only by Save,
// atomically: a missing, empty, cut-off or foreign file stays exactly as it is.
class CompanyFile {
  public:
    // The shared copy for `path` (loaded on first Refresh).
    static std::shared_ptr<CompanyFile> Open(const std::filesystem::path& path);

    explicit CompanyFile(std::filesystem::path path);
    CompanyFile(const CompanyFile&) = delete;
    CompanyFile& operator=(const CompanyFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::mutex& Mutex() { return mutex_; }

    // Loads the file if it is not loaded yet or was changed on disk since it was last
    // loaded or saved (unsaved changes of our own win over a change on disk). On
    // failure (missing: LinkError::CompanyFileMissing; empty, cut off, not a company:
    // LinkError::CompanyFileUnreadable) nothing stays loaded.
    ProcessorFailure Refresh();

    // Until something needs nodes, the file is kept as its text with its records found
    // by a scan (Texts); the first call that needs nodes (Records, Find, Parse) parses
    // it in place, after which Texts answers nothing. Records keep their positions, so
    // the generation stays.
    bool Parsed() const { return parsed_; }
    // Parses the loaded text when it is not parsed yet; on failure nothing stays loaded.
    ProcessorFailure Parse();
    // All records of a type in document order (empty for a type the file lacks), as
    // text; only while the file is not parsed.
    std::span<const RecordText> Texts(std::string_view stem) const;
    // All records of a type in document order (empty for a type the file lacks); parses
    // the file first if need be.
    std::span<const pugi::xml_node> Records(std::string_view stem);
    // The error status the file holds for a type (a saved answer of severity Error),
    // or nullptr. Such a type has no records: its query is answered with the error.
    const QbxmlStatus* Refusal(std::string_view stem) const;
    // Changes whenever the records are rebuilt by a load, ending iterator walks.
    std::uint64_t Generation() const { return generation_; }
    // The record of a type whose TxnID or ListID is `id`, or a null node.
    pugi::xml_node Find(std::string_view stem, std::string_view id);

    // Records that the document was changed and has to be saved.
    void MarkChanged() { changed_ = true; }
    bool HasChanges() const { return changed_; }

    // Writes the document back when it has changes. On failure the changes are dropped:
    // the file on disk is loaded again, so memory and disk agree.
    ProcessorFailure Save();

  private:
    ProcessorFailure Load();
    ProcessorFailure NotACompany(const std::string& root);
    std::string DiskStamp() const;

    std::filesystem::path path_;
    std::mutex mutex_;
    std::string buffer_;  // the file's text; the document is parsed in place from it
    pugi::xml_document doc_;
    bool loaded_ = false;
    bool parsed_ = false;
    std::map<std::string, std::vector<RecordText>, std::less<>> texts_;  // into buffer_
    bool changed_ = false;
    std::string stamp_;  // size and time of the file as last loaded or saved
    std::uint64_t generation_ = 0;
    std::map<std::string, std::vector<pugi::xml_node>, std::less<>> records_;
    std::map<std::string, QbxmlStatus, std::less<>> refusals_;
    std::map<std::string, std::unordered_map<std::string, pugi::xml_node>, std::less<>> ids_;
};

}  // namespace quarrion
