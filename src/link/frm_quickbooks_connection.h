#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace quarrion {

class WebConnectorServer;

// "QuickBooks Connection...": what the link answers from (the sample company, saved
// response files, or a real QuickBooks company through the QuickBooks Web Connector),
// the Web Connector's address, user, password and certificate, the application file
// for the Web Connector, and the connection's state, shown live. OK saves the link
// settings of the data folder; the password is kept only as a salted hash.
class frmQuickBooksConnection : public QDialog {
    Q_OBJECT

  public:
    explicit frmQuickBooksConnection(std::filesystem::path dataFolder, QWidget* parent = nullptr);
    ~frmQuickBooksConnection() override;

    // Saves the settings; "" or why not (shown to the user by accept()).
    QString Save();
    // Starts the service with the settings on screen (after saving them), so the Web
    // Connector can be tried while the dialog is open.
    void StartListening();
    void WriteApplicationFile();
    // Reads the service's state into the state label.
    void ShowState();

    void accept() override;

  private:
    void UpdateEnabled();

    std::filesystem::path dataFolder_;
    QRadioButton* optSample_;
    QRadioButton* optResponses_;
    QRadioButton* optWebConnector_;
    QLineEdit* txtCompany_;
    QLineEdit* txtResponses_;
    QLineEdit* txtListen_;
    QLineEdit* txtUser_;
    QLineEdit* txtPassword_;
    QLineEdit* txtCert_;
    QLineEdit* txtKey_;
    QSpinBox* spnWait_;
    QLabel* lblState_;
    QPushButton* cmdListen_;
    QPushButton* cmdQwc_;
    QTimer* tmrState_;
    std::shared_ptr<WebConnectorServer> server_;  // held while the dialog listens
};

// Adds "QuickBooks Connection..." to the Advanced menu; the dialog works on the data
// folder of the moment it opens.
void AddQuickBooksConnectionMenu(QMenu* advanced, QWidget* parent);

}  // namespace quarrion
