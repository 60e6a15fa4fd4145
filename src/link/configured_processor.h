#pragma once

#include <filesystem>
#include <memory>

#include "link/link_settings.h"
#include "link/request_processor.h"
#include "link/sample_company_processor.h"

namespace quarrion {

// The sample company the link answers from when no company file is configured.
std::filesystem::path DefaultCompanyPath(const std::filesystem::path& dataFolder);

// Writes the embedded default company (the sample company at scale 1, seed 1) at a path.
// Tests and tools may replace it; the link calls it only when the default company file
// does not exist yet.
SampleCompanyProcessor::CompanyWriter& DefaultCompanyWriter();

// The processor the settings choose: the QuickBooks Web Connector when a listen address
// is set, else response files when a response folder is set,
// else the configured company file, else the default company in the data folder,
// created on first use. A configured company file is never created.
std::unique_ptr<RequestProcessor> MakeConfiguredProcessor(const LinkSettings& settings,
                                                          const std::filesystem::path& dataFolder);

}  // namespace quarrion
