#include <QLineEdit>
#include <memory>

#include "control_file_lines.h"
#include "model/request_search_rule.h"
#include "shell/app_state.h"
#include "shell/io_manager_store.h"
#include "shell_test_main.h"
#include "wizard/frm_wizard.h"
#include "wizard/view_options.h"
#include "wizard/view_select.h"
#include "wizard_driver.h"

using namespace quarrion;
using namespace quarrion::test;

namespace {

constexpr std::int32_t kInvoice = RequestTypeCode::Invoice;

// One run of the program as far as the wizard needs: start-up and the catalog loaded
// from the database (initialised from the control file the first time).
std::unique_ptr<AppState> StartProgram() {
    StartUpParts parts;
    parts.MakeStore = [](QBXMLTags& catalog) { return std::make_unique<IOManagerStore>(catalog); };
    auto state = AppState::StartUp(std::move(parts));
    if (state->Store().FirstTime()) {
        state->Store().InitDataA();
    } else {
        state->Store().LoadData();
    }
    return state;
}

// "heading" per column a new search's invoice tab shows, in order: the console builds
// its standing rule of each type from the catalog when it starts.
QStringList NewSearchColumns(const QBXMLTags& catalog) {
    RequestSearchRules rules;
    RequestSearchRule* rule = rules.Add(kInvoice, &catalog);
    QStringList shown;
    for (const DisplayColumn& column : rule->DisplayColumns) {
        shown << QString::fromStdString(column.Tag()->TagName()).mid(13) + "=" +
                     QString::fromStdString(column.Heading());
    }
    return shown;
}

}  // namespace

// The preferences wizard over the real store: what Finish and Cancel leave in the
// database, seen by a new search and by the next run of the program.
class WizardStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_ = std::make_unique<FreshHome>();
        // Four invoice elements, the first two shown by default.
        shipped_ = std::make_unique<ShippedCatalog>(home_->Path());
        QVERIFY(shipped_->Write(1, 4));
        state_ = StartProgram();
    }
    void cleanup() {
        state_.reset();
        shipped_.reset();
        home_.reset();
    }

    // The dragged order is stored from sequence 1 up, and a new search and the next run
    // of the program both show it; an emptied heading is stored empty and shows the
    // shipped one.
    void FinishChangesWhatANewSearchShowsAndSurvivesARestart() {
        frmWizard wizard(state_->Catalog(), state_->Manager(), state_->HelpFile());
        ToColumns(wizard);
        ClickRow(wizard.Columns(), 0);  // Field 1 off
        ClickRow(wizard.Columns(), 2);  // Field 3 on
        Press(wizard, QWizard::NextButton);
        ViewPreview* preview = wizard.Preview();
        QCOMPARE(ShownHeadings(preview), (QStringList{"Field 2", "Field 3"}));
        ClickHeading(preview, 1);
        preview->txtHeading()->selectAll();
        QTest::keyClicks(preview->txtHeading(), "Third");
        ClickHeading(preview, 0);
        preview->txtHeading()->selectAll();
        QTest::keyClick(preview->txtHeading(), Qt::Key_Backspace);
        QCOMPARE(ShownHeadings(preview), (QStringList{"", "Third"}));
        DragHeading(preview, 1, 0);
        Press(wizard, QWizard::FinishButton);
        QCOMPARE(wizard.result(), int(QDialog::Accepted));

        ColumnsNowAndAfterRestart({"Field3=Third", "Field2=Field 2"});
        QCOMPARE(state_->Catalog().Item(kInvoice, "//InvoiceRet/Field2")->StoredUserHeading(),
                 std::string());
    }

    void CancelStoresNothing() {
        frmWizard wizard(state_->Catalog(), state_->Manager(), state_->HelpFile());
        ToColumns(wizard);
        ClickRow(wizard.Columns(), 0);
        ClickRow(wizard.Columns(), 3);
        Press(wizard, QWizard::NextButton);
        Press(wizard, QWizard::CancelButton);
        QCOMPARE(wizard.result(), int(QDialog::Rejected));
        ColumnsNowAndAfterRestart({"Field1=Field 1", "Field2=Field 2"});
    }

  private:
    // What a new search shows, now and after the program starts again.
    void ColumnsNowAndAfterRestart(const QStringList& expected) {
        QCOMPARE(NewSearchColumns(state_->Catalog()), expected);
        state_.reset();
        state_ = StartProgram();
        QCOMPARE(NewSearchColumns(state_->Catalog()), expected);
    }
    // Shows the wizard and walks it to the invoice's columns.
    static void ToColumns(frmWizard& wizard) {
        wizard.show();
        ChooseType(wizard.Select()->cboType(), QStringLiteral("Invoice"));
        Press(wizard, QWizard::NextButton);
        ClickOption(wizard.Options()->optType(0));
        Press(wizard, QWizard::NextButton);
    }

    std::unique_ptr<FreshHome> home_;
    std::unique_ptr<ShippedCatalog> shipped_;
    std::unique_ptr<AppState> state_;
};

QUARRION_SHELL_TEST_MAIN(WizardStoreTest)
#include "store_test.moc"
