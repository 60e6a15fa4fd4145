#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <memory>
#include <tuple>

#include "catalog/qbxml_tags.h"
#include "fakes.h"
#include "model/display_column.h"
#include "qbxml/request_type_info.h"
#include "shell/app_state.h"
#include "shell/context_help.h"
#include "shell/help_window.h"
#include "shell_test_main.h"
#include "wizard/frm_display_wizard.h"
#include "wizard/frm_wizard.h"
#include "wizard/view_options.h"
#include "wizard/view_select.h"
#include "wizard/wizard_launchers.h"
#include "wizard_driver.h"

using namespace quarrion;
using namespace quarrion::test;

namespace {

constexpr std::int32_t kInvoice = RequestTypeCode::Invoice;

// Invoice elements: three shown (sequences 1, 2, 5) and two not, at levels 1, 2 and 4;
// and one customer element, which the invoice wizard never offers.
void FillCatalog(QBXMLTags& catalog) {
    const std::tuple<int, const char*, int, int, const char*> entries[] = {
        {kInvoice, "//InvoiceRet/TxnDate", 1, 1, "Date"},
        {kInvoice, "//InvoiceRet/RefNumber", 2, 1, "Num"},
        {RequestTypeCode::Customer, "//CustomerRet/Name", 1, 1, "Name"},
        {kInvoice, "//InvoiceRet/CustomerRef/FullName", 5, 2, "Customer"},
        {kInvoice, "//InvoiceRet/Memo", 0, 1, "Memo"},
        {kInvoice, "//InvoiceRet/InvoiceLineRet/ItemRef/FullName", 0, 4, "Item"}};
    for (const auto& [code, path, sequence, level, heading] : entries) {
        catalog.Add(code, "", sequence, sequence, path, heading, level, "", false, "", "STRTYPE",
                    0);
    }
}

// The console's host, as far as the display-columns launcher needs one.
class Host : public ConsoleHost {
  public:
    explicit Host(AppState& state) : state_(state) {}
    AppState& State() override { return state_; }
    QMdiSubWindow* createMdiChild(QWidget*) override { return nullptr; }
    void ResultsWindowOpened() override {}

  private:
    AppState& state_;
};

// The columns' headings in column order.
QString Headings(const DisplayColumns& columns) {
    QStringList headings;
    for (const DisplayColumn& column : columns) {
        headings << QString::fromStdString(column.Heading());
    }
    return headings.join(' ');
}

}  // namespace

// Both wizards driven as a user does, over a catalog of the test's own (the
// preferences wizard without a store: storing is the store test's part).
class WizardPanelsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        catalog_ = std::make_unique<QBXMLTags>();
        FillCatalog(*catalog_);
        wizard_ = std::make_unique<frmWizard>(*catalog_, nullptr, "qrc:/help/index.html");
        wizard_->show();
        QVERIFY(QTest::qWaitForWindowExposed(wizard_.get()));
    }
    void cleanup() {
        wizard_.reset();
        catalog_.reset();
    }

    // Next needs a type; the chosen type's options start cleared, also on coming back.
    void TheChosenTypesOptionsStartClearedAndNextNeedsAChoice() {
        QCOMPARE(MessageOf([this] { Press(*wizard_, QWizard::NextButton); }),
                 QStringLiteral("Quarrion Wizard: You must select a list/transaction view, before "
                                "you can continue."));
        QCOMPARE(wizard_->currentId(), int(frmWizard::SelectStep));
        ToOptions();
        ViewOptions* options = wizard_->Options();
        auto cleared = [&] {
            return !options->optType(0)->isChecked() && !options->optType(1)->isChecked() &&
                   !wizard_->button(QWizard::NextButton)->isEnabled();
        };
        QVERIFY(cleared());
        ClickOption(options->optType(0));
        Press(*wizard_, QWizard::NextButton);
        QCOMPARE(wizard_->currentId(), int(frmWizard::ColumnsStep));
        Press(*wizard_, QWizard::BackButton);
        QCOMPARE(wizard_->currentId(), int(frmWizard::OptionsStep));
        QVERIFY(cleared());
    }

    void UncheckingEveryColumnShowsTheMessageAndStays() {
        ViewColumns* columns = ToColumns();
        for (int row : {0, 1, 2}) ClickRow(columns, row);
        for (int row = 0; row < 5; ++row) QVERIFY(!IsChecked(columns, row));
        QCOMPARE(MessageOf([this] { Press(*wizard_, QWizard::NextButton); }),
                 QStringLiteral("Quarrion Wizard: You must select at least one column to display "
                                "in search results."));
        QCOMPARE(wizard_->currentId(), int(frmWizard::ColumnsStep));

        // Uncheck All reaches columns the filter hides too.
        ClickRow(columns, 4);
        QTest::keyClicks(columns->txtFilter(), "memo");
        QTest::mouseClick(columns->findChild<QPushButton*>("cmdClearAll"), Qt::LeftButton);
        QVERIFY(!IsChecked(columns, 4));
    }

    // The count follows the checks and Space toggles the current column. (A click on a
    // filtered row is the acceptance walk's.)
    void SpaceTogglesTheCurrentColumn() {
        ViewColumns* columns = ToColumns();
        QTreeView* tree = columns->tvwView();
        tree->setFocus();
        tree->setCurrentIndex(tree->model()->index(1, 0));
        QTest::keyClick(tree, Qt::Key_Space);
        QVERIFY(!IsChecked(columns, 1));
        QCOMPARE(columns->findChild<QLabel*>("lblCount")->text(),
                 QStringLiteral("2 of 5 columns checked"));
        QTest::keyClick(tree, Qt::Key_Space);
        QVERIFY(IsChecked(columns, 1));
    }

    // Modify Columns skips the selection and offers only shown columns; the keyboard moves
    // between headings and Move Left moves one; Finish without a store says so and stays.
    void ModifyColumnsEditsTheShownColumnsButCannotFinishWithoutAStore() {
        ViewPreview* preview = ToPreview();
        QCOMPARE(wizard_->currentId(), int(frmWizard::PreviewStep));
        QCOMPARE(ShownHeadings(preview), (QStringList{"Date", "Num", "Customer"}));
        QVERIFY(!preview->txtHeading()->isEnabled());
        ClickHeading(preview, 1);
        QVERIFY(preview->txtHeading()->isEnabled());
        preview->lstView()->setFocus();
        QTest::keyClick(preview->lstView(), Qt::Key_Right);
        QCOMPARE(preview->txtHeading()->text(), QStringLiteral("Customer"));
        QTest::mouseClick(preview->findChild<QPushButton*>("cmdMoveLeft"), Qt::LeftButton);
        QCOMPARE(ShownHeadings(preview), (QStringList{"Date", "Customer", "Num"}));

        QSignalSpy finished(wizard_.get(), &ViewWizard::Finished);
        QCOMPARE(MessageOf([this] { Press(*wizard_, QWizard::FinishButton); }),
                 QStringLiteral("Quarrion Wizard: The column choices cannot be stored: no database "
                                "is open."));
        QVERIFY(wizard_->isVisible());
        QCOMPARE(finished.count(), 0);
        Press(*wizard_, QWizard::BackButton);
        QCOMPARE(wizard_->currentId(), int(frmWizard::OptionsStep));
    }

    void HelpOpensTheCurrentPanelsOwnPage() {
        Press(*wizard_, QWizard::HelpButton);
        QVERIFY(wizard_->Help() && wizard_->Help()->isVisible());
        QCOMPARE(wizard_->Help()->CurrentPage(), QStringLiteral("wizard-select.html"));
        // F1, where the program catches it, presses the wizard's Help too.
        ContextHelpKey key([](const QString&, QWidget*) {});
        qApp->installEventFilter(&key);
        QTest::keyClick(ToColumns()->txtFilter(), Qt::Key_F1);
        QCOMPARE(wizard_->Help()->CurrentPage(), QStringLiteral("wizard-columns.html"));
    }

    // The per-search wizard, opened by its launcher over a type's columns: Finish
    // rebuilds them from the checks and the dragged order and answers true; Cancel after
    // changes leaves them as they were and answers false.
    void TheDisplayWizardRebuildsTheColumnsOnlyOnFinish() {
        auto state = AppState::StartUp(FakeStoreParts());
        FillCatalog(state->Catalog());
        Host host(*state);
        DisplayColumnsLauncher launch = MakeDisplayColumnsLauncher();

        DisplayColumns columns;  // a type's columns that do not name their type
        for (const char* path : {"//InvoiceRet/RefNumber", "//InvoiceRet/TxnDate"}) {
            columns.Add(*state->Catalog().Item(kInvoice, path));
        }
        OnNextModal([](QDialog* dialog) {
            auto* display = qobject_cast<frmDisplayWizard*>(dialog);
            QCOMPARE(display->windowTitle(), QStringLiteral("Invoice Display Columns"));
            ViewColumns* panel = display->Columns();
            QVERIFY(IsChecked(panel, 0) && IsChecked(panel, 1) && !IsChecked(panel, 2));
            ClickRow(panel, 2);  // Customer
            Press(*display, QWizard::NextButton);
            QCOMPARE(ShownHeadings(display->Preview()), (QStringList{"Date", "Num", "Customer"}));
            DragHeading(display->Preview(), 2, 0);
            Press(*display, QWizard::FinishButton);
        });
        QVERIFY(launch(host, kInvoice, columns, nullptr));
        QCOMPARE(Headings(columns), QStringLiteral("Customer Date Num"));

        OnNextModal([](QDialog* dialog) {
            auto* display = qobject_cast<frmDisplayWizard*>(dialog);
            ClickRow(display->Columns(), 0);
            Press(*display, QWizard::NextButton);
            ClickHeading(display->Preview(), 0);
            QTest::keyClicks(display->Preview()->txtHeading(), "changed");
            Press(*display, QWizard::CancelButton);
        });
        QVERIFY(!launch(host, kInvoice, columns, nullptr));
        QCOMPARE(Headings(columns), QStringLiteral("Customer Date Num"));
    }

  private:
    void ToOptions() {
        ChooseType(wizard_->Select()->cboType(), QStringLiteral("Invoice"));
        Press(*wizard_, QWizard::NextButton);
        QCOMPARE(wizard_->currentId(), int(frmWizard::OptionsStep));
    }
    ViewColumns* ToColumns() {
        ToOptions();
        ClickOption(wizard_->Options()->optType(0));
        Press(*wizard_, QWizard::NextButton);
        return wizard_->Columns();
    }
    ViewPreview* ToPreview() {
        ToOptions();
        ClickOption(wizard_->Options()->optType(1));
        Press(*wizard_, QWizard::NextButton);
        return wizard_->Preview();
    }

    std::unique_ptr<QBXMLTags> catalog_;
    std::unique_ptr<frmWizard> wizard_;
};

QUARRION_SHELL_TEST_MAIN(WizardPanelsTest)
#include "panels_test.moc"
