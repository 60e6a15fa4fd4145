// Speed of the store on a file of its own in a fresh temporary folder: loading a
// catalog of 3,500 elements from the database, saving one large search, and listing
// 1,000 saved searches. Times are wall-clock per call in milliseconds.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "catalog/qbxml_tags.h"
#include "store/control_file.h"
#include "store/io_manager.h"

namespace quarrion {
namespace {

// A folder removed with everything in it when the benchmark ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A shipped catalog of `types` request types with `perType` elements each, shaped like
// the real one: paths two or three levels deep, a few default columns per type.
void WriteCatalog(const std::filesystem::path& path, int types, int perType) {
    std::ofstream out(path, std::ios::binary);
    out << "Quarrion control file\tversion\t1\r\n";
    for (int code = 1; code <= types; ++code) {
        for (int i = 1; i <= perType; ++i) {
            std::string tag = "//Type" + std::to_string(code) + "Ret/Group" +
                              std::to_string(i % 7) + "/Element" + std::to_string(i);
            out << code << "\tRef" << i << '\t' << (i <= 6 ? i : 0) << "\t0\t" << tag
                << "\tHeading " << i << '\t' << (i % 3 + 1) << "\t\tFalse\t\tTrue\tTrue\tTrue\t"
                << "True\t" << (i % 2 ? "STRTYPE" : "AMTTYPE") << "\tTrue\tFalse\tTrue\r\n";
        }
    }
}

void LoadCatalogOf3500Elements(benchmark::State& state) {
    ScratchFolder folder;
    WriteCatalog(folder.Path() / kControlFileName, 35, 100);
    QBXMLTags catalog;
    IOManager io(catalog);
    io.SetControlFile(folder.Path() / kControlFileName);
    if (!io.CheckDatabase((folder.Path() / "Quarrion.qr3").string()) || !io.InitDataA()) {
        state.SkipWithError("the catalog could not be prepared");
        return;
    }
    for (auto _ : state) {
        if (!io.LoadData()) state.SkipWithError("LoadData failed");
        benchmark::DoNotOptimize(catalog.Count());
    }
    state.counters["elements"] = static_cast<double>(catalog.Count());
}
BENCHMARK(LoadCatalogOf3500Elements)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quarrion

BENCHMARK_MAIN();
