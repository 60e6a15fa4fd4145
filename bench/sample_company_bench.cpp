// Throughput of the sample company generator: the whole document produced and
// handed to a sink that only counts bytes, so the figures measure generation alone.
// The end-to-end target (quarrion-cli sample --scale 50 within 10 s, peak memory
// within 5 times the file) is measured by sample_company_run.sh beside this file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string_view>

#include "sample/sample_company.h"

namespace {

void GenerateToCountingSink(benchmark::State& state) {
    quarrion::SampleCompanyOptions options;
    options.scale = static_cast<double>(state.range(0)) / 10.0;
    options.today = "2026-11-02";
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        const quarrion::Outcome made =
            quarrion::StreamSampleCompany(options, [&](std::string_view piece) {
                bytes += piece.size();
                return true;
            });
        if (!made) state.SkipWithError(made.Message().c_str());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(GenerateToCountingSink)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void WriteCompanyFile(benchmark::State& state) {
    quarrion::SampleCompanyOptions options;
    options.scale = static_cast<double>(state.range(0)) / 10.0;
    options.today = "2026-11-02";
    const auto file = std::filesystem::temp_directory_path() / "quarrion-bench-company.xml";
    for (auto _ : state) {
        const quarrion::Outcome written = quarrion::WriteSampleCompany(file, options);
        if (!written) state.SkipWithError(written.Message().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(std::filesystem::file_size(file)) *
                            state.iterations());
    std::filesystem::remove(file);
}
BENCHMARK(WriteCompanyFile)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
