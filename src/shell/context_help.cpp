#include "shell/context_help.h"

#include <QAbstractButton>
#include <QHash>
#include <QKeyEvent>
#include <QWidget>
#include <QWizard>

namespace quarrion {

QString HelpPageForName(const QString& objectName) {
    // Panels come before the windows that hold them: the walk up from the focused
    // control meets the panel first.
    static const QHash<QString, QString> pages = {
        {QStringLiteral("frmMain"), QStringLiteral("main-window.html")},
        {QStringLiteral("conView"), QStringLiteral("search-console.html")},
        {QStringLiteral("criView"), QStringLiteral("rules.html")},
        {QStringLiteral("fldView"), QStringLiteral("rules.html")},
        {QStringLiteral("CriteriaControl"), QStringLiteral("rules.html")},
        {QStringLiteral("FieldCriteriaControl"), QStringLiteral("rules.html")},
        {QStringLiteral("tvwSaved"), QStringLiteral("saved-searches.html")},
        {QStringLiteral("frmSaveSearch"), QStringLiteral("saved-searches.html")},
        {QStringLiteral("frmSearchResults"), QStringLiteral("search-results.html")},
        {QStringLiteral("frmReSearch"), QStringLiteral("search-again.html")},
        {QStringLiteral("frmExportAll"), QStringLiteral("export.html")},
        {QStringLiteral("frmExportList"), QStringLiteral("export.html")},
        {QStringLiteral("frmExcel"), QStringLiteral("workbook.html")},
        {QStringLiteral("frmReport"), QStringLiteral("data-view.html")},
        {QStringLiteral("frmDataView"), QStringLiteral("data-view.html")},
        {QStringLiteral("frmWizard"), QStringLiteral("columns-wizard.html")},
        {QStringLiteral("frmDisplayWizard"), QStringLiteral("columns-wizard.html")},
        {QStringLiteral("frmErrorLog"), QStringLiteral("error-log.html")},
        {QStringLiteral("frmPopUp"), QStringLiteral("error-log.html")},
        {QStringLiteral("frmQuickBooksConnection"), QStringLiteral("quickbooks-connection.html")},
    };
    return pages.value(objectName);
}

QString HelpPageForWidget(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        QString page = HelpPageForName(widget->objectName());
        if (!page.isEmpty()) return page;
    }
    return QStringLiteral("index.html");
}

ContextHelpKey::ContextHelpKey(ShowPage show, QObject* parent)
    : QObject(parent), show_(std::move(show)) {}

bool ContextHelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    for (QWidget* up = widget; up; up = up->parentWidget()) {
        auto* wizard = qobject_cast<QWizard*>(up);
        if (wizard && wizard->testOption(QWizard::HaveHelpButton)) {
            if (QAbstractButton* help = wizard->button(QWizard::HelpButton)) {
                help->click();
                return true;
            }
        }
    }
    show_(HelpPageForWidget(widget), widget->window());
    return true;
}

}  // namespace quarrion
