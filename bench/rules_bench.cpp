// Throughput of the rules: one word-search criterion on short element texts, and the
// decision of whole records. Each benchmark also reports the heap allocations made
// per iteration (counted by the replaced global operator new below).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "model/criterion.h"

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

void TextRule(benchmark::State& state, long operation, const char* entered) {
    Criterion rule;
    rule.Operand = operation;
    rule.SetDataType(128);
    rule.TextCompare.SetValue(entered);
    const auto& texts = ShortTexts();
    std::size_t at = 0;
    long before = allocations.load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(rule.Compare(texts[at], "STRTYPE"));
        if (++at == texts.size()) at = 0;
    }
    SetAllocationCounter(state, before);
}

void BM_CriterionContains(benchmark::State& state) {
    TextRule(state, 130, "acme");
}
void BM_CriterionStartsWith(benchmark::State& state) {
    TextRule(state, 132, "inv");
}
void BM_CriterionWholeWord(benchmark::State& state) {
    TextRule(state, 136, "acme");
}

void BM_CriterionGreaterThan(benchmark::State& state) {
    Criterion rule;
    rule.Operand = 74;
    rule.SetDataType(64);
    rule.NumberCompare.SetValue("500");
    const auto& texts = AmountTexts();
    std::size_t at = 0;
    long before = allocations.load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(rule.Compare(texts[at], "AMTTYPE"));
        if (++at == texts.size()) at = 0;
    }
    SetAllocationCounter(state, before);
}

void BM_CriterionBetween(benchmark::State& state) {
    Criterion rule;
    rule.Operand = 76;
    rule.SetDataType(64);
    rule.NumberRange.A().SetValue(100.0);
    rule.NumberRange.B().SetValue(1000.0);
    const auto& texts = AmountTexts();
    std::size_t at = 0;
    long before = allocations.load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(rule.Compare(texts[at], "AMTTYPE"));
        if (++at == texts.size()) at = 0;
    }
    SetAllocationCounter(state, before);
}

BENCHMARK(BM_CriterionContains);
BENCHMARK(BM_CriterionStartsWith);
BENCHMARK(BM_CriterionWholeWord);
BENCHMARK(BM_CriterionGreaterThan);
BENCHMARK(BM_CriterionBetween);

}  // namespace
}  // namespace quarrion

BENCHMARK_MAIN();
