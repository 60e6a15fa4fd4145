#include "shell/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quarrion {

QString HelpPageFor(std::int32_t contextId) {
    switch (contextId) {
        case HelpContext::MainWindow:
            return QStringLiteral("main-window.html");
        case HelpContext::SearchConsole:
            return QStringLiteral("search-console.html");
        case HelpContext::CriteriaEditors:
            return QStringLiteral("rules.html");
        case HelpContext::SavedSearches:
            return QStringLiteral("saved-searches.html");
        case HelpContext::SearchResults:
            return QStringLiteral("search-results.html");
        case HelpContext::ReSearch:
            return QStringLiteral("search-again.html");
        case HelpContext::Export:
            return QStringLiteral("export.html");
        case HelpContext::Workbook:
            return QStringLiteral("workbook.html");
        case HelpContext::DataView:
            return QStringLiteral("data-view.html");
        case HelpContext::ColumnsWizard:
            return QStringLiteral("columns-wizard.html");
        case HelpContext::ErrorLog:
            return QStringLiteral("error-log.html");
        default:
            return QStringLiteral("index.html");
    }
}

HelpWindow::HelpWindow(const QString& indexUrl, QWidget* parent)
    : QWidget(parent, Qt::Window), indexUrl_(indexUrl), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Quarrion Help"));
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage("index.html"); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Quarrion Help - ") + browser_->documentTitle());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(640, 560);
}

void HelpWindow::ShowPage(const QString& page) {
    QUrl url = QUrl(indexUrl_).resolved(QUrl(page));
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

QString HelpWindow::CurrentPage() const {
    return QFileInfo(browser_->source().path()).fileName();
}

}  // namespace quarrion
