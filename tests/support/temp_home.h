#pragma once

#include <filesystem>
#include <string>

namespace quarrion::test {

// A fresh folder for one test, removed with everything in it when the object dies.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A fresh data folder that QUARRION_HOME points at while the object lives; the
// folder the process had before comes back when it dies.
class HomeOfItsOwn {
  public:
    HomeOfItsOwn();
    ~HomeOfItsOwn();
    HomeOfItsOwn(const HomeOfItsOwn&) = delete;
    HomeOfItsOwn& operator=(const HomeOfItsOwn&) = delete;
    const std::filesystem::path& Path() const { return folder_.Path(); }

  private:
    TempDir folder_;
    std::string previous_;
};

// The folder QUARRION_HOME points at for this test process.
std::filesystem::path Home();

// The whole content of a file, byte for byte; "" when it cannot be read.
std::string ReadAll(const std::filesystem::path& file);

}  // namespace quarrion::test
