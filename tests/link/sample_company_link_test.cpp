// The link and its processor over the generated sample company, as the program uses
// them when nothing else is configured.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>

#include "company_text.h"
#include "foundation/codes.h"
#include "link/qbxml_request_builder.h"
#include "link/sample_company_processor.h"
#include "processor_test_support.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

// Records per type in the company file itself.
std::map<std::string, int> CountsInFile(const std::filesystem::path& path) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(path.c_str()));
    std::map<std::string, int> counts;
    for (pugi::xml_node rs : doc.child("QBXML").child("QBXMLMsgsRs").children()) {
        std::string stem = rs.name();
        stem.resize(stem.size() - 7);  // "QueryRs"
        counts[stem] = static_cast<int>(rs.select_nodes((stem + "Ret").c_str()).size());
    }
    return counts;
}

// Every offered type is answered with all its records; a to-print change survives
// saving the generated file, which keeps every record.
TEST(SampleCompanyLink, EveryTypeIsAnsweredWholeAndAChangeSurvivesSaving) {
    test::TempDir dir;
    const std::filesystem::path path = dir.Path() / "Sample Company.qbxml";
    ASSERT_EQ(test::WriteSmallSampleCompany(path), "");
    const std::map<std::string, int> inFile = CountsInFile(path);
    std::string id, sequence;
    {
        SampleCompanyProcessor processor(path);
        int typesWithRecords = 0;
        for (const RequestType& type : RequestTypeInfo::All()) {
            std::string stem(type.stem);
            std::string body = "<" + stem + "QueryRq requestID=\"" + std::to_string(type.code) +
                               "\">" +
                               (type.isTransaction ? "" : "<ActiveStatus>All</ActiveStatus>") +
                               "</" + stem + "QueryRq>";
            auto answer = test::Ask(processor, test::RequestSet(body));
            ASSERT_TRUE(answer.result.Ok()) << stem << ": " << answer.result.failure.message;
            const int expected = inFile.count(stem) ? inFile.at(stem) : 0;
            EXPECT_EQ((std::tuple{std::string(answer.First().name()), answer.Ids().size(),
                                  answer.Code()}),
                      (std::tuple{stem + "QueryRs", std::size_t(expected), expected > 0 ? 0 : 1}));
            typesWithRecords += expected > 0 ? 1 : 0;
        }
        EXPECT_GT(typesWithRecords, 25);

        auto first = test::Ask(processor, test::RequestSet("<InvoiceQueryRq><MaxReturned>1"
                                                           "</MaxReturned></InvoiceQueryRq>"));
        pugi::xml_node record = first.First().child("InvoiceRet");
        id = record.child_value("TxnID");
        sequence = record.child_value("EditSequence");
        const ToPrintChange change{id, sequence, "0"};
        auto changed = test::Ask(processor, QbxmlRequestBuilder::ToPrintRequest(
                                                RequestTypeCode::Invoice, {&change, 1},
                                                !record.child("IsToBePrinted").text().as_bool()));
        ASSERT_EQ(changed.Code(), 0) << changed.result.response.substr(0, 400);
        ASSERT_FALSE(processor.SaveChanges());
    }
    EXPECT_EQ(CountsInFile(path), inFile);
    SampleCompanyProcessor again(path);
    auto answer = test::Ask(
        again, test::RequestSet("<InvoiceQueryRq><TxnID>" + id + "</TxnID></InvoiceQueryRq>"));
    EXPECT_STRNE(answer.First().child("InvoiceRet").child_value("EditSequence"), sequence.c_str());
}

}  // namespace
}  // namespace quarrion
