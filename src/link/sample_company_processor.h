#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "foundation/outcome.h"
#include "link/company_file.h"
#include "link/message_set_processor.h"
#include "link/record_query_answerer.h"

namespace quarrion {

// Answers qbXML requests from a sample-company file, in process, as QuickBooks would:
// queries with their filters, MaxReturned and iterators; modify requests with the
// edit-sequence check, a new EditSequence and TimeModified for every change. Changes
// reach the file, atomically, on SaveChanges (and, at the latest, when the processor is
// destroyed).
class SampleCompanyProcessor : public MessageSetProcessor {
  public:
    // Writes a new company file at the path.
    using CompanyWriter = std::function<Outcome(const std::filesystem::path&)>;

    // `createIfMissing` is called once when the company file does not exist yet (the
    // embedded default company); without it a missing file is an error. An existing
    // file, readable or not, is never replaced.
    explicit SampleCompanyProcessor(std::filesystem::path companyFile,
                                    CompanyWriter createIfMissing = {});
    ~SampleCompanyProcessor() override;

    ProcessorFailure SaveChanges() override;
    ProcessorFailure OpenRecord(std::string_view recordId, std::int32_t requestType) override;
    std::string Context() const override { return "Sample Company"; }
    std::string FileText() const override { return path_.string(); }

  protected:
    ProcessorFailure BeginMessageSet() override;
    void EndMessageSet() override;
    QbxmlStatus AnswerQuery(const pugi::xml_node& request, std::string_view stem, std::string& out,
                            ProcessorFailure& failure) override;
    QbxmlStatus AnswerMod(const pugi::xml_node& request, std::string_view stem, std::string& out,
                          ProcessorFailure& failure) override;

  private:
    ProcessorFailure CreateIfMissing();

    std::filesystem::path path_;
    CompanyWriter create_;
    std::shared_ptr<CompanyFile> company_;
    std::unique_lock<std::mutex> lock_;  // held from BeginMessageSet to EndMessageSet
    RecordQueryAnswerer answerer_;
};

}  // namespace quarrion
