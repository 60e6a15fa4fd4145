#pragma once

#include <cstddef>
#include <string>

namespace quarrion {

class IOManager;

// What start-up, the main window and the initialisation window ask of the
// search-definition store during its life cycle. The program implements it over the
// shared IOManager; tests put a recording fake in its place to see which steps ran
// and in what order.
class StoreLifeCycle {
  public:
    virtual ~StoreLifeCycle() = default;

    // Removes the file when it exists; false on any failure.
    virtual bool DeleteFile(const std::string& path) = 0;
    // Brings the database at `path` to the current schema; afterwards NeedsUpdate
    // tells whether it had to.
    virtual bool CheckDatabase(const std::string& path) = 0;
    virtual bool FirstTime() const = 0;
    virtual bool NeedsUpdate() const = 0;

    // Fills the shared tag catalog from the database (running the first-time
    // initialisation when the catalog table is empty).
    virtual void LoadData() = 0;
    // First-time initialisation, update and reset of the catalog from the shipped
    // control file; each reports its own errors and answers false after one.
    virtual bool InitDataA() = 0;
    virtual bool InitDataB() = 0;
    virtual bool InitDataC() = 0;

    // Entries in the shared tag catalog.
    virtual std::size_t CatalogCount() const = 0;

    // The shared IOManager, for the windows that save searches and column choices;
    // nullptr when the store is a test's stand-in.
    virtual IOManager* Manager() { return nullptr; }
};

}  // namespace quarrion
