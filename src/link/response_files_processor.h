#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/message_set_processor.h"
#include "link/record_query_answerer.h"

namespace quarrion {

// Answers queries from a folder of qbXML response files that were saved elsewhere, one
// file per type named <TypeName>.xml (Invoice.xml). A file must be one qbXML document
// (root QBXML) holding the stem + "QueryRs" answer; a query gets the records of its
// answers filtered by the request's dates where the records carry them, with
// MaxReturned and iterators. A saved answer whose severity is Error is answered with
// that status (its records, if any, are not listed); a missing file answers "nothing
// found"; a damaged file or one that is no answer to that query is a failure of the
// whole request. Nothing can be changed: modify requests are answered with an error.
class ResponseFilesProcessor : public MessageSetProcessor {
  public:
    explicit ResponseFilesProcessor(std::filesystem::path folder);

    ProcessorFailure OpenRecord(std::string_view recordId, std::int32_t requestType) override;
    std::string Context() const override { return "Response Files"; }
    std::string FileText() const override { return folder_.string(); }

  protected:
    QbxmlStatus AnswerQuery(const pugi::xml_node& request, std::string_view stem, std::string& out,
                            ProcessorFailure& failure) override;
    QbxmlStatus AnswerMod(const pugi::xml_node& request, std::string_view stem, std::string& out,
                          ProcessorFailure& failure) override;

  private:
    // One response file as last read; read again when it changes on disk. Its records
    // are kept as text (`texts`, pointing into `buffer`) when it could be scanned, else
    // as nodes of a document parsed in place.
    struct LoadedFile {
        std::string stamp;
        std::string buffer;
        bool loaded = false;
        std::vector<RecordText> texts;
        std::unique_ptr<pugi::xml_document> doc;
        std::vector<pugi::xml_node> records;
        std::uint64_t generation = 0;
        bool refused = false;  // the saved answer's severity was Error
        QbxmlStatus refusal;
    };

    // "" when the loaded document is an answer to a `stem` query, its records and any
    // error status then taken into `file`; else why it is not.
    static std::string TakeAnswers(std::string_view stem, LoadedFile& file);
    // The same for a file kept as its text, its records already found in `file.texts`
    // and its root element's name and answers' start-tag attributes by the same pass.
    static std::string TakeScannedAnswers(std::string_view stem, std::string_view root,
                                          std::span<const std::string_view> answers,
                                          LoadedFile& file);

    std::filesystem::path folder_;
    std::map<std::string, LoadedFile, std::less<>> files_;
    std::uint64_t generation_ = 0;
    RecordQueryAnswerer answerer_;
};

}  // namespace quarrion
