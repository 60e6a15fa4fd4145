#include <QPushButton>
#include <QTest>
#include <memory>

#include "fakes.h"
#include "modal.h"
#include "shell/frm_dialog.h"
#include "shell/frm_init.h"
#include "shell/frm_msg.h"
#include "shell_test_main.h"

using namespace quarrion;
using namespace quarrion::test;

// The initialisation window's kinds of run: 1 updates; 3 is no kind at all.
constexpr std::int16_t kUpdateRun = 1, kUnknownRun = 3;

// The message windows: the dialog's answers, the wait notice and the initialisation
// window. (Clicks on a question's buttons are the main window's Update and Reset flow;
// the first-time and update wait texts are the start-up test's, over the real store.)
class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    // A question closed by its close box or Escape answers "not pressed"; its first
    // button is the one offered as the first.
    void AQuestionClosedWithoutAButtonIsNotConfirmed() {
        for (bool closeBox : {true, false}) {
            QString buttons;
            OnNextModal([&](QDialog* dialog) {
                auto* frm = qobject_cast<frmDialog*>(dialog);
                buttons = frm->cmdOK()->text() + "/" + frm->cmdCancel()->text();
                if (closeBox) CloseBox(frm);
                if (!closeBox) QTest::keyClick(frm, Qt::Key_Escape);
            });
            QCOMPARE(QuestionDialog(nullptr, "Update Quarrion Database", "Update?", "No", "Yes"),
                     frmDialog::NotPressed);
            QCOMPARE(buttons, QStringLiteral("Yes/No"));
        }
    }

    void TheWaitNoticeCannotBeClosedByTheUser() {
        frmMsg notice;
        notice.SetMessage(QStringLiteral("Please wait"));
        notice.show();
        QVERIFY(QTest::qWaitForWindowExposed(&notice));
        QVERIFY(!CloseBox(&notice));
        QTest::keyClick(&notice, Qt::Key_Escape);
        QVERIFY(notice.isVisible());
        notice.close();
        QVERIFY(!notice.isVisible());
    }

    void TheUserCannotCloseTheInitialisationWindowWhileItWorks() {
        auto script = std::make_shared<FakeStore::Script>();
        FakeStore store(script);
        frmInit window(store);
        window.SetUpdateType(kUpdateRun);
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

    // A window told an unknown kind of run runs nothing and closes.
    void AnUnknownRunRunsNothing() {
        auto script = std::make_shared<FakeStore::Script>();
        FakeStore store(script);
        frmInit window(store);
        window.SetUpdateType(kUnknownRun);
        window.tmrCheck().setInterval(20);
        window.exec();
        QVERIFY(!window.isVisible());
        QCOMPARE(script->Calls, QStringList{});
    }

    // A run that leaves the catalog empty loads it once more.
    void ARunThatLeavesTheCatalogEmptyLoadsItOnceMore() {
        auto script = std::make_shared<FakeStore::Script>();
        FakeStore store(script);
        const struct {
            void (*run)(StoreLifeCycle&, QWidget*);
            std::size_t countAfter;
            QStringList calls;
        } cases[] = {{UpdateDatabase, 0, {"InitDataB", "LoadData"}},
                     {ResetDatabase, 0, {"InitDataC", "LoadData"}},
                     {ResetDatabase, 5, {"InitDataC"}}};
        for (const auto& c : cases) {
            script->Calls.clear();
            script->CountAfterRun = [n = c.countAfter] { return n; };
            c.run(store, nullptr);
            QCOMPARE(script->Calls, c.calls);
        }
    }
};

QUARRION_SHELL_TEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
