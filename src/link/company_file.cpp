#include "link/company_file.h"

#include <sys/stat.h>

#include "foundation/atomic_file.h"
#include "link/xml_scanner.h"
#include "qbxml/qbxml_document.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

struct StringWriter : pugi::xml_writer {
    explicit StringWriter(std::string& out) : out(out) {}
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
    std::string& out;
};

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::filesystem::path, std::weak_ptr<CompanyFile>>& Registry() {
    static std::map<std::filesystem::path, std::weak_ptr<CompanyFile>> registry;
    return registry;
}

}  // namespace

std::shared_ptr<CompanyFile> CompanyFile::Open(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::path key =
        std::filesystem::weakly_canonical(std::filesystem::absolute(path), ignored);
    if (key.empty()) key = std::filesystem::absolute(path).lexically_normal();
    std::lock_guard lock(RegistryMutex());
    auto& registry = Registry();
    for (auto it = registry.begin(); it != registry.end();) {
        it = it->second.expired() ? registry.erase(it) : std::next(it);
    }
    if (auto existing = registry[key].lock()) return existing;
    auto company = std::make_shared<CompanyFile>(path);
    registry[key] = company;
    return company;
}

CompanyFile::CompanyFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string CompanyFile::DiskStamp() const {
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) return {};
    return std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_ino);
}

ProcessorFailure CompanyFile::Refresh() {
    if (loaded_ && (changed_ || DiskStamp() == stamp_)) return {};
    return Load();
}

ProcessorFailure CompanyFile::Load() {
    loaded_ = false;
    parsed_ = false;
    changed_ = false;
    records_.clear();
    refusals_.clear();
    texts_.clear();
    ids_.clear();
    doc_.reset();
    buffer_.clear();
    ++generation_;

    const std::string name = "The company file \"" + path_.string() + "\"";
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) {
        return {LinkError::CompanyFileMissing, name + " does not exist."};
    }
    std::string stamp = DiskStamp();
    if (Outcome message = ReadWholeFile(path_, buffer_); !message) {
        return {LinkError::CompanyFileUnreadable, message.Message()};
    }
    if (buffer_.empty()) return {LinkError::CompanyFileUnreadable, name + " is empty."};
    // A search needs only the records' text: found by a scan, they are answered as
    // they stand, and the file is parsed only when something must change in it.
    if (XmlScan::IsUtf8Text(buffer_) && !Qbxml::HoldsNullCharacterReference(buffer_)) {
        std::string root;
        bool messages = false;
        // The answers' error statuses are read by the same pass.
        if (!RecordTexts::ByType(buffer_, texts_, root, messages, &refusals_)) {
            if (!messages) return NotACompany(root);
            // An error answer is a failure of the type: none of its records count.
            for (const auto& [stem, status] : refusals_) texts_[stem].clear();
            stamp_ = stamp;
            loaded_ = true;
            return {};
        }
        texts_.clear();
        refusals_.clear();
    }
    // Otherwise the parser reads it (converting its encoding) or says what is wrong.
    stamp_ = stamp;
    loaded_ = true;
    return Parse();
}

ProcessorFailure CompanyFile::NotACompany(const std::string& root) {
    doc_.reset();
    buffer_.clear();
    texts_.clear();
    loaded_ = false;
    return {LinkError::CompanyFileUnreadable,
            "The company file \"" + path_.string() +
                "\" is not a qbXML company file (it starts with <" + root +
                "> instead of <QBXML><QBXMLMsgsRs>)."};
}

ProcessorFailure CompanyFile::Parse() {
    if (!loaded_ || parsed_) return {};
    // The records' text points into the buffer that parsing rewrites.
    texts_.clear();
    refusals_.clear();
    if (std::string message = Qbxml::LoadInPlace(doc_, buffer_); !message.empty()) {
        doc_.reset();
        buffer_.clear();
        loaded_ = false;
        return {LinkError::CompanyFileUnreadable,
                "The company file \"" + path_.string() + "\" cannot be read. " + message};
    }
    pugi::xml_node messages = doc_.child("QBXML").child("QBXMLMsgsRs");
    if (!messages) return NotACompany(doc_.document_element().name());
    for (pugi::xml_node rs = messages.first_child(); rs; rs = rs.next_sibling()) {
        std::string_view rsName = rs.name();
        if (!Qbxml::EndsWith(rsName, "QueryRs")) continue;
        std::string stem(rsName.substr(0, rsName.size() - 7));
        if (QbxmlStatus status = QbxmlStatus::Of(rs); status.IsError()) {
            // An error answer is a failure of the type: none of its records count.
            records_[stem].clear();
            refusals_.emplace(stem, std::move(status));
            continue;
        }
        if (refusals_.count(stem)) continue;
        std::string recordName = stem + "Ret";
        std::vector<pugi::xml_node>& list = records_[stem];
        for (pugi::xml_node record = rs.child(recordName.c_str()); record;
             record = record.next_sibling(recordName.c_str())) {
            list.push_back(record);
        }
    }
    parsed_ = true;
    return {};
}

const QbxmlStatus* CompanyFile::Refusal(std::string_view stem) const {
    auto it = refusals_.find(stem);
    return it == refusals_.end() ? nullptr : &it->second;
}

std::span<const RecordText> CompanyFile::Texts(std::string_view stem) const {
    auto it = texts_.find(stem);
    if (it == texts_.end()) return {};
    return it->second;
}

std::span<const pugi::xml_node> CompanyFile::Records(std::string_view stem) {
    if (Parse()) return {};
    auto it = records_.find(stem);
    if (it == records_.end()) return {};
    return it->second;
}

pugi::xml_node CompanyFile::Find(std::string_view stem, std::string_view id) {
    auto found = ids_.find(stem);
    if (found == ids_.end()) {
        // Built on first use per type: loading stays quick, and most types are never
        // changed or looked up by id.
        auto& index = ids_[std::string(stem)];
        for (const pugi::xml_node& record : Records(stem)) {
            std::string_view key = Qbxml::ChildText(record, "TxnID");
            if (key.empty()) key = Qbxml::ChildText(record, "ListID");
            if (!key.empty()) index.emplace(std::string(key), record);
        }
        found = ids_.find(stem);
    }
    auto it = found->second.find(std::string(id));
    return it == found->second.end() ? pugi::xml_node() : it->second;
}

ProcessorFailure CompanyFile::Save() {
    if (!loaded_ || !changed_) return {};
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n";
    StringWriter writer(text);
    doc_.document_element().print(writer, "  ", pugi::format_indent | pugi::format_no_declaration,
                                  pugi::encoding_utf8);
    if (Outcome message = WriteFileAtomically(path_, text); !message) {
        Load();
        return {LinkError::CompanyFileUnwritable, message.Message()};
    }
    stamp_ = DiskStamp();
    changed_ = false;
    return {};
}

}  // namespace quarrion
