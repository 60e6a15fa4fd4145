#include <QSignalSpy>
#include <QTest>

#include "foundation/codes.h"
#include "shell/msg_interface.h"
#include "shell_test_main.h"

using quarrion::MsgInterface;

// The hub passes each call on as one event with the same arguments, at once.
class MsgInterfaceTest : public QObject {
    Q_OBJECT

  private slots:
    void EachMethodRaisesItsEventWithItsArguments() {
        MsgInterface hub;
        QSignalSpy arrange(&hub, &MsgInterface::ArrangeWindows);
        QSignalSpy popUp(&hub, &MsgInterface::PopUp);
        QSignalSpy help(&hub, &MsgInterface::ContextualHelp);
        QSignalSpy printer(&hub, &MsgInterface::PrinterIcon);
        QSignalSpy invoice(&hub, &MsgInterface::InvoiceMenu);
        QSignalSpy po(&hub, &MsgInterface::POMenu);
        QSignalSpy so(&hub, &MsgInterface::SOMenu);
        QSignalSpy credit(&hub, &MsgInterface::CreditMemoMenu);
        QSignalSpy off(&hub, &MsgInterface::ToPrintOff);
        QSignalSpy notification(&hub, &MsgInterface::RequestTypeNotification);

        hub.Arrange();
        hub.ShowPopUp(-2147024770, QStringLiteral("gone"));
        hub.ShowContextHelp(1200);
        hub.SetPrinterIcon(true);
        hub.SetInvoiceMenu(true);
        hub.SetPOMenu(false);
        hub.SetSOMenu(true);
        hub.SetCreditMemoMenu(false);
        hub.SetToPrintOff();
        hub.SendRequestTypeNotification(quarrion::RequestTypeCode::Invoice, true,
                                        QStringLiteral("12,7"), 3);

        QCOMPARE(arrange.count(), 1);
        QCOMPARE(popUp.count(), 1);
        QCOMPARE(popUp[0][0].toInt(), -2147024770);
        QCOMPARE(popUp[0][1].toString(), QStringLiteral("gone"));
        QCOMPARE(help[0][0].toInt(), 1200);
        QCOMPARE(printer[0][0].toBool(), true);
        QCOMPARE(invoice[0][0].toBool(), true);
        QCOMPARE(po[0][0].toBool(), false);
        QCOMPARE(so[0][0].toBool(), true);
        QCOMPARE(credit[0][0].toBool(), false);
        QCOMPARE(off.count(), 1);
        QCOMPARE(notification.count(), 1);
        QCOMPARE(notification[0][0].toInt(), 4);
        QCOMPARE(notification[0][1].toBool(), true);
        QCOMPARE(notification[0][2].toString(), QStringLiteral("12,7"));
        QCOMPARE(notification[0][3].toInt(), 3);
    }

    void AllOffSwitchesEverythingOffInOrderThenSendsAnEmptyNotification() {
        MsgInterface hub;
        QStringList order;
        connect(&hub, &MsgInterface::PrinterIcon, this,
                [&](bool on) { order << QStringLiteral("PrinterIcon:%1").arg(on); });
        connect(&hub, &MsgInterface::InvoiceMenu, this,
                [&](bool on) { order << QStringLiteral("InvoiceMenu:%1").arg(on); });
        connect(&hub, &MsgInterface::POMenu, this,
                [&](bool on) { order << QStringLiteral("POMenu:%1").arg(on); });
        connect(&hub, &MsgInterface::SOMenu, this,
                [&](bool on) { order << QStringLiteral("SOMenu:%1").arg(on); });
        connect(&hub, &MsgInterface::CreditMemoMenu, this,
                [&](bool on) { order << QStringLiteral("CreditMemoMenu:%1").arg(on); });
        connect(&hub, &MsgInterface::RequestTypeNotification, this,
                [&](std::int32_t type, bool rows, const QString& others, std::int32_t owner) {
                    order << QStringLiteral("Notification:%1:%2:%3:%4")
                                 .arg(type)
                                 .arg(rows)
                                 .arg(others)
                                 .arg(owner);
                });

        hub.AllOff();

        QCOMPARE(order, QStringList({"PrinterIcon:0", "InvoiceMenu:0", "POMenu:0", "SOMenu:0",
                                     "CreditMemoMenu:0", "Notification:0:0::0"}));
    }

    void TheListenerHasHandledTheEventWhenTheCallReturns() {
        MsgInterface hub;
        bool handled = false;
        connect(&hub, &MsgInterface::ArrangeWindows, this, [&] { handled = true; });
        hub.Arrange();
        QVERIFY(handled);
    }
};

QUARRION_SHELL_TEST_MAIN(MsgInterfaceTest)
#include "msg_interface_test.moc"
