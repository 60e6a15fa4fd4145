// Throughput of the rules: one word-search criterion on short element texts, and the
// decision of whole records. Each benchmark also reports the heap allocations made
// per iteration (counted by the replaced global operator new and by pugixml's
// allocation hook below).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "catalog/qbxml_tag.h"
#include "catalog/qbxml_tags.h"
#include "model/criterion.h"
#include "model/field_criterion.h"
#include "model/record_judge.h"
#include "model/search_column_choice.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

// pugixml allocates through malloc, not operator new; route it through the counter too.
namespace {
void* CountedMalloc(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size);
}
[[maybe_unused]] const bool pugiCounted = [] {
    pugi::set_memory_management_functions(CountedMalloc, std::free);
    return true;
}();
}  // namespace

namespace quarrion {
namespace {

// Element texts of the length and shape an invoice holds.
const std::vector<std::string>& ShortTexts() {
    static const std::vector<std::string> texts = {
        "ACME Corporation", "Invoice 10442", "Net 30",          "Consulting hours",
        "Smith, John",      "(ACME), Inc.",  "Design services", "Freight",
        "INV-2024-0117",    "Thank you!",    "Main Street 12",  "acme widgets",
    };
    return texts;
}

const std::vector<std::string>& AmountTexts() {
    static const std::vector<std::string> texts = {"750.00", "12.50",  "1250.00", "0.00",
                                                   "499.99", "500.01", "88",      "10442.17"};
    return texts;
}

void SetAllocationCounter(benchmark::State& state, long before) {
    state.counters["allocs/op"] = benchmark::Counter(
        static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations()));
}

// Compares `rule` with each of `texts` in turn, as elements of `dataType`.
void CompareInTurn(benchmark::State& state, Criterion& rule, const std::vector<std::string>& texts,
                   const char* dataType) {
    std::size_t at = 0;
    long before = allocations.load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(rule.Compare(texts[at], dataType));
        if (++at == texts.size()) at = 0;
    }
    SetAllocationCounter(state, before);
}

void TextRule(benchmark::State& state, long operation, const char* entered) {
    Criterion rule;
    rule.Operand = operation;
    rule.SetDataType(Choice::Text);
    rule.TextCompare.SetValue(entered);
    CompareInTurn(state, rule, ShortTexts(), "STRTYPE");
}

void BM_CriterionContains(benchmark::State& state) {
    TextRule(state, Operation::Contains, "acme");
}
void BM_CriterionStartsWith(benchmark::State& state) {
    TextRule(state, Operation::StartsWith, "inv");
}
void BM_CriterionWholeWord(benchmark::State& state) {
    TextRule(state, Operation::WholeWord, "acme");
}

void BM_CriterionGreaterThan(benchmark::State& state) {
    Criterion rule;
    rule.Operand = Operation::GreaterThan;
    rule.SetDataType(Choice::AnyNumber);
    rule.NumberCompare.SetValue("500");
    CompareInTurn(state, rule, AmountTexts(), "AMTTYPE");
}

void BM_CriterionBetween(benchmark::State& state) {
    Criterion rule;
    rule.Operand = Operation::Between;
    rule.SetDataType(Choice::AnyNumber);
    rule.NumberRange.A().SetValue(100.0);
    rule.NumberRange.B().SetValue(1000.0);
    CompareInTurn(state, rule, AmountTexts(), "AMTTYPE");
}

// One invoice as QuickBooks answers it: header, addresses, references, five lines,
// a linked payment.
std::string InvoiceRecord() {
    std::string xml = R"(<InvoiceRet>
<TxnID>1A2B-1700000000</TxnID><TimeCreated>2024-03-01T10:00:00</TimeCreated>
<TimeModified>2024-03-02T11:00:00</TimeModified><EditSequence>1700000001</EditSequence>
<TxnNumber>10442</TxnNumber>
<CustomerRef><ListID>80000001-1</ListID><FullName>ACME Corporation:Main Office</FullName></CustomerRef>
<ClassRef><ListID>80000002-1</ListID><FullName>Consulting</FullName></ClassRef>
<ARAccountRef><ListID>80000003-1</ListID><FullName>Accounts Receivable</FullName></ARAccountRef>
<TemplateRef><ListID>80000004-1</ListID><FullName>Intuit Service Invoice</FullName></TemplateRef>
<TxnDate>2024-03-01</TxnDate><RefNumber>INV-10442</RefNumber>
<BillAddress><Addr1>ACME Corporation</Addr1><Addr2>12 Main Street</Addr2><City>Springfield</City>
<State>IL</State><PostalCode>62701</PostalCode><Country>USA</Country></BillAddress>
<ShipAddress><Addr1>ACME Warehouse</Addr1><Addr2>400 Dock Road</Addr2><City>Springfield</City>
<State>IL</State><PostalCode>62702</PostalCode></ShipAddress>
<IsPending>false</IsPending><IsFinanceCharge>false</IsFinanceCharge><PONumber>PO-7781</PONumber>
<TermsRef><ListID>80000005-1</ListID><FullName>Net 30</FullName></TermsRef>
<DueDate>2024-03-31</DueDate><ShipDate>2024-03-01</ShipDate>
<Subtotal>2450.00</Subtotal><SalesTaxPercentage>7.25</SalesTaxPercentage>
<SalesTaxTotal>177.63</SalesTaxTotal><AppliedAmount>0.00</AppliedAmount>
<BalanceRemaining>2627.63</BalanceRemaining><Memo>March consulting, see attached timesheet</Memo>
<IsPaid>false</IsPaid><IsToBePrinted>true</IsToBePrinted><IsToBeEmailed>false</IsToBeEmailed>
<LinkedTxn><TxnID>1A2C-1700000002</TxnID><TxnType>ReceivePayment</TxnType>
<TxnDate>2024-03-05</TxnDate><RefNumber>PMT-88</RefNumber><LinkType>AMTTYPE</LinkType>
<Amount>-500.00</Amount></LinkedTxn>
)";
    const char* items[] = {"Consulting hours", "Design services", "Travel expenses", "Freight",
                           "Software licence"};
    for (int line = 0; line < 5; ++line) {
        xml += "<InvoiceLineRet><TxnLineID>L" + std::to_string(line) +
               "</TxnLineID><ItemRef><ListID>80000010-1</ListID><FullName>" + items[line] +
               "</FullName></ItemRef><Desc>" + items[line] +
               " for March</Desc><Quantity>10</Quantity><Rate>49.00</Rate><Amount>490.00</Amount>"
               "<SalesTaxCodeRef><ListID>80000020-1</ListID><FullName>Tax</FullName>"
               "</SalesTaxCodeRef></InvoiceLineRet>\n";
    }
    xml += "</InvoiceRet>";
    return xml;
}

QBXMLTagRef Tag(const char* path, const char* dataType) {
    QBXMLTag tag;
    tag.Code = 4;
    tag.SetTagName(path);
    tag.SetDataType(dataType);
    return ShareTag(tag);
}

// A field rule on the invoice element at `path`; `enter` sets the value it compares with.
template <typename Enter>
void FieldRuleOnInvoice(benchmark::State& state, const char* path, const char* dataType,
                        long operation, Enter enter) {
    FieldCriterion rule;
    rule.SetField(Tag(path, dataType));
    rule.Operand = operation;
    enter(rule);
    pugi::xml_document document;
    document.load_string(InvoiceRecord().c_str());
    pugi::xml_node record = document.document_element();
    long before = allocations.load();
    for (auto _ : state) benchmark::DoNotOptimize(rule.Compare(record));
    SetAllocationCounter(state, before);
}

// A header field: one node selected.
void BM_FieldRuleCustomerName(benchmark::State& state) {
    FieldRuleOnInvoice(state, "//InvoiceRet/CustomerRef/FullName", "STRTYPE", Operation::StartsWith,
                       [](FieldCriterion& rule) { rule.TextCompare.SetValue("ACME"); });
}

// A line field that no line satisfies: every line is selected and compared.
void BM_FieldRuleLineDescriptions(benchmark::State& state) {
    FieldRuleOnInvoice(state, "//InvoiceRet/InvoiceLineRet/Desc", "STRTYPE", Operation::WholeWord,
                       [](FieldCriterion& rule) { rule.TextCompare.SetValue("April"); });
}

void BM_FieldRuleLineAmounts(benchmark::State& state) {
    FieldRuleOnInvoice(state, "//InvoiceRet/InvoiceLineRet/Amount", "AMTTYPE",
                       Operation::GreaterThan,
                       [](FieldCriterion& rule) { rule.NumberCompare.SetValue(1000.0); });
}

// The invoice's text and number elements as the catalog lists them.
struct CatalogLine {
    const char* path;
    const char* dataType;
};
const CatalogLine kInvoiceTags[] = {
    {"//InvoiceRet/EditSequence", "STRTYPE"},
    {"//InvoiceRet/CustomerRef/FullName", "STRTYPE"},
    {"//InvoiceRet/ClassRef/FullName", "STRTYPE"},
    {"//InvoiceRet/ARAccountRef/FullName", "STRTYPE"},
    {"//InvoiceRet/TemplateRef/FullName", "STRTYPE"},
    {"//InvoiceRet/RefNumber", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Addr1", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Addr2", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Addr3", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Addr4", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Addr5", "STRTYPE"},
    {"//InvoiceRet/BillAddress/City", "STRTYPE"},
    {"//InvoiceRet/BillAddress/State", "STRTYPE"},
    {"//InvoiceRet/BillAddress/PostalCode", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Country", "STRTYPE"},
    {"//InvoiceRet/BillAddress/Note", "STRTYPE"},
    {"//InvoiceRet/BillAddressBlock/Addr1", "STRTYPE"},
    {"//InvoiceRet/BillAddressBlock/Addr2", "STRTYPE"},
    {"//InvoiceRet/BillAddressBlock/Addr3", "STRTYPE"},
    {"//InvoiceRet/BillAddressBlock/Addr4", "STRTYPE"},
    {"//InvoiceRet/BillAddressBlock/Addr5", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Addr1", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Addr2", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Addr3", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Addr4", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Addr5", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/City", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/State", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/PostalCode", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Country", "STRTYPE"},
    {"//InvoiceRet/ShipAddress/Note", "STRTYPE"},
    {"//InvoiceRet/ShipAddressBlock/Addr1", "STRTYPE"},
    {"//InvoiceRet/ShipAddressBlock/Addr2", "STRTYPE"},
    {"//InvoiceRet/ShipAddressBlock/Addr3", "STRTYPE"},
    {"//InvoiceRet/ShipAddressBlock/Addr4", "STRTYPE"},
    {"//InvoiceRet/ShipAddressBlock/Addr5", "STRTYPE"},
    {"//InvoiceRet/PONumber", "STRTYPE"},
    {"//InvoiceRet/TermsRef/FullName", "STRTYPE"},
    {"//InvoiceRet/SalesRepRef/FullName", "STRTYPE"},
    {"//InvoiceRet/FOB", "STRTYPE"},
    {"//InvoiceRet/ShipMethodRef/FullName", "STRTYPE"},
    {"//InvoiceRet/Subtotal", "AMTTYPE"},
    {"//InvoiceRet/ItemSalesTaxRef/FullName", "STRTYPE"},
    {"//InvoiceRet/SalesTaxPercentage", "PERCENTTYPE"},
    {"//InvoiceRet/SalesTaxTotal", "AMTTYPE"},
    {"//InvoiceRet/AppliedAmount", "AMTTYPE"},
    {"//InvoiceRet/BalanceRemaining", "AMTTYPE"},
    {"//InvoiceRet/CurrencyRef/FullName", "STRTYPE"},
    {"//InvoiceRet/BalanceRemainingInHomeCurrency", "AMTTYPE"},
    {"//InvoiceRet/Memo", "STRTYPE"},
    {"//InvoiceRet/CustomerMsgRef/FullName", "STRTYPE"},
    {"//InvoiceRet/CustomerSalesTaxCodeRef/FullName", "STRTYPE"},
    {"//InvoiceRet/SuggestedDiscountAmount", "AMTTYPE"},
    {"//InvoiceRet/Other", "STRTYPE"},
    {"//InvoiceRet/LinkedTxn/RefNumber", "STRTYPE"},
    {"//InvoiceRet/LinkedTxn/Amount", "AMTTYPE"},
    {"//InvoiceRet/LinkedTxn/TxnLineDetail/Amount", "AMTTYPE"},
    {"//InvoiceRet/InvoiceLineRet/ItemRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/Desc", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/Quantity", "QUANTYPE"},
    {"//InvoiceRet/InvoiceLineRet/UnitOfMeasure", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/OverrideUOMSetRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/Rate", "PRICETYPE"},
    {"//InvoiceRet/InvoiceLineRet/RatePercent", "PERCENTTYPE"},
    {"//InvoiceRet/InvoiceLineRet/ClassRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/Amount", "AMTTYPE"},
    {"//InvoiceRet/InvoiceLineRet/InventorySiteRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/InventorySiteLocationRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/SerialNumber", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/LotNumber", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/SalesTaxCodeRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/Other1", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/Other2", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/DataExtRet/DataExtName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineRet/DataExtRet/DataExtValue", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/ItemGroupRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/Desc", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/Quantity", "QUANTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/UnitOfMeasure", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/OverrideUOMSetRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/TotalAmount", "AMTTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/ItemRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/Desc", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/Quantity", "QUANTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/UnitOfMeasure", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/OverrideUOMSetRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/Rate", "PRICETYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/RatePercent", "PERCENTTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/ClassRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/Amount", "AMTTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/InventorySiteRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/InventorySiteLocationRef/FullName",
     "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/SerialNumber", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/LotNumber", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/SalesTaxCodeRef/FullName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/Other1", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/Other2", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/DataExtRet/DataExtName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/InvoiceLineRet/DataExtRet/DataExtValue", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/DataExtRet/DataExtName", "STRTYPE"},
    {"//InvoiceRet/InvoiceLineGroupRet/DataExtRet/DataExtValue", "STRTYPE"},
    {"//InvoiceRet/DiscountLineRet/Amount", "AMTTYPE"},
    {"//InvoiceRet/DiscountLineRet/RatePercent", "PERCENTTYPE"},
    {"//InvoiceRet/DiscountLineRet/AccountRef/FullName", "STRTYPE"},
    {"//InvoiceRet/SalesTaxLineRet/Amount", "AMTTYPE"},
    {"//InvoiceRet/SalesTaxLineRet/RatePercent", "PERCENTTYPE"},
    {"//InvoiceRet/SalesTaxLineRet/AccountRef/FullName", "STRTYPE"},
    {"//InvoiceRet/ShippingLineRet/Amount", "AMTTYPE"},
    {"//InvoiceRet/ShippingLineRet/AccountRef/FullName", "STRTYPE"},
    {"//InvoiceRet/DataExtRet/DataExtName", "STRTYPE"},
    {"//InvoiceRet/DataExtRet/DataExtValue", "STRTYPE"},
};

QBXMLTags& InvoiceCatalog() {
    static QBXMLTags catalog;
    if (catalog.Count() == 0) {
        for (const CatalogLine& line : kInvoiceTags) {
            catalog.Add(RequestTypeCode::Invoice, "", 0, 0, line.path, "", 1, "", false, "",
                        line.dataType, 0);
        }
    }
    return catalog;
}

// Decides the same invoice over and over with the search columns the word rules
// choose, as the search run does for every record of a response.
void DecideInvoice(benchmark::State& state, Examinors& examinors, IncItem& item) {
    pugi::xml_document document;
    document.load_string(InvoiceRecord().c_str());
    pugi::xml_node record = document.document_element();
    RecordJudge judge(item, examinors);
    std::string matchText;
    long before = allocations.load();
    for (auto _ : state) benchmark::DoNotOptimize(judge.Decide(record, matchText));
    SetAllocationCounter(state, before);
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["columns"] = static_cast<double>(item.SearchColumns.Count());
}

// Decides the invoice by word rules alone, over the search columns they choose.
void DecideInvoiceByWordRules(benchmark::State& state, Examinors& examinors) {
    IncItem item;
    item.SetRequestType(RequestTypeCode::Invoice);
    ChooseSearchColumns(item, nullptr, examinors, InvoiceCatalog());
    DecideInvoice(state, examinors, item);
}

// A text rule that no element satisfies: every text element is tried.
void BM_DecideInvoiceTextRuleNoMatch(benchmark::State& state) {
    Examinors examinors;
    examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text)->TextCompare.SetValue("zebra");
    DecideInvoiceByWordRules(state, examinors);
}

// A whole-word rule met in a line description, late in the record.
void BM_DecideInvoiceWholeWordInALine(benchmark::State& state) {
    Examinors examinors;
    examinors.Add()
        ->Criteria.Add(Operation::WholeWord, Choice::Text)
        ->TextCompare.SetValue("freight");
    DecideInvoiceByWordRules(state, examinors);
}

// A number rule and a text rule in two groups, neither satisfied.
void BM_DecideInvoiceNumberOrTextNoMatch(benchmark::State& state) {
    Examinors examinors;
    examinors.Add()
        ->Criteria.Add(Operation::GreaterThan, Choice::AnyNumber)
        ->NumberCompare.SetValue(100000.0);
    examinors.Add()->Criteria.Add(Operation::StartsWith, Choice::Text)->TextCompare.SetValue("XYZ");
    DecideInvoiceByWordRules(state, examinors);
}

// Two field rules in one group: the customer name and the line amounts.
void BM_DecideInvoiceByFieldRules(benchmark::State& state) {
    Examinors examinors;
    IncItem item;
    item.SetRequestType(RequestTypeCode::Invoice);
    FieldCriteria& group = item.FieldExaminors.Add()->FieldCriteria;
    group.Add(Tag("//InvoiceRet/CustomerRef/FullName", "STRTYPE"), Operation::StartsWith)
        ->TextCompare.SetValue("ACME");
    group.Add(Tag("//InvoiceRet/InvoiceLineRet/Amount", "AMTTYPE"), Operation::GreaterThan)
        ->NumberCompare.SetValue(1000.0);
    DecideInvoice(state, examinors, item);
}

BENCHMARK(BM_DecideInvoiceTextRuleNoMatch);
BENCHMARK(BM_DecideInvoiceWholeWordInALine);
BENCHMARK(BM_DecideInvoiceNumberOrTextNoMatch);
BENCHMARK(BM_DecideInvoiceByFieldRules);

BENCHMARK(BM_FieldRuleCustomerName);
BENCHMARK(BM_FieldRuleLineDescriptions);
BENCHMARK(BM_FieldRuleLineAmounts);

BENCHMARK(BM_CriterionContains);
BENCHMARK(BM_CriterionStartsWith);
BENCHMARK(BM_CriterionWholeWord);
BENCHMARK(BM_CriterionGreaterThan);
BENCHMARK(BM_CriterionBetween);

}  // namespace
}  // namespace quarrion

BENCHMARK_MAIN();
