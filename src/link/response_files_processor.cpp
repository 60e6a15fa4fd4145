#include "link/response_files_processor.h"

#include <sys/stat.h>

#include "foundation/atomic_file.h"
#include "link/record_text.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

std::string Stamp(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_ino);
}

// Every element named `name` below `root`, in document order, without recursion.
void Collect(const pugi::xml_node& root, const std::string& name,
             std::vector<pugi::xml_node>& out) {
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_element && name == node.name()) {
            out.push_back(node);  // records do not nest inside records
        } else if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            if (node == root) node = pugi::xml_node();
        }
        if (node) node = node.next_sibling();
    }
}

std::string NotQbxml(std::string_view root) {
    return "It is not a qbXML response: its root element is <" + std::string(root) +
           ">, not <QBXML>.";
}

std::string NoAnswer(std::string_view stem) {
    return "It holds no " + std::string(stem) + "QueryRs element, so it is no answer to a " +
           std::string(stem) + " query.";
}

}  // namespace

std::string ResponseFilesProcessor::TakeAnswers(std::string_view stem, LoadedFile& file) {
    pugi::xml_node root = file.doc->document_element();
    if (std::string_view(root.name()) != "QBXML") return NotQbxml(root.name());
    const std::string rsName = std::string(stem) + "QueryRs";
    std::vector<pugi::xml_node> answers;
    Collect(root, rsName, answers);
    if (answers.empty()) return NoAnswer(stem);
    const std::string recordName = std::string(stem) + "Ret";
    for (const pugi::xml_node& answer : answers) {
        QbxmlStatus status = QbxmlStatus::Of(answer);
        if (status.IsError()) {
            // An error answer is a failure of the type, whatever else the file holds:
            // showing the other answers' records would pass a partial list off as whole.
            file.refused = true;
            file.refusal = std::move(status);
            file.records.clear();
            return {};
        }
        Collect(answer, recordName, file.records);
    }
    return {};
}

std::string ResponseFilesProcessor::TakeScannedAnswers(std::string_view stem, std::string_view root,
                                                       std::span<const std::string_view> answers,
                                                       LoadedFile& file) {
    const std::string rsName = std::string(stem) + "QueryRs";
    if (root != "QBXML") return NotQbxml(root);
    if (answers.empty()) return NoAnswer(stem);
    for (std::string_view attributes : answers) {
        QbxmlStatus status = RecordTexts::StatusOf(rsName, attributes);
        if (status.IsError()) {
            // As TakeAnswers: an error answer fails the type whatever else the file holds.
            file.refused = true;
            file.refusal = std::move(status);
            file.texts.clear();
            return {};
        }
    }
    return {};
}

ResponseFilesProcessor::ResponseFilesProcessor(std::filesystem::path folder)
    : folder_(std::move(folder)) {}

QbxmlStatus ResponseFilesProcessor::AnswerQuery(const pugi::xml_node& request,
                                                std::string_view stem, std::string& out,
                                                ProcessorFailure& failure) {
    const std::string rsName = std::string(stem) + "QueryRs";
    std::filesystem::path path = folder_ / (std::string(stem) + ".xml");
    std::string stamp = Stamp(path);
    if (stamp.empty()) {
        files_.erase(std::string(stem));
        // No file is no answer, not an empty one: a search must not report "no matches"
        // for a type whose records were never there to look at.
        failure = {LinkError::ResponseFileMissing,
                   "The response folder \"" + folder_.string() + "\" has no file " +
                       std::string(stem) + ".xml for " + std::string(stem) + " records."};
        return QbxmlStatus::Make(-1, "Error", failure.message);
    }
    LoadedFile& file = files_[std::string(stem)];
    if (file.stamp != stamp || !file.loaded) {
        file = LoadedFile{};
        file.generation = ++generation_;
        std::string message = ReadWholeFile(path, file.buffer).Message();
        // A well-formed UTF-8 file is answered from its own text: its records are found
        // in one pass and copied out as they stand, with no document built at all.
        // A reference to the character 0 is left to the parser, which refuses it.
        // The same pass finds the answers' start tags, so the file is read once.
        std::string root;
        std::vector<std::string_view> answers;
        bool scanned = message.empty() && XmlScan::IsUtf8Text(file.buffer) &&
                       !Qbxml::HoldsNullCharacterReference(file.buffer) &&
                       !RecordTexts::AnywhereWithAnswers(file.buffer, std::string(stem) + "Ret",
                                                         rsName, root, file.texts, answers);
        if (scanned) message = TakeScannedAnswers(stem, root, answers, file);
        if (!scanned) {
            // Otherwise a parser reads it (converting its encoding) or says what is wrong.
            file.texts.clear();
            auto doc = std::make_unique<pugi::xml_document>();
            if (message.empty()) message = Qbxml::LoadInPlace(*doc, file.buffer);
            file.doc = std::move(doc);
            if (message.empty()) message = TakeAnswers(stem, file);
        }
        if (!message.empty()) {
            files_.erase(std::string(stem));
            failure = {LinkError::ResponseUnreadable,
                       "The response file \"" + path.string() + "\" cannot be read. " + message};
            return QbxmlStatus::Make(-1, "Error", failure.message);
        }
        file.stamp = stamp;
        file.loaded = true;
    }
    QbxmlStatus status = file.refusal;
    if (file.refused) {
        AppendStatusOnly(out, rsName, request, file.refusal);
    } else if (file.doc) {
        status = answerer_.Answer(request, stem, file.records, file.generation,
                                  RecordQueryAnswerer::Trim::None, out, &AnsweredRecords());
    } else {
        status = answerer_.Answer(request, stem, file.texts, file.generation,
                                  RecordQueryAnswerer::Trim::None, out, &AnsweredRecords());
    }
    // A file is held only while a walk over it goes on: a search's answer is kept by
    // the search, and the next query reads the file again (it may have changed).
    if (!answerer_.Walking(stem)) files_.erase(std::string(stem));
    return status;
}

QbxmlStatus ResponseFilesProcessor::AnswerMod(const pugi::xml_node& request, std::string_view stem,
                                              std::string& out, ProcessorFailure&) {
    QbxmlStatus status = QbxmlStatus::Make(
        QbxmlStatus::NotSupported, "Error",
        "Response files are read-only: \"" + folder_.string() + "\" cannot be changed.");
    AppendStatusOnly(out, std::string(stem) + "ModRs", request, status);
    return status;
}

ProcessorFailure ResponseFilesProcessor::OpenRecord(std::string_view, std::int32_t) {
    return {LinkError::CannotOpenRecord,
            "Records read from response files cannot be opened in QuickBooks; use the data "
            "view instead."};
}

}  // namespace quarrion
