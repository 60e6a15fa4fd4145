#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "fakes.h"
#include "modal.h"
#include "shell/frm_dialog.h"
#include "shell/frm_init.h"
#include "shell/frm_msg.h"
#include "shell/frm_pop_up.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::CloseBox;
using quarrion::test::FakeStore;
using quarrion::test::OnNextModal;

// The message windows: the dialog's button codes, the shared dialog operations, the
// wait notice, the pop-up and the initialisation window.
class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void QuestionAnswers_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        // The buttons' answers are the main window's Update and Reset flow's.
        QTest::newRow("close box") << "closebox" << 5;
        QTest::newRow("escape") << "escape" << 5;
    }
    void QuestionAnswers() {
        QFETCH(QString, how);
        QFETCH(int, expected);
        QString caption, message, first, second;
        OnNextModal([&](QDialog* dialog) {
            auto* frm = qobject_cast<frmDialog*>(dialog);
            QVERIFY(frm);
            caption = frm->windowTitle();
            message = frm->Message();
            first = frm->cmdOK()->text();
            second = frm->cmdCancel()->text();
            if (how == "closebox") CloseBox(frm);
            if (how == "escape") QTest::keyClick(frm, Qt::Key_Escape);
        });
        std::int16_t answer = QuestionDialog(nullptr, QStringLiteral("Update Quarrion Database"),
                                             QStringLiteral("Do you need to update Quarrion?"),
                                             QStringLiteral("No"), QStringLiteral("Yes"));
        QCOMPARE(int(answer), expected);
        QCOMPARE(caption, QStringLiteral("Update Quarrion Database"));
        QCOMPARE(message, QStringLiteral("Do you need to update Quarrion?"));
        QCOMPARE(first, QStringLiteral("Yes"));
        QCOMPARE(second, QStringLiteral("No"));
    }

    void AMessageOffersOneButtonAndReturnsWhenItIsPressed() {
        bool cancelShown = true;
        QString caption;
        OnNextModal([&](QDialog* dialog) {
            auto* frm = qobject_cast<frmDialog*>(dialog);
            cancelShown = frm->cmdCancel()->isVisible();
            caption = frm->windowTitle();
            QTest::mouseClick(frm->cmdOK(), Qt::LeftButton);
        });
        MessageDialog(nullptr, QStringLiteral("Export Search Results"), QStringLiteral("text"));
        QVERIFY(!cancelShown);
        QCOMPARE(caption, QStringLiteral("Export Search Results"));
    }

    void TheWaitNoticeCannotBeClosedByTheUser() {
        frmMsg notice;
        notice.SetMessage(QStringLiteral("Please wait"));
        notice.show();
        QVERIFY(QTest::qWaitForWindowExposed(&notice));
        QVERIFY(!CloseBox(&notice));
        QTest::keyClick(&notice, Qt::Key_Escape);
        QVERIFY(notice.isVisible());
        QCOMPARE(notice.Message(), QStringLiteral("Please wait"));
        notice.close();
        QVERIFY(!notice.isVisible());
    }

    void TheUserCannotCloseTheInitialisationWindowWhileItWorks() {
        auto script = std::make_shared<FakeStore::Script>();
        FakeStore store(script);
        frmInit window(store);
        window.SetUpdateType(1);
        window.tmrCheck().setInterval(300);
        bool stayed = false;
        OnNextModal([&](QDialog* dialog) {
            bool refused = !CloseBox(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
            stayed = refused && dialog->isVisible() && script->Calls.isEmpty();
        });
        window.exec();
        QVERIFY(stayed);
        QCOMPARE(script->Calls, QStringList{"InitDataB"});
    }

    // Each long run shows its wait text in the initialisation window and runs its one
    // store operation (the first-time and update texts are the start-up test's, over the
    // real store); a window told an unknown kind runs nothing and closes.
    void EachLongRunShowsItsWaitText_data() {
        QTest::addColumn<int>("run");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("reset") << 2
                               << "Resetting Quarrion, please wait while the process "
                                  "completes ..."
                               << QStringList{"InitDataC"};
        QTest::newRow("unknown") << 3 << QString() << QStringList{};
    }
    void EachLongRunShowsItsWaitText() {
        QFETCH(int, run);
        QFETCH(QString, text);
        QFETCH(QStringList, calls);
        auto script = std::make_shared<FakeStore::Script>();
        FakeStore store(script);
        QString shown, title;
        OnNextModal([&](QDialog* dialog) {
            auto* window = qobject_cast<frmInit*>(dialog);
            shown = window->Info();
            title = window->windowTitle();
        });
        if (run == 2) ResetDatabase(store, nullptr);
        if (run == 3) {
            frmInit window(store);
            window.SetUpdateType(std::int16_t(run));
            window.tmrCheck().setInterval(20);
            window.exec();
            QVERIFY(!window.isVisible());
        } else {
            QCOMPARE(shown, text);
        }
        QCOMPARE(title, QStringLiteral("Initialization"));
        QCOMPARE(script->Calls, calls);
    }

    void AnUpdateThatLeavesTheCatalogEmptyLoadsItOnceMore() {
        auto script = std::make_shared<FakeStore::Script>();
        script->CountAfterRun = [] { return std::size_t{0}; };
        FakeStore store(script);
        UpdateDatabase(store, nullptr);
        QCOMPARE(script->Calls, QStringList({"InitDataB", "LoadData"}));

        script->Calls.clear();
        ResetDatabase(store, nullptr);
        QCOMPARE(script->Calls, QStringList({"InitDataC", "LoadData"}));

        script->Calls.clear();
        script->CountAfterRun = [] { return std::size_t{5}; };
        ResetDatabase(store, nullptr);
        QCOMPARE(script->Calls, QStringList({"InitDataC"}));
    }
};

QUARRION_SHELL_TEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
