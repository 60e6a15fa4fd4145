#include "link/frm_quickbooks_connection.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "foundation/app_paths.h"
#include "foundation/atomic_file.h"
#include "link/link_settings.h"
#include "link/password_hash.h"
#include "link/web_connector_app_file.h"
#include "link/web_connector_server.h"
#include "link/web_connector_setup.h"
#include "shell/named_control.h"

namespace quarrion {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

frmQuickBooksConnection::frmQuickBooksConnection(std::filesystem::path dataFolder, QWidget* parent)
    : QDialog(parent), dataFolder_(std::move(dataFolder)) {
    setObjectName(QStringLiteral("frmQuickBooksConnection"));
    setWindowTitle(QStringLiteral("QuickBooks Connection"));
    const LinkSettings settings = LinkSettings::Load(dataFolder_);

    optSample_ = Named(new QRadioButton(QStringLiteral("&Sample company")), "optSample",
                       QStringLiteral("Sample company"),
                       QStringLiteral("Answer searches from a sample company file"));
    optResponses_ = Named(new QRadioButton(QStringLiteral("Saved &response files")), "optResponses",
                          QStringLiteral("Saved response files"),
                          QStringLiteral("Answer searches from a folder of saved qbXML responses"));
    optWebConnector_ =
        Named(new QRadioButton(QStringLiteral("QuickBooks through the &Web Connector")),
              "optWebConnector", QStringLiteral("QuickBooks through the Web Connector"),
              QStringLiteral("Search your QuickBooks company: the QuickBooks Web Connector on the "
                             "Windows machine calls Quarrion"));
    txtCompany_ = Named(new QLineEdit(Text(settings.CompanyFile.string())), "txtCompany",
                        QStringLiteral("Sample company file"),
                        QStringLiteral("Empty: the embedded sample company"));
    txtResponses_ = Named(new QLineEdit(Text(settings.ResponseFolder.string())), "txtResponses",
                          QStringLiteral("Response folder"),
                          QStringLiteral("Folder holding Invoice.xml, Customer.xml, ..."));
    txtListen_ = Named(
        new QLineEdit(Text(settings.WebConnectorListen.empty() ? std::string("127.0.0.1:8080")
                                                               : settings.WebConnectorListen)),
        "txtListen", QStringLiteral("Listen address"),
        QStringLiteral("HOST:PORT. 127.0.0.1 serves plain HTTP (for a tunnel); "
                       "any other address serves HTTPS"));
    txtUser_ = Named(new QLineEdit(Text(settings.WebConnectorUser)), "txtUser",
                     QStringLiteral("Web Connector user"),
                     QStringLiteral("The UserName the Web Connector signs in with"));
    txtPassword_ = Named(new QLineEdit, "txtPassword", QStringLiteral("Web Connector password"),
                         QStringLiteral("At least 8 characters; empty keeps the password set "
                                        "before. Kept only as a salted hash."));
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtPassword_->setPlaceholderText(PasswordHash::IsHash(settings.WebConnectorPasswordHash)
                                         ? QStringLiteral("(unchanged)")
                                         : QStringLiteral("(not set)"));
    txtCert_ = Named(new QLineEdit(Text(settings.WebConnectorCertFile.string())), "txtCert",
                     QStringLiteral("Certificate file"),
                     QStringLiteral("PEM certificate for HTTPS; empty beyond loopback: a "
                                    "self-signed one is made"));
    txtKey_ =
        Named(new QLineEdit(Text(settings.WebConnectorKeyFile.string())), "txtKey",
              QStringLiteral("Key file"), QStringLiteral("PEM private key of the certificate"));
    spnWait_ = Named(new QSpinBox, "spnWait", QStringLiteral("Wait in seconds"),
                     QStringLiteral("How long a request waits for the Web Connector"));
    spnWait_->setRange(1, 86400);
    spnWait_->setValue(settings.WebConnectorWait);
    spnWait_->setSuffix(QStringLiteral(" s"));
    lblState_ = Named(new QLabel, "lblState", QStringLiteral("Connection state"),
                      QStringLiteral("What the Web Connector service is doing"));
    lblState_->setWordWrap(true);
    lblState_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblState_->setMinimumHeight(120);
    lblState_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdListen_ = Named(new QPushButton(QStringLiteral("Start &Listening")), "cmdListen",
                       QStringLiteral("Start listening"),
                       QStringLiteral("Save and start the service now, to try the Web Connector"));
    cmdQwc_ = Named(new QPushButton(QStringLiteral("Write &Application File...")), "cmdQwc",
                    QStringLiteral("Write application file"),
                    QStringLiteral("Save the .qwc file to add to the Web Connector"));

    auto* source = new QGroupBox(QStringLiteral("Answer searches from"));
    auto* sourceForm = new QFormLayout(source);
    sourceForm->addRow(optSample_);
    sourceForm->addRow(QStringLiteral("Company file:"), txtCompany_);
    sourceForm->addRow(optResponses_);
    sourceForm->addRow(QStringLiteral("Folder:"), txtResponses_);
    sourceForm->addRow(optWebConnector_);
    sourceForm->addRow(QStringLiteral("Listen on:"), txtListen_);
    sourceForm->addRow(QStringLiteral("User:"), txtUser_);
    sourceForm->addRow(QStringLiteral("Password:"), txtPassword_);
    sourceForm->addRow(QStringLiteral("Certificate:"), txtCert_);
    sourceForm->addRow(QStringLiteral("Key:"), txtKey_);
    sourceForm->addRow(QStringLiteral("Wait:"), spnWait_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdListen_);
    buttons->addWidget(cmdQwc_);
    buttons->addStretch();
    sourceForm->addRow(buttons);

    auto* state = new QGroupBox(QStringLiteral("Connection"));
    auto* stateLayout = new QVBoxLayout(state);
    stateLayout->addWidget(lblState_);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    Named(box->button(QDialogButtonBox::Ok), "cmdOK", QStringLiteral("OK"),
          QStringLiteral("Save the connection settings"));
    Named(box->button(QDialogButtonBox::Cancel), "cmdCancel", QStringLiteral("Cancel"),
          QStringLiteral("Close without saving"));
    connect(box, &QDialogButtonBox::accepted, this, &frmQuickBooksConnection::accept);
    connect(box, &QDialogButtonBox::rejected, this, &frmQuickBooksConnection::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(state);
    layout->addWidget(box);
    setMinimumWidth(600);

    if (!settings.WebConnectorListen.empty()) {
        optWebConnector_->setChecked(true);
    } else if (!settings.ResponseFolder.empty()) {
        optResponses_->setChecked(true);
    } else {
        optSample_->setChecked(true);
    }
    for (QRadioButton* option : {optSample_, optResponses_, optWebConnector_}) {
        connect(option, &QRadioButton::toggled, this, &frmQuickBooksConnection::UpdateEnabled);
    }
    connect(cmdListen_, &QPushButton::clicked, this, &frmQuickBooksConnection::StartListening);
    connect(cmdQwc_, &QPushButton::clicked, this, &frmQuickBooksConnection::WriteApplicationFile);
    tmrState_ = new QTimer(this);
    tmrState_->setObjectName(QStringLiteral("tmrState"));
    connect(tmrState_, &QTimer::timeout, this, &frmQuickBooksConnection::ShowState);
    tmrState_->start(500);
    UpdateEnabled();
    ShowState();
}

frmQuickBooksConnection::~frmQuickBooksConnection() = default;

void frmQuickBooksConnection::UpdateEnabled() {
    txtCompany_->setEnabled(optSample_->isChecked());
    txtResponses_->setEnabled(optResponses_->isChecked());
    const bool web = optWebConnector_->isChecked();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{txtListen_, txtUser_, txtPassword_, txtCert_, txtKey_,
                                         spnWait_, cmdListen_, cmdQwc_}) {
        widget->setEnabled(web);
    }
    ShowState();
}

QString frmQuickBooksConnection::Save() {
    LinkSettings settings = LinkSettings::Load(dataFolder_);
    if (optSample_->isChecked()) {
        settings.WebConnectorListen.clear();
        settings.ResponseFolder.clear();
        settings.CompanyFile = txtCompany_->text().trimmed().toStdString();
    } else if (optResponses_->isChecked()) {
        const QString folder = txtResponses_->text().trimmed();
        if (folder.isEmpty() || !std::filesystem::is_directory(folder.toStdString())) {
            return QStringLiteral("The response folder \"%1\" does not exist.").arg(folder);
        }
        settings.WebConnectorListen.clear();
        settings.ResponseFolder = folder.toStdString();
    } else {
        std::string host;
        int port = 0;
        const std::string listen = txtListen_->text().trimmed().toStdString();
        if (std::string problem = ParseListenAddress(listen, host, port); !problem.empty()) {
            return QStringLiteral("The listen address ") + Text(problem) + QStringLiteral(".");
        }
        if (txtUser_->text().trimmed().isEmpty()) return QStringLiteral("Enter a user name.");
        const QString password = txtPassword_->text();
        if (!password.isEmpty() && password.size() < 8) {
            return QStringLiteral("The password needs at least 8 characters.");
        }
        if (password.isEmpty() && !PasswordHash::IsHash(settings.WebConnectorPasswordHash)) {
            return QStringLiteral("Enter a password for the Web Connector.");
        }
        if (txtCert_->text().trimmed().isEmpty() != txtKey_->text().trimmed().isEmpty()) {
            return QStringLiteral("Give both a certificate and its key, or neither.");
        }
        settings.WebConnectorListen = listen;
        settings.WebConnectorUser = txtUser_->text().trimmed().toStdString();
        if (!password.isEmpty()) {
            settings.WebConnectorPasswordHash = PasswordHash::Make(password.toStdString());
        }
        settings.WebConnectorCertFile = txtCert_->text().trimmed().toStdString();
        settings.WebConnectorKeyFile = txtKey_->text().trimmed().toStdString();
        settings.WebConnectorWait = spnWait_->value();
        if (settings.WebConnectorFileId.empty()) settings.WebConnectorFileId = RandomGuid();
        WebConnectorSetup setup;
        if (std::string problem = MakeWebConnectorSetup(settings, dataFolder_, setup);
            !problem.empty()) {
            return Text(problem);
        }
    }
    if (Outcome saved = settings.Save(dataFolder_); !saved) return Text(saved.Message());
    txtPassword_->clear();
    txtPassword_->setPlaceholderText(QStringLiteral("(unchanged)"));
    return {};
}

void frmQuickBooksConnection::accept() {
    if (QString problem = Save(); !problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    QDialog::accept();
}

void frmQuickBooksConnection::StartListening() {
    if (QString problem = Save(); !problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    WebConnectorSetup setup;
    std::string error = MakeWebConnectorSetup(LinkSettings::Load(dataFolder_), dataFolder_, setup);
    if (error.empty()) server_ = AcquireWebConnector(setup, error);
    if (!server_) QMessageBox::warning(this, windowTitle(), Text(error));
    ShowState();
}

void frmQuickBooksConnection::WriteApplicationFile() {
    if (QString problem = Save(); !problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    const LinkSettings settings = LinkSettings::Load(dataFolder_);
    std::string host;
    int port = 0;
    ParseListenAddress(settings.WebConnectorListen, host, port);
    const bool secure = !settings.WebConnectorCertFile.empty() || !IsLoopbackHost(host);
    if (IsLoopbackHost(host)) host = "localhost";
    host = CertificateHostName(host);
    WebConnectorAppFile file;
    file.appUrl = std::string(secure ? "https://" : "http://") + host + ":" + std::to_string(port) +
                  WebConnectorEndpoint().path;
    file.userName = settings.WebConnectorUser;
    file.fileId = settings.WebConnectorFileId;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Write Application File"), QStringLiteral("Quarrion.qwc"),
        QStringLiteral("Web Connector application files (*.qwc)"));
    if (path.isEmpty()) return;
    if (std::string problem = WriteFileAtomically(path.toStdString(), file.Text()).Message();
        !problem.empty()) {
        QMessageBox::warning(this, windowTitle(), Text(problem));
    }
}

void frmQuickBooksConnection::ShowState() {
    if (!optWebConnector_->isChecked()) {
        lblState_->setText(
            QStringLiteral("Searches answer from this computer; no connection "
                           "is needed."));
        return;
    }
    std::string host;
    int port = 0;
    ParseListenAddress(txtListen_->text().trimmed().toStdString(), host, port);
    std::shared_ptr<WebConnectorServer> server =
        server_ ? server_ : RunningWebConnector(host, port);
    // Listening already at the address shown: another click would change nothing.
    const bool listeningHere = static_cast<bool>(RunningWebConnector(host, port));
    cmdListen_->setText(listeningHere ? QStringLiteral("&Listening")
                                      : QStringLiteral("Start &Listening"));
    cmdListen_->setEnabled(!listeningHere);
    if (!server) {
        lblState_->setText(
            QStringLiteral("Not listening. The service starts with a search, or "
                           "with Start Listening."));
        return;
    }
    const WebConnectorService::Status status = server->Service().CurrentStatus();
    QStringList lines;
    lines << QStringLiteral("Listening at %1.").arg(Text(server->Url()));
    if (status.sessionOpen) {
        lines << QStringLiteral("The Web Connector at %1 is connected%2.")
                     .arg(Text(status.peer),
                          status.sent ? QStringLiteral("; QuickBooks is answering") : QString());
    } else {
        lines << QStringLiteral("Waiting for the QuickBooks Web Connector.");
    }
    if (!status.companyFile.empty()) {
        lines << QStringLiteral("Company file: %1").arg(Text(status.companyFile));
    }
    lines << QStringLiteral("Requests waiting: %1; answered: %2.")
                 .arg(status.queued)
                 .arg(status.answered);
    if (status.lastContact) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now() - *status.lastContact)
                                 .count();
        lines << QStringLiteral("Last call %1 s ago.").arg(seconds);
    }
    if (!status.lastEvent.empty()) lines << Text(status.lastEvent);
    lblState_->setText(lines.join(QLatin1Char('\n')));
}

void AddQuickBooksConnectionMenu(QMenu* advanced, QWidget* parent) {
    QAction* action = advanced->addAction(QStringLiteral("&QuickBooks Connection..."));
    action->setObjectName(QStringLiteral("mnuQuickBooksConnection"));
    action->setToolTip(
        QStringLiteral("Choose what searches answer from; connect QuickBooks "
                       "through the Web Connector"));
    QObject::connect(action, &QAction::triggered, parent, [parent] {
        frmQuickBooksConnection dialog(DataFolder(), parent);
        dialog.exec();
    });
}

}  // namespace quarrion
