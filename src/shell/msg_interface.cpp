#include "shell/msg_interface.h"

namespace quarrion {

void MsgInterface::AllOff() {
    emit PrinterIcon(false);
    emit InvoiceMenu(false);
    emit POMenu(false);
    emit SOMenu(false);
    emit CreditMemoMenu(false);
    emit RequestTypeNotification(0, false, QString(), 0);
}

}  // namespace quarrion
