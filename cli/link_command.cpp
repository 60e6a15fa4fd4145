#include "link_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "cli_support.h"
#include "foundation/app_paths.h"
#include "foundation/atomic_file.h"
#include "link/configured_processor.h"
#include "link/link_settings.h"
#include "link/password_hash.h"
#include "link/tls_certificate.h"
#include "link/web_connector_app_file.h"
#include "link/web_connector_server.h"
#include "link/web_connector_setup.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "link";

struct LinkArguments {
    std::string home;
    // use sample
    std::string company;
    // use responses
    std::string folder;
    // use web-connector
    std::string listen;
    std::string user;
    std::string passwordFile;
    std::string cert;
    std::string key;
    int wait = 0;
    // qwc
    std::string out;
    std::string url;
};

std::string Absolute(const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).lexically_normal().string();
}

// The address the Web Connector should call for these settings.
std::string ServiceUrl(const LinkSettings& settings) {
    std::string host;
    int port = 0;
    if (!ParseListenAddress(settings.WebConnectorListen, host, port).empty()) return {};
    const bool secure = !settings.WebConnectorCertFile.empty() || !IsLoopbackHost(host);
    host = CertificateHostName(host);
    if (host == "127.0.0.1" || host == "::1") host = "localhost";
    if (host.find(':') != std::string::npos) host = "[" + host + "]";
    return std::string(secure ? "https://" : "http://") + host + ":" + std::to_string(port) +
           WebConnectorEndpoint().path;
}

void PrintFingerprints(const std::filesystem::path& cert) {
    CertificateFingerprints fingerprints;
    if (ReadCertificateFingerprints(cert, fingerprints).empty()) {
        std::cout << "  certificate:    " << cert.string() << "\n"
                  << "  SHA-256:        " << fingerprints.sha256 << "\n"
                  << "  SHA-1 (Windows thumbprint): " << fingerprints.sha1 << "\n";
    }
}

int Show(const LinkSettings& settings, const std::filesystem::path& dataFolder) {
    if (!settings.WebConnectorListen.empty()) {
        std::cout << "QuickBooks through the QuickBooks Web Connector\n"
                  << "  listens at:     " << settings.WebConnectorListen << "\n"
                  << "  AppURL:         " << ServiceUrl(settings) << "\n"
                  << "  user:           " << settings.WebConnectorUser << "\n"
                  << "  password:       "
                  << (PasswordHash::IsHash(settings.WebConnectorPasswordHash)
                          ? "set (kept as a salted hash)"
                          : "not set")
                  << "\n"
                  << "  wait:           " << settings.WebConnectorWait << " seconds\n";
        std::filesystem::path cert = settings.WebConnectorCertFile;
        if (cert.empty() && std::filesystem::exists(DefaultCertificatePath(dataFolder))) {
            cert = DefaultCertificatePath(dataFolder);
        }
        if (!cert.empty()) PrintFingerprints(cert);
    } else if (!settings.ResponseFolder.empty()) {
        std::cout << "Saved response files in " << settings.ResponseFolder.string() << "\n";
    } else if (!settings.CompanyFile.empty()) {
        std::cout << "Sample company file " << settings.CompanyFile.string() << "\n";
    } else {
        std::cout << "The embedded sample company (" << DefaultCompanyPath(dataFolder).string()
                  << ")\n";
    }
    std::cout << "Settings: " << LinkSettings::FilePath(dataFolder).string() << "\n";
    return kExitSuccess;
}

int Save(const LinkSettings& settings, const std::filesystem::path& dataFolder) {
    if (Outcome saved = settings.Save(dataFolder); !saved) {
        Complain(kCommand, saved.Message());
        return kExitFailure;
    }
    return kExitSuccess;
}

void ClearWebConnector(LinkSettings& settings) {
    settings.WebConnectorListen.clear();
}

int UseSample(LinkArguments& arguments, LinkSettings settings,
              const std::filesystem::path& dataFolder) {
    if (!arguments.company.empty() && !std::filesystem::is_regular_file(arguments.company)) {
        Complain(kCommand, "--company: \"" + arguments.company + "\" is not a file");
        return kExitUsage;
    }
    ClearWebConnector(settings);
    settings.ResponseFolder.clear();
    settings.CompanyFile = Absolute(arguments.company);
    if (int code = Save(settings, dataFolder)) return code;
    return Show(settings, dataFolder);
}

int UseResponses(LinkArguments& arguments, LinkSettings settings,
                 const std::filesystem::path& dataFolder) {
    if (!std::filesystem::is_directory(arguments.folder)) {
        Complain(kCommand, "\"" + arguments.folder + "\" is not a folder");
        return kExitUsage;
    }
    ClearWebConnector(settings);
    settings.ResponseFolder = Absolute(arguments.folder);
    if (int code = Save(settings, dataFolder)) return code;
    return Show(settings, dataFolder);
}

int UseWebConnector(LinkArguments& arguments, LinkSettings settings,
                    const std::filesystem::path& dataFolder) {
    std::string host;
    int port = 0;
    if (std::string problem = ParseListenAddress(arguments.listen, host, port); !problem.empty()) {
        Complain(kCommand, "--listen: " + problem);
        return kExitUsage;
    }
    if (arguments.cert.empty() != arguments.key.empty()) {
        Complain(kCommand, "give --cert and --key together");
        return kExitUsage;
    }
    for (const std::string& file : {arguments.cert, arguments.key}) {
        if (!file.empty() && !std::filesystem::is_regular_file(file)) {
            Complain(kCommand, "\"" + file + "\" is not a file");
            return kExitUsage;
        }
    }
    std::string password;
    if (std::string problem = ReadWholeFile(arguments.passwordFile, password).Message();
        !problem.empty()) {
        Complain(kCommand, "--password-file: " + problem);
        return kExitFailure;
    }
    // The file's first line is the password; a trailing line break is no part of it.
    password = password.substr(0, password.find_first_of("\r\n"));
    if (password.size() < 8) {
        Complain(kCommand,
                 "the password in " + arguments.passwordFile + " is shorter than 8 characters");
        return kExitUsage;
    }
    std::string hash = PasswordHash::Make(password);
    if (hash.empty()) {
        Complain(kCommand, "no random salt could be had for the password hash");
        return kExitFailure;
    }
    settings.WebConnectorListen = arguments.listen;
    settings.WebConnectorUser = arguments.user;
    settings.WebConnectorPasswordHash = hash;
    settings.WebConnectorCertFile = Absolute(arguments.cert);
    settings.WebConnectorKeyFile = Absolute(arguments.key);
    if (arguments.wait > 0) settings.WebConnectorWait = arguments.wait;
    if (settings.WebConnectorFileId.empty()) settings.WebConnectorFileId = RandomGuid();
    // A certificate needed later is made now, so its fingerprint can be shown.
    WebConnectorSetup setup;
    if (std::string problem = MakeWebConnectorSetup(settings, dataFolder, setup);
        !problem.empty()) {
        Complain(kCommand, problem);
        return kExitFailure;
    }
    if (int code = Save(settings, dataFolder)) return code;
    if (setup.madeCertificate) {
        std::cout << "Made a self-signed certificate; trust it on the Windows machine after "
                     "checking its fingerprint:\n";
    }
    return Show(settings, dataFolder);
}

int WriteQwc(LinkArguments& arguments, LinkSettings settings,
             const std::filesystem::path& dataFolder) {
    if (settings.WebConnectorListen.empty() || settings.WebConnectorUser.empty()) {
        Complain(kCommand,
                 "the link does not use the Web Connector yet; run \"quarrion-cli "
                 "link use web-connector\" first");
        return kExitFailure;
    }
    WebConnectorAppFile file;
    file.appUrl = arguments.url.empty() ? ServiceUrl(settings) : arguments.url;
    if (file.appUrl.rfind("https://", 0) != 0 && file.appUrl.rfind("http://localhost", 0) != 0) {
        Complain(kCommand,
                 "the Web Connector accepts only https:// addresses, or "
                 "http://localhost for a tunnel: " +
                     file.appUrl);
        return kExitUsage;
    }
    file.userName = settings.WebConnectorUser;
    if (settings.WebConnectorFileId.empty()) {
        settings.WebConnectorFileId = RandomGuid();
        if (int code = Save(settings, dataFolder)) return code;
    }
    file.fileId = settings.WebConnectorFileId;
    if (std::string problem = WriteFileAtomically(arguments.out, file.Text()).Message();
        !problem.empty()) {
        Complain(kCommand, problem);
        return kExitFailure;
    }
    std::cout << "Wrote " << arguments.out << " for " << file.appUrl << " (user " << file.userName
              << ").\n";
    return kExitSuccess;
}

}  // namespace

Command AddLinkCommand(CLI::App& parent) {
    auto arguments = std::make_shared<LinkArguments>();
    CLI::App* app = parent.add_subcommand(
        "link",
        "Where searches get their records: the sample company, saved response files, or "
        "your QuickBooks company through the QuickBooks Web Connector.");
    app->require_subcommand(1);
    AddHomeOption(*app, arguments->home);

    CLI::App* show = app->add_subcommand("show", "Show what the link answers from");
    CLI::App* use = app->add_subcommand("use", "Choose what the link answers from");
    use->require_subcommand(1);
    CLI::App* sample = use->add_subcommand("sample", "A sample company file");
    sample
        ->add_option("--company", arguments->company,
                     "Sample-company file (default: the embedded sample company)")
        ->type_name("FILE");
    CLI::App* responses = use->add_subcommand("responses", "A folder of saved qbXML responses");
    responses->add_option("folder", arguments->folder, "The folder (Invoice.xml, ...)")
        ->required()
        ->type_name("DIR");
    CLI::App* web = use->add_subcommand(
        "web-connector", "Your QuickBooks company through the QuickBooks Web Connector");
    web->add_option("--listen", arguments->listen,
                    "Address to listen on: 127.0.0.1:PORT (plain HTTP, for a tunnel) or "
                    "0.0.0.0:PORT / NAME:PORT (HTTPS)")
        ->required()
        ->type_name("HOST:PORT");
    web->add_option("--user", arguments->user, "The Web Connector's user name")
        ->required()
        ->type_name("NAME");
    web->add_option("--password-file", arguments->passwordFile,
                    "File whose first line is the password the Web Connector gives (kept "
                    "only as a salted hash)")
        ->required()
        ->type_name("FILE");
    web->add_option("--cert", arguments->cert, "HTTPS certificate (chain), PEM")->type_name("FILE");
    web->add_option("--key", arguments->key, "Its private key, PEM")->type_name("FILE");
    web->add_option("--wait", arguments->wait,
                    "Seconds a request waits for the Web Connector (default 300)")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 86400));
    CLI::App* qwc = app->add_subcommand(
        "qwc", "Write the application file to add to the QuickBooks Web Connector");
    qwc->add_option("--out", arguments->out, "The .qwc file to write")
        ->required()
        ->type_name("FILE");
    qwc->add_option("--url", arguments->url, "The address the Web Connector calls (AppURL)")
        ->type_name("URL");
    for (CLI::App* sub : {show, use, sample, responses, web, qwc}) {
        AddHomeOption(*sub, arguments->home);
    }

    return {app, [arguments, show, sample, responses, web, qwc] {
                ApplyHome(arguments->home);
                const std::filesystem::path dataFolder = DataFolder();
                std::error_code ignored;
                std::filesystem::create_directories(dataFolder, ignored);
                LinkSettings settings = LinkSettings::Load(dataFolder);
                if (show->parsed()) return Show(settings, dataFolder);
                if (sample->parsed()) return UseSample(*arguments, settings, dataFolder);
                if (responses->parsed()) return UseResponses(*arguments, settings, dataFolder);
                if (web->parsed()) return UseWebConnector(*arguments, settings, dataFolder);
                if (qwc->parsed()) return WriteQwc(*arguments, settings, dataFolder);
                return kExitUsage;
            }};
}

}  // namespace quarrion::cli
