#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

namespace quarrion {

// The one channel through which child windows (results windows, the data view) tell
// the main window what to show. It keeps no state: every method emits its event at
// once and returns after the listener has handled it, because the main window is
// connected directly (same thread). With no listener connected a call does nothing.
//
// Created once by the start-up routine and shared by every window; the main window is
// its only listener.
class MsgInterface : public QObject {
    Q_OBJECT

  public:
    explicit MsgInterface(QObject* parent = nullptr) : QObject(parent) {}

    void Arrange() { emit ArrangeWindows(); }
    void ShowPopUp(std::int32_t errorCode, const QString& message) {
        emit PopUp(errorCode, message);
    }
    void ShowContextHelp(std::int32_t contextId) { emit ContextualHelp(contextId); }
    void SetPrinterIcon(bool on) { emit PrinterIcon(on); }
    void SetInvoiceMenu(bool on) { emit InvoiceMenu(on); }
    void SetPOMenu(bool on) { emit POMenu(on); }
    void SetSOMenu(bool on) { emit SOMenu(on); }
    void SetCreditMemoMenu(bool on) { emit CreditMemoMenu(on); }
    void SetToPrintOff() { emit ToPrintOff(); }

    // `otherTypes`: the decimal request types of the sender's other non-empty result
    // lists joined by ","; `ownerId`: the sender's OwnerID, by which the listener
    // ignores a window that is not the active one.
    void SendRequestTypeNotification(std::int32_t requestType, bool hasRows,
                                     const QString& otherTypes, std::int32_t ownerId) {
        emit RequestTypeNotification(requestType, hasRows, otherTypes, ownerId);
    }

    // Everything a results window can switch on, switched off: the printer icon and
    // the four to-print menus in this order, then an empty notification.
    void AllOff();

  signals:
    void ArrangeWindows();
    void PopUp(std::int32_t errorCode, const QString& message);
    void ContextualHelp(std::int32_t contextId);
    void PrinterIcon(bool on);
    void InvoiceMenu(bool on);
    void POMenu(bool on);
    void SOMenu(bool on);
    void CreditMemoMenu(bool on);
    void ToPrintOff();
    void RequestTypeNotification(std::int32_t requestType, bool hasRows, const QString& otherTypes,
                                 std::int32_t ownerId);
};

}  // namespace quarrion
