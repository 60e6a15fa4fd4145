#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTest>

#include "console/date_control.h"
#include "console/frm_save_search.h"
#include "console/saved_searches.h"
#include "console_rig.h"
#include "search/search_builder.h"
#include "search_text.h"
#include "shell_test_main.h"
#include "store/io_manager.h"

using namespace quarrion;
using test::ConsoleRig;

namespace {

SearchDate Day(int y, unsigned m, unsigned d) {
    return SearchDate(std::chrono::year(y) / std::chrono::month(m) / std::chrono::day(d));
}

QList<std::int32_t> Ticked(RequestControl* list) {
    QList<std::int32_t> codes;
    for (std::int32_t code : list->TickedTypes()) codes << code;
    return codes;
}

// Composes a search in the console as a user does: every tick removed, the types
// ticked, dates and filter set, the global rules typed row by row, then each type's
// field rules through its Refine Search.
void Compose(SearchConsoleControl* console, const QList<std::int32_t>& types, const QDate& from,
             const QDate& to, long filter, const QStringList& rules, const QStringList& fields) {
    QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
    for (std::int32_t type : types) test::ToggleType(console->lstView(), type);
    console->datView()->dtpFrom()->setDate(from);
    console->datView()->dtpTo()->setDate(to);
    QRadioButton* option =
        console->datView()->optType(filter == DateFilterCode::TransactionDate ? 0 : 1);
    QVERIFY2(option->isVisible(), "the date filter option is not shown");
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
    QVERIFY(option->isChecked());
    for (int i = 0; i < rules.size(); ++i) {
        if (i > 0) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        test::EnterRule(console->criView(), i + 1, rules[i]);
    }
    std::int32_t open = 0;
    int row = 0;
    for (const QString& text : fields) {
        FieldRuleTextResult parsed = ParseFieldRuleText(text.toStdString());
        QVERIFY2(parsed, parsed.Error.c_str());
        const std::int32_t type = RequestTypesOf(parsed.TypeText).Types.at(0);
        if (type != open) {
            if (open != 0) QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
            test::TypeMenu(console->lstView(), type, QStringLiteral("Refine Search"));
            QVERIFY(console->FieldMode());
            open = type;
            row = 0;
        }
        if (++row > 1) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        test::EnterFieldRule(console->fldView(), row, parsed.Rule);
    }
    if (open != 0) QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
    QVERIFY(!console->FieldMode());
}

// What the terminal tool's builder makes of the same choices.
QString ToolSearch(const QBXMLTags& catalog, const QList<std::int32_t>& types, SearchDate from,
                   SearchDate to, long filter, const QStringList& rules,
                   const QStringList& fields) {
    SearchBuilder builder(catalog);
    for (std::int32_t type : types) builder.IncludeType(type);
    builder.SetDates(from, to, filter);
    for (const QString& rule : rules) {
        const std::string error = builder.AddRule(rule.toStdString());
        if (!error.empty()) return QString::fromStdString("rule: " + error);
    }
    for (const QString& field : fields) {
        const std::string error = builder.AddFieldRule(field.toStdString());
        if (!error.empty()) return QString::fromStdString("field rule: " + error);
    }
    SearchObject2 search;
    if (Outcome built = builder.Build(search); !built)
        return QString::fromStdString("build: " + built.Message());
    return test::SearchText(search);
}

// A modal watcher that answers frmDialog messages with OK or Cancel and records them.
struct Answers {
    QStringList Seen;
    bool Ok = true;
    test::ModalWatcher Watcher{[this](QDialog* dialog) {
        if (auto* message = qobject_cast<frmDialog*>(dialog)) {
            Seen << dialog->windowTitle() + ": " + message->Message();
            (Ok || !message->cmdCancel()->isVisible() ? message->cmdOK() : message->cmdCancel())
                ->click();
        }
    }};
};

// Fills and closes the next save window with `name` and `description`.
void SaveAs(SearchConsoleControl* console, const QString& name, const QString& description) {
    test::OnNextModal([name, description](QDialog* dialog) {
        auto* save = qobject_cast<frmSaveSearch*>(dialog);
        if (!save) return;
        save->txtName()->setText(name);
        save->txtDesc()->setText(description);
        QTest::mouseClick(save->cmdSave(), Qt::LeftButton);
    });
    QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
}

QStandardItem* SavedRoot(SavedSearches* saved, const QString& name) {
    QStandardItemModel* model = saved->Model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->item(row)->text() == name) return model->item(row);
    }
    return nullptr;
}

QStringList ChildTexts(QStandardItem* root) {
    QStringList texts;
    for (int row = 0; root && row < root->rowCount(); ++row) texts << root->child(row)->text();
    return texts;
}

// Clicks a line of the saved-search tree with `button`, pressing and releasing at
// points `travel` pixels apart.
void ClickLine(SavedSearches* saved, QStandardItem* line, Qt::MouseButton button, int travel = 0) {
    QTreeView* tree = saved->tvwView();
    tree->scrollTo(line->index());
    const QPoint at = tree->visualRect(line->index()).center();
    QTest::mousePress(tree->viewport(), button, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), button, Qt::NoModifier, at + QPoint(travel, 0));
}

// The main window with the console's parts shown, saved as pictures for the record
// (with the field rules of the invoices too) when QUARRION_SCREENSHOTS names a folder.
void Picture(ConsoleRig& rig, SearchConsoleControl* console) {
    console->tvwView()->tvwView()->expandAll();
    QTest::qWait(50);
    for (QWidget* shown :
         {static_cast<QWidget*>(console->criView()), static_cast<QWidget*>(console->datView()),
          static_cast<QWidget*>(console->tvwView())}) {
        QVERIFY(shown->isVisible() && shown->height() > 20);
    }
    const QImage picture = rig.Main().grab().toImage();
    QVERIFY(!picture.isNull());
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(picture.save(folder + "/console.png"));
    test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
    QTest::qWait(50);
    QVERIFY(rig.Main().grab().save(folder + "/console_field_rules.png"));
    QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
}

std::size_t StoredCount(IOManager& store) {
    auto searches = store.SearchObjects();
    return searches ? searches->Count() : 0;
}

}  // namespace

// The search console in the main window, driven as a user drives it, against the real
// store in the test's data folder.
class SearchConsoleTest : public QObject {
    Q_OBJECT

  private slots:
    void TheConsoleHandsOverTheSearchTheTerminalToolBuilds_data() {
        QTest::addColumn<QList<std::int32_t>>("types");
        QTest::addColumn<long>("filter");
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("one text rule")
            << QList<std::int32_t>{4} << 1L << QStringList{"text contains Supply"} << QStringList{};
        QTest::newRow("and and or groups, list and range")
            << QList<std::int32_t>{2, 4, 11} << 2L
            << QStringList{"text starts-with Acme", "amount gt 500", "or text in north,south",
                           "price between 10 20"}
            << QStringList{};
        QTest::newRow("number list, percent, any number")
            << QList<std::int32_t>{4, 12} << 1L
            << QStringList{"quantity in 1,2,3", "or percent le 8.5", "number eq 100"}
            << QStringList{};
        QTest::newRow("field rules on two types")
            << QList<std::int32_t>{2, 4} << 1L << QStringList{"text contains Supply"}
            << QStringList{"Customer: Balance gt 0", "Customer: IsActive is-true",
                           "Invoice: CustomerRef/FullName starts-with Acme",
                           "Invoice: or Subtotal between 100 200"};
        QTest::newRow("no rules at all")
            << QList<std::int32_t>{1, 35} << 2L << QStringList{} << QStringList{};
    }
    void TheConsoleHandsOverTheSearchTheTerminalToolBuilds() {
        QFETCH(QList<std::int32_t>, types);
        QFETCH(long, filter);
        QFETCH(QStringList, rules);
        QFETCH(QStringList, fields);
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        Compose(console, types, QDate(2024, 2, 1), QDate(2024, 11, 30), filter, rules, fields);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        const QString expected = ToolSearch(rig.State().Catalog(), types, Day(2024, 2, 1),
                                            Day(2024, 11, 30), filter, rules, fields);
        QVERIFY2(!expected.startsWith("rule") && !expected.startsWith("field"),
                 qPrintable(expected));
        QCOMPARE(test::SearchText(*rig.Handed.front()), expected);
    }

    void SearchWithoutATickSaysInvalidSearchAndOpensNothing() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        Answers answers;
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(answers.Seen, QStringList{"Invalid Search: You must select at least one "
                                           "transaction type, or list, to perform a search."});
        QVERIFY(rig.Handed.empty());
        // Save asks for at least one type as well, before any save window opens.
        test::EnterRule(console->criView(), 1, "text contains x");
        QVERIFY(console->cmdSave()->isEnabled());
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        QCOMPARE(answers.Seen.size(), 2);
        QCOMPARE(answers.Seen.last(), answers.Seen.first());
    }

    void AStoreFailureIsShownUnderTheOperationsName() {
        SavedSearches saved;
        Answers answers;
        saved.ShowStoreError(19, "the disk is full", "IOManager", "IOManager::SaveCriterion");
        QCOMPARE(answers.Seen,
                 QStringList{"IOManager::SaveCriterion: (19) IOManager\nthe disk is full"});
    }

    void AfterASearchTheConsoleIsEmptyAndTheNextStartShowsWhatItUsed() {
        QList<int> sizes;
        {
            ConsoleRig rig;
            SearchConsoleControl* console = rig.Console();
            Compose(console, {5, 12}, QDate(2023, 3, 4), QDate(2023, 9, 10), 2,
                    {"text contains Acme", "amount gt 10"}, {});
            QSignalSpy notified(console, &SearchConsoleControl::Notification);
            QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
            QCOMPARE(rig.Handed.size(), std::size_t{1});
            QCOMPARE(notified.count(), 1);
            QVERIFY(Ticked(console->lstView()).isEmpty());
            QCOMPARE(console->criView()->RowCount(), 1);
            QVERIFY(!console->criView()->ContainsData());
            QVERIFY(!console->cmdSave()->isEnabled());
            // The user's split of the console is kept too.
            QSplitter* splitter = console->Splitter();
            splitter->setSizes({150, 700, 230});
            emit splitter->splitterMoved(150, 1);
            sizes = splitter->sizes();
        }
        ConsoleRig next(test::ConsoleRigOptions{.KeepSettings = true});
        SearchConsoleControl* console = next.Console();
        QCOMPARE(Ticked(console->lstView()), (QList<std::int32_t>{5, 12}));
        QCOMPARE(console->datView()->FromDate(), QDate(2023, 3, 4));
        QCOMPARE(console->datView()->ToDate(), QDate(2023, 9, 10));
        QCOMPARE(console->datView()->DateFilterType(), 2L);
        QVERIFY(console->datView()->optType(1)->isChecked());
        QCOMPARE(console->Splitter()->sizes(), sizes);
    }

    void RefiningASecondTypeAsksToKeepTheFirstTypesChangedRules_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK keeps them") << true;
        QTest::newRow("Cancel discards them") << false;
    }
    void RefiningASecondTypeAsksToKeepTheFirstTypesChangedRules() {
        QFETCH(bool, ok);
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QCOMPARE(console->fldView()->Title(), QStringLiteral("Invoice Search Rule Set"));
        QCOMPARE(console->cmdOK()->text(), QStringLiteral("Set Invoice Search Rule Set"));
        QVERIFY(console->fldView()->isVisible());
        QVERIFY(!console->criView()->isVisible());
        QVERIFY(!console->cmdClear()->isVisible());
        RuleText rule = ParseRuleText("RefNumber starts-with 10").Rule;
        test::EnterFieldRule(console->fldView(), 1, rule);

        Answers answers;
        answers.Ok = ok;
        test::TypeMenu(console->lstView(), 2, QStringLiteral("Refine Search"));
        QCOMPARE(answers.Seen, QStringList{"Search Rule Set: Do you want to keep the Invoice "
                                           "Search Rule Set?\nClick OK to keep them, or CANCEL "
                                           "to discard them."});
        QCOMPARE(console->fldView()->Title(), QStringLiteral("Customer Search Rule Set"));
        QVERIFY(!console->fldView()->ContainsData());
        RequestSearchRule* invoice = console->lstView()->Rule(4);
        QCOMPARE(invoice->FieldExaminors.ContainsData(), ok);
        if (ok) {
            QCOMPARE(test::FieldExaminorsText(invoice->FieldExaminors),
                     QStringLiteral("RefNumber starts-with 10"));
        }
        // Unchanged rules are left without a question.
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QVERIFY(!console->FieldMode());
        QVERIFY(console->criView()->isVisible());
        QVERIFY(console->cmdClear()->isEnabled());
        QCOMPARE(answers.Seen.size(), 1);
    }

    // Set with an emptied view forgets a type's field rules; Clear Search on a type
    // resets them and leaves field mode.
    void EmptyingOrClearingATypesFieldRulesForgetsThem() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        auto refine = [console](std::int32_t type, const char* rule) {
            test::TypeMenu(console->lstView(), type, QStringLiteral("Refine Search"));
            test::EnterFieldRule(console->fldView(), 1, ParseRuleText(rule).Rule);
            QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
            QVERIFY(console->lstView()->Rule(type)->FieldExaminors.ContainsData());
            QVERIFY(console->cmdSave()->isEnabled());
            test::TypeMenu(console->lstView(), type, QStringLiteral("Refine Search"));
        };
        refine(11, "Name contains North");
        QCOMPARE(console->fldView()->RowCount(), 1);
        QCOMPARE(console->fldView()->Criterion(1)->txtString()->text(), QStringLiteral("North"));
        console->fldView()->Criterion(1)->cboTrueCompare()->setFocus();
        QTest::keyClick(console->fldView()->Criterion(1)->cboTrueCompare(), Qt::Key_Delete);
        QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
        QVERIFY(!console->lstView()->Rule(11)->FieldExaminors.ContainsData());

        refine(2, "Balance gt 5");
        test::TypeMenu(console->lstView(), 2, QStringLiteral("Clear Search"));
        QVERIFY(!console->FieldMode());
        QVERIFY(!console->lstView()->Rule(2)->FieldExaminors.ContainsData());
        QVERIFY(console->cmdSave()->isEnabled());
    }

    void ClearEmptiesEverything() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        Compose(console, {4}, QDate(2024, 1, 1), QDate(2024, 1, 31), 1,
                {"text contains a", "or text contains b"}, {"Invoice: Memo contains x"});
        QVERIFY(console->cmdSave()->isEnabled());
        QVERIFY(console->cmdLess()->isEnabled());
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QVERIFY(Ticked(console->lstView()).isEmpty());
        QVERIFY(!console->lstView()->Rule(4)->FieldExaminors.ContainsData());
        QCOMPARE(console->criView()->RowCount(), 1);
        QVERIFY(!console->criView()->ContainsData());
        QVERIFY(!console->cmdSave()->isEnabled());
        QVERIFY(!console->cmdLess()->isEnabled());
        QCOMPARE(console->lblCaption()->text(), QString());
    }

    void LessIsOffWithOneRowAndFollowsTheShowingView() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QVERIFY(!console->cmdLess()->isEnabled());
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        QVERIFY(console->cmdLess()->isEnabled());
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QVERIFY(!console->cmdLess()->isEnabled());
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        QCOMPARE(console->fldView()->RowCount(), 2);
        QTest::mouseClick(console->cmdLess(), Qt::LeftButton);
        QVERIFY(!console->cmdLess()->isEnabled());
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QCOMPARE(console->criView()->RowCount(), 2);
        QVERIFY(console->cmdLess()->isEnabled());
    }

    void EnterInTheLastRuleSearches() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::EnterRule(console->criView(), 1, "text contains Acme");
        QTest::keyClick(console->criView()->Criterion(1)->txtString(), Qt::Key_Return);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::ExaminorsText(rig.Handed.front()->Examinors),
                 QStringLiteral("text contains Acme"));
    }

    void WithoutResultsWindowsOrWizardTheirCommandsAreOff() {
        ConsoleRig rig(test::ConsoleRigOptions{.WithResults = false});
        SearchConsoleControl* console = rig.Console();
        QVERIFY(!console->cmdSearch()->isEnabled());
        QCOMPARE(console->cmdSearch()->toolTip(),
                 QStringLiteral("Results windows are not part of this build of Quarrion."));
        QMenu* menu = console->lstView()->MenuFor(0);
        QAction* columns = menu->findChild<QAction*>("mnuDisplayColumns");
        QVERIFY(columns);
        QVERIFY(!columns->isEnabled());
        // Field mode and back must not switch Search on.
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QVERIFY(!console->cmdSearch()->isEnabled());
    }

    void DisplayColumnsGoThroughTheLauncherAndReachTheSearch() {
        QList<std::int32_t> asked;
        test::ConsoleRigOptions options;
        options.Columns = [&asked](ConsoleHost&, std::int32_t type, DisplayColumns& columns,
                                   QWidget*) {
            asked << type;
            // The wizard's answer: only the first column, renamed.
            while (columns.Count() > 1) columns.Remove(columns.Count());
            columns.Item(1)->SetHeading("First");
            return true;
        };
        ConsoleRig rig(options);
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        test::ToggleType(console->lstView(), 4);
        console->lstView()->SetChanged(false);
        console->cmdSave()->setEnabled(false);
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Display Columns"));
        QCOMPARE(asked, QList<std::int32_t>{4});
        QVERIFY(console->cmdSave()->isEnabled());
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        const IncItem* item = rig.Handed.front()->IncludeItems.Item(1);
        QCOMPARE(item->DisplayColumns.Count(), std::size_t{1});
        QCOMPARE(QString::fromStdString(item->DisplayColumns.Item(1)->Heading()),
                 QStringLiteral("First"));
    }

    void ASearchIsSavedListedUsedExecutedAndDeleted() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        const std::size_t before = StoredCount(rig.Store());
        Compose(console, {2, 4}, QDate(2024, 5, 1), QDate(2024, 5, 31), 2,
                {"text contains Acme", "or amount ge 250"},
                {"Invoice: CustomerRef/FullName starts-with Acme"});
        SaveAs(console, "Acme in May", "Acme's invoices and customers");
        QCOMPARE(StoredCount(rig.Store()), before + 1);
        QCOMPARE(console->lblCaption()->text(), QStringLiteral("Acme in May"));
        SavedSearches* saved = console->tvwView();
        QStandardItem* root = SavedRoot(saved, "Acme in May");
        QVERIFY(root);
        QCOMPARE(ChildTexts(root),
                 QStringList({"Acme's invoices and customers", "Customer", "Invoice"}));
        Picture(rig, console);

        // Use: a click on the search's line loads it into the console.
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        ClickLine(saved, root, Qt::LeftButton);
        QCOMPARE(console->lblCaption()->text(), QStringLiteral("Acme in May"));
        QCOMPARE(Ticked(console->lstView()), (QList<std::int32_t>{2, 4}));
        QCOMPARE(console->datView()->FromDate(), QDate(2024, 5, 1));
        QCOMPARE(console->datView()->DateFilterType(), 2L);
        QCOMPARE(console->criView()->RowCount(), 2);
        QCOMPARE(console->criView()->Criterion(2)->cboAndOr()->currentText(), QStringLiteral("OR"));
        QCOMPARE(test::FieldExaminorsText(console->lstView()->Rule(4)->FieldExaminors),
                 QStringLiteral("CustomerRef/FullName starts-with Acme"));

        // Execute from the menu: the search run is the one saved.
        const QString expected =
            ToolSearch(rig.State().Catalog(), {2, 4}, Day(2024, 5, 1), Day(2024, 5, 31), 2,
                       {"text contains Acme", "or amount ge 250"},
                       {"Invoice: CustomerRef/FullName starts-with Acme"});
        ClickLine(saved, SavedRoot(saved, "Acme in May"), Qt::RightButton);
        QVERIFY(saved->EditMenu()->isVisible());
        saved->mnuEdit(2)->trigger();
        saved->EditMenu()->hide();
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::SearchText(*rig.Handed.front()), expected);
        QCOMPARE(QString::fromStdString(rig.Handed.front()->Name), QStringLiteral("Acme in May"));

        // Delete, first cancelled: store and tree stay.
        {
            Answers answers;
            answers.Ok = false;
            ClickLine(saved, SavedRoot(saved, "Acme in May"), Qt::RightButton);
            saved->mnuEdit(4)->trigger();
            saved->EditMenu()->hide();
            QCOMPARE(answers.Seen,
                     QStringList{"Delete Search Rules: Are you sure you want to delete \"Acme "
                                 "in May\". Click OK to confirm the delete, or CANCEL to stop "
                                 "the delete."});
        }
        QCOMPARE(StoredCount(rig.Store()), before + 1);
        QVERIFY(SavedRoot(saved, "Acme in May"));
        {
            Answers answers;
            ClickLine(saved, SavedRoot(saved, "Acme in May"), Qt::RightButton);
            saved->mnuEdit(4)->trigger();
            saved->EditMenu()->hide();
            QCOMPARE(answers.Seen.size(), 1);
        }
        QCOMPARE(StoredCount(rig.Store()), before);
        QVERIFY(!SavedRoot(saved, "Acme in May"));
    }

    void ASavedSearchWithoutColumnsTakesTheTypesDefaultColumns() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        auto build = [&rig](SearchObject2& search) {
            SearchBuilder builder(rig.State().Catalog());
            builder.IncludeType(4);
            builder.SetDates(Day(2024, 6, 1), Day(2024, 6, 30), 1);
            builder.AddRule("text contains Supply");
            QVERIFY(builder.Build(search));
        };
        // Saved elsewhere (the terminal tool, an older version) without display columns.
        SearchObject2 search;
        build(search);
        search.Name = "No columns";
        search.IncludeItems.Item(1)->DisplayColumns.Clear();
        QVERIFY(rig.Store().SaveSearchObject(&search));
        console->tvwView()->Refresh();
        ClickLine(console->tvwView(), SavedRoot(console->tvwView(), "No columns"), Qt::LeftButton);
        RequestSearchRule* invoice = console->lstView()->Rule(4);
        QVERIFY(invoice->DisplayColumns.Count() > 0);
        QCOMPARE(invoice->DisplayColumns.Count(), invoice->DefaultColumns.Count());
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        SearchObject2 expected;
        build(expected);
        QCOMPARE(test::SearchText(*rig.Handed.front()), test::SearchText(expected));
        Answers answers;
        console->tvwView()->Select("No columns");
        console->tvwView()->DeleteSelected();
        QVERIFY(!SavedRoot(console->tvwView(), "No columns"));
    }

    // A drag, or a click on a child line, chooses nothing; a click within the slack
    // and Return use the search; Delete deletes it.
    void TheSavedSearchTreeTakesClicksAndKeysButNotDrags() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        Compose(console, {11}, QDate(2024, 3, 1), QDate(2024, 3, 9), 1, {"text contains k"}, {});
        SaveAs(console, "Keys", "   ");
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        SavedSearches* saved = console->tvwView();
        QStandardItem* root = SavedRoot(saved, "Keys");
        QVERIFY(root);
        // A blank description has no line.
        QCOMPARE(ChildTexts(root), QStringList{"Vendor"});
        saved->tvwView()->expandAll();
        QSignalSpy use(saved, &SavedSearches::UseThis);
        ClickLine(saved, root, Qt::LeftButton, SavedSearches::ClickSlack + 2);
        QCOMPARE(use.count(), 0);
        ClickLine(saved, root->child(0), Qt::RightButton);
        QVERIFY(!saved->EditMenu()->isVisible());
        QVERIFY(!saved->SearchObject());
        ClickLine(saved, root, Qt::LeftButton, SavedSearches::ClickSlack);
        QCOMPARE(use.count(), 1);

        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QTreeView* tree = saved->tvwView();
        tree->setFocus();
        tree->setCurrentIndex(SavedRoot(saved, "Keys")->index());
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(Ticked(console->lstView()), QList<std::int32_t>{11});
        QCOMPARE(console->lblCaption()->text(), QStringLiteral("Keys"));
        const std::size_t before = StoredCount(rig.Store());
        Answers answers;
        QTest::keyClick(tree, Qt::Key_Delete);
        QCOMPARE(answers.Seen.size(), 1);
        QCOMPARE(StoredCount(rig.Store()), before - 1);
    }

    void SavingWithABlankNameSaysSoAndKeepsTheWindowOpen() {
        frmSaveSearch dialog;
        dialog.show();
        dialog.txtName()->setText(QStringLiteral("   "));
        Answers answers;
        QTest::mouseClick(dialog.cmdSave(), Qt::LeftButton);
        QCOMPARE(answers.Seen, QStringList{"Cannot Save Search: You must enter a name for the "
                                           "search, before you can save it."});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.ButtonPressed(), frmSaveSearch::NotPressed);
        dialog.txtName()->setText(QStringLiteral("Named"));
        QTest::mouseClick(dialog.cmdSave(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.ButtonPressed(), frmSaveSearch::SavePressed);
    }

    void CancellingTheSaveWindowSavesNothing() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        const std::size_t before = StoredCount(rig.Store());
        test::EnterRule(console->criView(), 1, "text contains q");
        test::OnNextModal([](QDialog* dialog) {
            auto* save = qobject_cast<frmSaveSearch*>(dialog);
            if (!save) return;
            QCOMPARE(save->Message(), QString::fromLatin1(SearchConsoleControl::SaveMessage));
            save->txtName()->setText("Never");
            QTest::mouseClick(save->cmdCancel(), Qt::LeftButton);
        });
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        QCOMPARE(StoredCount(rig.Store()), before);
        QVERIFY(!SavedRoot(console->tvwView(), "Never"));
    }

    void EveryControlHasANameATooltipAndAnAccessibleName() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        QStringList missing;
        const auto controls = console->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            const bool interactive =
                control->focusPolicy() != Qt::NoFocus && !control->inherits("QScrollBar") &&
                !control->inherits("QAbstractScrollArea") && control->parentWidget() &&
                !control->parentWidget()->inherits("QComboBox") &&
                !control->parentWidget()->inherits("QAbstractSpinBox") &&
                !control->inherits("QCalendarWidget") &&
                !control->parentWidget()->inherits("QCalendarWidget");
            if (!interactive) continue;
            if (control->objectName().isEmpty() || control->toolTip().isEmpty() ||
                control->accessibleName().isEmpty()) {
                missing << QString::fromLatin1(control->metaObject()->className()) + "/" +
                               control->objectName();
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }
};

QUARRION_SHELL_TEST_MAIN(SearchConsoleTest)
#include "search_console_test.moc"
