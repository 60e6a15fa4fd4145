// Throughput of the QuickBooks link over the sample company: how long a results window
// waits for one type's records, and how much memory the answer costs on the way.
//
//   link_bench [--scale 50] [--runs 5] [--max 9000] [--page 500]
//
// The company is generated first (scale 50 is about 100,000 transactions) and loaded
// once, as a running program has it loaded after its first search; each run then asks
// for the invoices of the whole period, capped at --max, through a Relaywick instance
// and measures from RequestRecords until the Response event has run on the owner's
// thread, including building every request, the processor's answer and reading every
// page, and separately the owner's parse of the whole answer. Memory is counted by
// replacing the allocator: the peak of live bytes during a run above what was live
// before it, against the size of the answer.
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "link/company_file.h"
#include "link/link_settings.h"
#include "link/owner_event_queue.h"
#include "link/relaywick.h"
#include "qbxml/request_type_info.h"
#include "sample/sample_company.h"

namespace {

std::atomic<long long> gLive{0};
std::atomic<long long> gPeak{0};

void Count(void* p) {
    if (!p) return;
    long long now = gLive += static_cast<long long>(malloc_usable_size(p));
    long long peak = gPeak.load();
    while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
    }
}
void Uncount(void* p) {
    if (p) gLive -= static_cast<long long>(malloc_usable_size(p));
}
void* Allocate(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    Count(p);
    return p;
}
void* AllocateAligned(std::size_t size, std::align_val_t align) {
    void* p = nullptr;
    if (posix_memalign(&p, std::max(sizeof(void*), static_cast<std::size_t>(align)),
                       size ? size : 1)) {
        throw std::bad_alloc();
    }
    Count(p);
    return p;
}
void Release(void* p) {
    Uncount(p);
    std::free(p);
}
void* PugiAllocate(size_t size) {
    void* p = std::malloc(size);
    Count(p);
    return p;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Both threads of the run (worker and owner) count.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Mb(long long bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t a) {
    return AllocateAligned(size, a);
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return AllocateAligned(size, a);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}

int main(int argc, char** argv) {
    using namespace quarrion;
    pugi::set_memory_management_functions(PugiAllocate, Release);

    double scale = 50;
    int runs = 5;
    int max = 9000;
    int page = 500;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--scale") scale = std::atof(argv[i + 1]);
        if (flag == "--runs") runs = std::atoi(argv[i + 1]);
        if (flag == "--max") max = std::atoi(argv[i + 1]);
        if (flag == "--page") page = std::atoi(argv[i + 1]);
    }

    char pattern[] = "/tmp/quarrion-link-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    std::filesystem::path home = pattern;
    setenv("QUARRION_HOME", home.c_str(), 1);
    std::filesystem::path company = home / "Sample Company.qbxml";

    auto start = std::chrono::steady_clock::now();
    SampleCompanyOptions options;
    options.scale = scale;
    options.today = "2026-11-02";
    if (Outcome error = WriteSampleCompany(company, options); !error) {
        std::fprintf(stderr, "generating the company failed: %s\n", error.Message().c_str());
        return 1;
    }
    double generated = Seconds(std::chrono::steady_clock::now() - start);

    LinkSettings settings;
    settings.CompanyFile = company;
    settings.PageSize = page;
    if (Outcome saved = settings.Save(home); !saved) {
        std::fprintf(stderr, "saving the link settings failed: %s\n", saved.Message().c_str());
        return 1;
    }

    // Held for the whole run: every processor of this file shares this loaded copy.
    start = std::chrono::steady_clock::now();
    std::shared_ptr<CompanyFile> loaded = CompanyFile::Open(company);
    std::size_t transactions = 0, invoices = 0;
    {
        std::lock_guard lock(loaded->Mutex());
        if (ProcessorFailure failure = loaded->Refresh()) {
            std::fprintf(stderr, "loading failed: %s\n", failure.message.c_str());
            return 1;
        }
        // Counted from the records' text: asking for nodes would parse the company,
        // which a search never does.
        for (const RequestType& type : RequestTypeInfo::All()) {
            if (type.isTransaction) transactions += loaded->Texts(type.stem).size();
        }
        invoices = loaded->Texts("Invoice").size();
    }
    double load = Seconds(std::chrono::steady_clock::now() - start);
    std::printf(
        "company: scale %g, %zu transactions (%zu invoices), %.1f MB, generated in %.2f s, "
        "loaded in %.2f s\n",
        scale, transactions, invoices, Mb(std::filesystem::file_size(company)), generated, load);
    std::printf("query: Invoice, transaction dates 2023-01-01..2026-12-31, max %d, page %d\n", max,
                page);

    OwnerEventQueue queue;
    std::vector<double> linkTimes, totalTimes, linkCpu, totalCpu, ratios, ownerRatios;
    for (int run = 0; run < runs; ++run) {
        Relaywick link(queue.Poster());
        std::size_t records = 0, responseBytes = 0;
        long long linkPeak = 0;
        std::chrono::steady_clock::time_point answered, parsed;
        double answeredCpu = 0, parsedCpu = 0;
        bool done = false;
        link.Events().Response = [&](std::int32_t, std::string response, const std::string&,
                                     const std::string&) {
            answered = std::chrono::steady_clock::now();
            answeredCpu = CpuSeconds();
            linkPeak = gPeak.load();
            responseBytes = response.size();
            // As a results window can: the answer is its own, so it is parsed in place.
            pugi::xml_document doc;
            doc.load_buffer_inplace(response.data(), response.size());
            for (pugi::xml_node r :
                 doc.child("QBXML").child("QBXMLMsgsRs").first_child().children("InvoiceRet")) {
                (void)r;
                ++records;
            }
            parsed = std::chrono::steady_clock::now();
            parsedCpu = CpuSeconds();
            done = true;
        };
        link.Events().PopUp = [&](std::int32_t code, const std::string& message) {
            std::fprintf(stderr, "pop-up %d: %s\n", code, message.c_str());
            done = true;
        };
        long long base = gLive.load();
        gPeak = base;
        auto t0 = std::chrono::steady_clock::now();
        double cpu0 = CpuSeconds();
        link.RequestRecords(
            LinkDate{std::chrono::year{2023}, std::chrono::month{1}, std::chrono::day{1}},
            LinkDate{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{31}}, 1, max,
            "", "Invoice", "", RequestTypeCode::Invoice);
        queue.RunUntil([&] { return done; }, std::chrono::minutes(5));
        long long ownerPeak = gPeak.load();
        if (records == 0) return 1;
        linkTimes.push_back(Seconds(answered - t0));
        totalTimes.push_back(Seconds(parsed - t0));
        linkCpu.push_back(answeredCpu - cpu0);
        totalCpu.push_back(parsedCpu - cpu0);
        ratios.push_back(static_cast<double>(linkPeak - base) / static_cast<double>(responseBytes));
        ownerRatios.push_back(static_cast<double>(ownerPeak - base) /
                              static_cast<double>(responseBytes));
        std::printf(
            "run %d: %zu records, answer %.1f MB; link %.3f s (cpu %.3f s), with the owner's parse "
            "%.3f s (cpu %.3f s); peak memory above start: link %.1f MB (%.2fx the answer), with "
            "parse %.1f MB (%.2fx)\n",
            run + 1, records, Mb(responseBytes), linkTimes.back(), linkCpu.back(),
            totalTimes.back(), totalCpu.back(), Mb(linkPeak - base), ratios.back(),
            Mb(ownerPeak - base), ownerRatios.back());
    }
    for (auto* list : {&linkTimes, &totalTimes, &linkCpu, &totalCpu})
        std::sort(list->begin(), list->end());
    std::size_t mid = linkTimes.size() / 2;
    std::printf(
        "median of %d runs: link %.3f s (cpu %.3f s), with the owner's parse %.3f s (cpu %.3f s); "
        "worst memory %.2fx (link), %.2fx (with parse)\n",
        runs, linkTimes[mid], linkCpu[mid], totalTimes[mid], totalCpu[mid],
        *std::max_element(ratios.begin(), ratios.end()),
        *std::max_element(ownerRatios.begin(), ownerRatios.end()));
    loaded.reset();
    std::filesystem::remove_all(home);
    return 0;
}
