#include "sample/sample_company.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "control_file_entries.h"
#include "foundation/calendar_day.h"
#include "foundation/codes.h"
#include "qbxml/request_type_info.h"
#include "sample/record_layout.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

namespace T = RequestTypeCode;

constexpr const char* kToday = "2026-11-02";

// "-12.34" -> -1234, "2.5" -> 250: amounts, quantities and percentages carry at most
// two decimals.
std::int64_t Hundredths(const std::string& text) {
    static const std::regex decimal("-?[0-9]+(\\.[0-9]{1,2})?");
    EXPECT_TRUE(std::regex_match(text, decimal)) << text;
    return std::llround(std::stod(text) * 100);
}

std::int64_t AmountOf(pugi::xml_node node, const char* child) {
    pugi::xml_node value = node.child(child);
    return value ? Hundredths(value.text().get()) : 0;
}

std::int64_t SumOf(pugi::xml_node record, const char* group, const char* child = "Amount") {
    std::int64_t sum = 0;
    for (pugi::xml_node line : record.children(group)) sum += AmountOf(line, child);
    return sum;
}

// `product` divided by `unit`, rounded half away from zero.
std::int64_t Rounded(std::int64_t product, std::int64_t unit) {
    return product >= 0 ? (product + unit / 2) / unit : -((-product + unit / 2) / unit);
}

std::int64_t Extended(pugi::xml_node line, const char* price) {
    return Rounded(Hundredths(line.child("Quantity").text().get()) * AmountOf(line, price), 100);
}

std::size_t Utf8Length(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// One generated company, parsed once and shared by the tests that read it.
struct Company {
    std::string text;
    pugi::xml_document document;
    pugi::xml_parse_result parsed;
    std::map<int, std::vector<pugi::xml_node>> records;  // by request-type code

    explicit Company(const SampleCompanyOptions& options) : text(GenerateSampleCompany(options)) {
        parsed = document.load_buffer(text.data(), text.size());
        for (pugi::xml_node response : document.child("QBXML").child("QBXMLMsgsRs").children()) {
            const int code = response.attribute("requestID").as_int();
            for (pugi::xml_node record : response.children()) records[code].push_back(record);
        }
    }
};

const Company& Small() {
    static const Company company(SampleCompanyOptions{7, 0.2, kToday});
    return company;
}

TEST(SampleCompany, IsOneQbxmlResponsePerOfferedTypeInCodeOrder) {
    ASSERT_TRUE(Small().parsed) << Small().parsed.description();
    EXPECT_EQ(Small().text.rfind(
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n", 0),
              0u);
    // Each response as "name code status: the names of its records".
    std::string seen, expected;
    for (pugi::xml_node response :
         Small().document.child("QBXML").child("QBXMLMsgsRs").children()) {
        std::set<std::string> names;
        for (pugi::xml_node record : response.children()) names.insert(record.name());
        seen += std::string(response.name()) + " " + response.attribute("requestID").value() + " " +
                response.attribute("statusCode").value() + ":";
        for (const std::string& name : names) seen += " " + name;
        seen += "\n";
    }
    for (const RequestType& type : RequestTypeInfo::All()) {
        expected += std::string(type.stem) + "QueryRs " + std::to_string(type.code) +
                    " 0: " + RequestTypeInfo::RecordElementName(type.code) + "\n";
    }
    EXPECT_EQ(seen, expected);
}

// The record writer keeps elements to the layout and in its order; what it cannot
// know is whether the generator filled what QuickBooks always sends, kept texts to
// the field sizes, and left no value empty.
TEST(SampleCompany, RecordsFillRequiredElementsWithValuesThatFitTheirFields) {
    std::size_t leaves = 0;
    for (const RequestType& type : RequestTypeInfo::All()) {
        // By parent path (the record element's is ""): required children; by leaf path: size.
        std::map<std::string, std::vector<std::string>> required;
        std::map<std::string, std::size_t> limits;
        std::vector<std::string> path;
        for (const LayoutRow& row : RecordLayout::Rows(type.code)) {
            path.resize(row.level - 1u);
            std::string parent;
            for (const std::string& part : path) parent += "/" + part;
            const std::string name(RecordLayout::Name(row.name));
            if (!row.optional) required[parent].push_back(name);
            if (row.maxLength > 0) limits[parent + "/" + name] = row.maxLength;
            path.push_back(name);
        }
        for (pugi::xml_node record : Small().records.at(type.code)) {
            std::vector<std::pair<pugi::xml_node, std::string>> stack{{record, ""}};
            while (!stack.empty()) {
                auto [node, at] = stack.back();
                stack.pop_back();
                for (const std::string& name : required[at]) {
                    EXPECT_TRUE(node.child(name.c_str())) << type.stem << at << " lacks " << name;
                }
                for (pugi::xml_node child : node.children()) {
                    ASSERT_EQ(child.type(), pugi::node_element) << type.stem << at;
                    const std::string key = at + "/" + child.name();
                    if (child.first_child().type() == pugi::node_element) {
                        stack.emplace_back(child, key);
                        continue;
                    }
                    const std::string value = child.text().get();
                    EXPECT_FALSE(value.empty()) << type.stem << key;
                    if (auto limit = limits.find(key); limit != limits.end()) {
                        EXPECT_LE(Utf8Length(value), limit->second) << type.stem << key << value;
                    }
                    ++leaves;
                }
            }
        }
    }
    EXPECT_GT(leaves, 3000u);
}

// List records by ListID: their type and the name references carry.
std::map<std::string, std::pair<int, std::string>> ListRecords(const Company& company) {
    std::map<std::string, std::pair<int, std::string>> byId;
    for (const auto& [code, records] : company.records) {
        if (RequestTypeInfo::Find(code)->isTransaction) continue;
        for (pugi::xml_node record : records) {
            std::string name = record.child("FullName").text().get();
            if (name.empty()) name = record.child("Name").text().get();
            if (name.empty()) name = record.child("Initial").text().get();
            byId[record.child("ListID").text().get()] = {code, name};
        }
    }
    return byId;
}

// The records' own IDs and their lines'; IDs inside references and links name others.
TEST(SampleCompany, IdsAreUnique) {
    std::vector<std::string> ids;
    for (const auto& [code, records] : Small().records) {
        for (pugi::xml_node record : records) {
            ids.push_back(
                record.child(RequestTypeInfo::Find(code)->isTransaction ? "TxnID" : "ListID")
                    .text()
                    .get());
            for (auto line : record.select_nodes(".//TxnLineID"))
                ids.push_back(line.node().text().get());
        }
    }
    std::sort(ids.begin(), ids.end());
    const auto repeated = std::adjacent_find(ids.begin(), ids.end());
    EXPECT_EQ(repeated, ids.end()) << "repeated id " << *repeated;
    EXPECT_GT(ids.size(), 300u);
}

// A parent names a record of its own list.
TEST(SampleCompany, EveryReferenceNamesARecordByIdAndName) {
    const auto lists = ListRecords(Small());
    std::size_t checked = 0;
    for (const auto& [code, records] : Small().records) {
        for (pugi::xml_node record : records) {
            for (pugi::xpath_node match : record.select_nodes(".//*[ListID or FullName]")) {
                pugi::xml_node ref = match.node();
                const std::string name = ref.name();
                if (ref == record || !name.ends_with("Ref")) continue;
                const std::string id = ref.child("ListID").text().get();
                auto target = lists.find(id);
                ASSERT_NE(target, lists.end()) << name << " " << id << " names no record";
                EXPECT_EQ(target->second.second, ref.child("FullName").text().get()) << id;
                if (name == "ParentRef") EXPECT_EQ(target->second.first, code) << id;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 400u);
}

TEST(SampleCompany, LinkedTransactionsExistAndAgree) {
    std::map<std::string, std::array<std::string, 3>> txns;  // type, date, number by TxnID
    for (const auto& [code, records] : Small().records) {
        for (pugi::xml_node record : records) {
            if (!record.child("TxnID")) continue;
            txns[record.child("TxnID").text().get()] = {RequestTypeInfo::TypeName(code),
                                                        record.child("TxnDate").text().get(),
                                                        record.child("RefNumber").text().get()};
        }
    }
    std::size_t checked = 0;
    for (const auto& [code, records] : Small().records) {
        for (pugi::xml_node record : records) {
            for (pugi::xpath_node match :
                 record.select_nodes("LinkedTxn | AppliedToTxnRet | DepositLineRet[TxnID]")) {
                pugi::xml_node link = match.node();
                auto target = txns.find(link.child("TxnID").text().get());
                ASSERT_NE(target, txns.end()) << link.name() << " names no transaction";
                const auto& [type, day, number] = target->second;
                EXPECT_EQ(type, link.child("TxnType").text().get());
                if (link.child("TxnDate")) EXPECT_EQ(day, link.child("TxnDate").text().get());
                if (link.child("RefNumber"))
                    EXPECT_EQ(number, link.child("RefNumber").text().get());
                // Nothing is paid, deposited or received before it exists: documents
                // link to later payments and receipts, payments to earlier documents.
                const std::string date = record.child("TxnDate").text().get();
                if (code == T::Invoice || code == T::Charge || code == T::PurchaseOrder ||
                    code == T::Bill) {
                    EXPECT_GE(day, date);
                } else {
                    EXPECT_LE(day, date);
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50u);
}

// Each line is quantity times price where it has both; the lines (and what a payment
// leaves unused) add up to the total.
TEST(SampleCompany, LinesAddUpToTheTotals) {
    const std::tuple<int, const char*, const char*, const char*> kinds[] = {
        {T::Invoice, "InvoiceLineRet", "Rate", "Subtotal"},
        {T::CreditMemo, "CreditMemoLineRet", "Rate", "Subtotal"},
        {T::Estimate, "EstimateLineRet", "Rate", "Subtotal"},
        {T::SalesOrder, "SalesOrderLineRet", "Rate", "Subtotal"},
        {T::SalesReceipt, "SalesReceiptLineRet", "Rate", "Subtotal"},
        {T::PurchaseOrder, "PurchaseOrderLineRet", "Rate", "TotalAmount"},
        {T::Bill, "ItemLineRet", "Cost", "AmountDue"},
        {T::Check, "ItemLineRet", "Cost", "Amount"},
        {T::CreditCardCharge, "ItemLineRet", "Cost", "Amount"},
        {T::CreditCardCredit, "ItemLineRet", "Cost", "Amount"},
        {T::VendorCredit, "ItemLineRet", "Cost", "CreditAmount"},
        {T::ItemReceipt, "ItemLineRet", "Cost", "TotalAmount"},
        {T::ReceivePayment, "AppliedToTxnRet", "", "TotalAmount"},
        {T::BillPaymentCheck, "AppliedToTxnRet", "", "Amount"},
        {T::BillPaymentCreditCard, "AppliedToTxnRet", "", "Amount"},
        {T::Deposit, "DepositLineRet", "", "DepositTotal"}};
    for (const auto& [code, lines, price, total] : kinds) {
        const bool sale = code >= T::Invoice && code <= T::SalesReceipt;
        for (pugi::xml_node record : Small().records.at(code)) {
            const std::string id = record.child("TxnID").text().get();
            for (pugi::xml_node line : record.children(lines)) {
                if (!line.child("Quantity") || !line.child(price)) continue;
                EXPECT_EQ(AmountOf(line, "Amount"), Extended(line, price)) << id;
            }
            if (sale) ASSERT_TRUE(record.child(lines)) << "a sale without lines";
            EXPECT_EQ(SumOf(record, lines) + SumOf(record, "ExpenseLineRet") +
                          AmountOf(record, "UnusedPayment"),
                      AmountOf(record, total))
                << code << " " << id;
            if (!sale) continue;
            if (record.child("SalesTaxPercentage")) {
                EXPECT_EQ(AmountOf(record, "SalesTaxTotal"),
                          Rounded(AmountOf(record, "Subtotal") *
                                      Hundredths(record.child("SalesTaxPercentage").text().get()),
                                  10000));
            }
            if (code != T::Invoice) {
                EXPECT_EQ(AmountOf(record, "TotalAmount"),
                          AmountOf(record, "Subtotal") + AmountOf(record, "SalesTaxTotal"));
            }
        }
    }
    for (pugi::xml_node entry : Small().records.at(T::JournalEntry)) {
        EXPECT_EQ(SumOf(entry, "JournalDebitLine"), SumOf(entry, "JournalCreditLine"));
        EXPECT_GT(SumOf(entry, "JournalDebitLine"), 0);
    }
    for (pugi::xml_node charge : Small().records.at(T::Charge)) {
        EXPECT_EQ(AmountOf(charge, "Amount"), Extended(charge, "Rate"));
    }
}

TEST(SampleCompany, InvoiceBalancesFollowThePaymentsAppliedToThem) {
    std::map<std::string, std::int64_t> paid;  // invoice TxnID -> amount applied by payments
    for (pugi::xml_node payment : Small().records.at(T::ReceivePayment)) {
        for (pugi::xml_node applied : payment.children("AppliedToTxnRet")) {
            paid[applied.child("TxnID").text().get()] += AmountOf(applied, "Amount");
        }
    }
    bool somePaid = false, someOpen = false;
    for (pugi::xml_node invoice : Small().records.at(T::Invoice)) {
        const std::int64_t total =
            AmountOf(invoice, "Subtotal") + AmountOf(invoice, "SalesTaxTotal");
        const std::int64_t applied = paid[invoice.child("TxnID").text().get()];
        EXPECT_EQ(AmountOf(invoice, "AppliedAmount"), -applied);
        EXPECT_EQ(AmountOf(invoice, "BalanceRemaining"), total - applied);
        EXPECT_EQ(SumOf(invoice, "LinkedTxn"), -applied);
        EXPECT_STREQ(invoice.child("IsPaid").text().get(), total == applied ? "true" : "false");
        somePaid = somePaid || total == applied;
        someOpen = someOpen || total != applied;
    }
    EXPECT_TRUE(somePaid);
    EXPECT_TRUE(someOpen);
}

TEST(SampleCompany, DatesSpreadOverTheThirtySixMonthsBeforeToday) {
    const std::int32_t today = *ParseIsoDay(kToday);
    const std::int32_t first = AddMonths(today, -36);
    std::int32_t earliest = today;
    for (const auto& [code, records] : Small().records) {
        if (!RequestTypeInfo::Find(code)->isTransaction) continue;
        std::size_t datedToday = 0;
        for (pugi::xml_node record : records) {
            const auto day = ParseIsoDay(record.child("TxnDate").text().get());
            ASSERT_TRUE(day.has_value());
            EXPECT_TRUE(*day >= first && *day <= today) << record.child("TxnDate").text().get();
            datedToday += *day == today;
            earliest = std::min(earliest, *day);
        }
        EXPECT_GT(datedToday, 0u) << code << " has nothing dated today";
    }
    EXPECT_LT(earliest, AddMonths(first, 3)) << "the books should reach back about 36 months";
}

// Every default column of the catalog shows something in at least one record, so the
// first search on a fresh machine shows filled columns.
TEST(SampleCompany, DefaultColumnsHaveValues) {
    for (const ControlFileEntry& entry : Shipped().entries) {
        if (entry.DefaultSequence == 0) continue;
        const std::string relative = entry.TagName.substr(entry.TagName.find('/', 2) + 1);
        const auto& records = Small().records.at(entry.Code);
        EXPECT_TRUE(std::any_of(
            records.begin(), records.end(),
            [&](pugi::xml_node record) { return bool(record.select_node(relative.c_str())); }))
            << "no record fills the default column " << entry.TagName;
    }
}

TEST(SampleCompany, TheSameOptionsGiveTheSameBytesAndSeedAndTodayChangeThem) {
    EXPECT_EQ(GenerateSampleCompany({7, 0.2, kToday}), Small().text);
    const std::string other = GenerateSampleCompany({8, 0.05, kToday});
    EXPECT_FALSE(other.empty());
    EXPECT_NE(other, Small().text);
    const std::string later = GenerateSampleCompany({7, 0.05, "2026-11-03"});
    EXPECT_NE(later.find("<TxnDate>2026-11-03</TxnDate>"), std::string::npos);
    EXPECT_EQ(later.find("<TxnDate>2023-11-02</TxnDate>"), std::string::npos);
}

// Zero scale and impossible days are refused by the terminal tool's tests; a scale
// too large to make and an empty day (today) are the edges left.
TEST(SampleCompany, OptionsAreCheckedBeforeAnythingIsMade) {
    EXPECT_NE(ValidateSampleCompanyOptions({1, 1e9, kToday}).Message(), "");
    EXPECT_EQ(ValidateSampleCompanyOptions({1, 1.0, ""}).Message(), "");
    int pieces = 0;
    const Outcome result = StreamSampleCompany({7, 0.05, kToday}, [&](std::string_view) {
        ++pieces;
        return false;
    });
    EXPECT_EQ(result.Message(), "stopped");
    EXPECT_EQ(pieces, 1);
}

std::size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(SampleCompanyFile, IsWrittenWholeOverTheOldFileOrNotAtAll) {
    TempDir dir;
    const auto file = dir.Path() / "company.xml";
    std::ofstream(file) << "old content";
    EXPECT_NE(WriteSampleCompany(file, {7, 0.0, kToday}).Message(), "");
    EXPECT_EQ(test::ReadAll(file), "old content");
    EXPECT_EQ(WriteSampleCompany(file, {7, 0.2, kToday}).Message(), "");
    EXPECT_EQ(test::ReadAll(file), Small().text);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);  // no temporary file left behind

    const auto missing = dir.Path() / "missing" / "company.xml";
    const std::string problem = WriteSampleCompany(missing, {7, 0.05, kToday}).Message();
    EXPECT_NE(problem.find((dir.Path() / "missing").string()), std::string::npos) << problem;
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

}  // namespace
}  // namespace quarrion::test
