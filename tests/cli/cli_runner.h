#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_home.h"

namespace quarrion::test {

// One run of the terminal tool as a user's shell runs it.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs quarrion-cli with `arguments` (already quoted for the shell) and collects its
// exit code, standard output and standard error.
CliRun Cli(const std::string& arguments);

// A text as one shell word, in single quotes.
std::string Shell(const std::string& text);

// How often `part` occurs in `text`.
std::size_t Count(const std::string& text, const std::string& part);

// A folder of the test's own, with the data folder in it.
class CliHome : public ::testing::Test {
  protected:
    // Runs `command` with the test's data folder.
    CliRun Home(const std::string& command, const std::string& arguments);
    // The lines of an independent reader's summary of a JSON ("json") or workbook
    // ("xlsx") file; fails the test when the file's shape is wrong.
    std::vector<std::string> Checked(const char* kind, const std::filesystem::path& file);
    std::vector<std::string> CheckedJson(const std::string& json);

    TempDir dir_;
    std::filesystem::path home_ = dir_.Path() / "home";
};

// The same with a small company made by the tool itself (a few dozen transactions up to
// 2026-11-02), so the tests stay fast.
class CliCompany : public CliHome {
  protected:
    void SetUp() override;
    // Runs `command` with the test's data folder and company.
    CliRun Run(const std::string& command, const std::string& arguments);
    CliRun Search(const std::string& arguments) { return Run("search", arguments); }

    std::filesystem::path company_ = dir_.Path() / "company.qbxml";
};

}  // namespace quarrion::test
