#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quarrion::test {

// Small hand-made companies in the sample-company file format, for link and processor
// tests.

struct TestInvoice {
    std::string txnId;
    std::string txnDate = "2026-03-15";
    std::string timeModified = "2026-11-02T10:15:00-05:00";
    std::string editSequence = "1000";
    bool toPrint = false;
    std::string refNumber = "1";
};

// One InvoiceRet with two line items, a linked transaction and a custom field.
std::string InvoiceRecord(const TestInvoice& invoice);

// One CustomerRet (a list record); `active` false marks it inactive.
std::string CustomerRecord(const std::string& listId, const std::string& name, bool active = true,
                           const std::string& timeModified = "2026-11-02T10:15:00-05:00");

// The whole company: one stem + "QueryRs" element per (stem, records) pair, in order.
std::string CompanyText(const std::vector<std::pair<std::string, std::vector<std::string>>>& types);

// `count` invoices "T-1" ... with TxnDate 2026-01-01 plus i days (mod 28 per month).
std::vector<std::string> Invoices(int count);

void WriteText(const std::filesystem::path& path, const std::string& text);

// A small generated sample company (a tenth of full size, as of 2026-11-02) written to
// `path`; returns "" or what went wrong.
std::string WriteSmallSampleCompany(const std::filesystem::path& path);

}  // namespace quarrion::test
