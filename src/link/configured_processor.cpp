#include "link/configured_processor.h"

#include "link/response_files_processor.h"
#include "link/web_connector_processor.h"
#include "link/web_connector_setup.h"
#include "sample/sample_company.h"

namespace quarrion {

std::filesystem::path DefaultCompanyPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "Sample Company.qbxml";
}

SampleCompanyProcessor::CompanyWriter& DefaultCompanyWriter() {
    static SampleCompanyProcessor::CompanyWriter writer = [](const std::filesystem::path& path) {
        SampleCompanyOptions options;  // scale 1, seed 1, ending today
        return WriteSampleCompany(path, options);
    };
    return writer;
}

std::unique_ptr<RequestProcessor> MakeConfiguredProcessor(const LinkSettings& settings,
                                                          const std::filesystem::path& dataFolder) {
    if (!settings.WebConnectorListen.empty()) {
        WebConnectorSetup setup;
        std::string problem = MakeWebConnectorSetup(settings, dataFolder, setup);
        auto acquire = [setup, problem](std::string& error) -> std::shared_ptr<WebConnectorServer> {
            if (!problem.empty()) {
                error = problem;
                return nullptr;
            }
            return AcquireWebConnector(setup, error);
        };
        return std::make_unique<WebConnectorProcessor>(acquire, setup.wait);
    }
    if (!settings.ResponseFolder.empty()) {
        return std::make_unique<ResponseFilesProcessor>(settings.ResponseFolder);
    }
    if (!settings.CompanyFile.empty()) {
        return std::make_unique<SampleCompanyProcessor>(settings.CompanyFile);
    }
    // Copied now so a later replacement of the writer does not reach a running link.
    return std::make_unique<SampleCompanyProcessor>(DefaultCompanyPath(dataFolder),
                                                    DefaultCompanyWriter());
}

}  // namespace quarrion
