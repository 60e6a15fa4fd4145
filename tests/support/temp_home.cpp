#include "support/temp_home.h"

#include "foundation/atomic_file.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace quarrion::test {

namespace {

std::filesystem::path MakeUnique(const char* prefix) {
    const char* base = std::getenv("QUARRION_TEST_TMP");
    std::filesystem::path root = base && *base ? base : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(root);
    std::string pattern = (root / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    return pattern;
}

}  // namespace

TempDir::TempDir() : path_(MakeUnique("dir-")) {}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadAll(const std::filesystem::path& file) {
    std::string text;
    if (!ReadWholeFile(file, text)) return {};
    return text;
}

HomeOfItsOwn::HomeOfItsOwn() {
    const char* previous = std::getenv("QUARRION_HOME");
    previous_ = previous ? previous : "";
    setenv("QUARRION_HOME", folder_.Path().c_str(), 1);
}

HomeOfItsOwn::~HomeOfItsOwn() {
    setenv("QUARRION_HOME", previous_.c_str(), 1);
}

std::filesystem::path Home() {
    const char* home = std::getenv("QUARRION_HOME");
    return home ? std::filesystem::path(home) : std::filesystem::path();
}

}  // namespace quarrion::test
