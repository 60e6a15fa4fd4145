#include "output/frm_report.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "foundation/atomic_file.h"
#include "output/data_view.h"
#include "output/data_view_page.h"
#include "output/data_view_stylesheet.h"
#include "output/desktop_opener.h"
#include "shell/frm_dialog.h"
#include "shell/named_control.h"

namespace quarrion {

namespace {

// The in-window note area's own links: the picture asks for the note, the note for
// the picture.
constexpr const char* kShowNote = "quarrion-note:show";
constexpr const char* kHideNote = "quarrion-note:hide";

std::string HtmlEscaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

}  // namespace

frmReport::frmReport(const QBXMLTags& tags, QWidget* parent)
    : QWidget(parent), view_(std::make_unique<DataView>(tags)) {
    setObjectName(QStringLiteral("frmReport"));
    setAttribute(Qt::WA_DeleteOnClose);

    webView_ = Named(new QTextBrowser, "webView", QStringLiteral("Data view"),
                     QStringLiteral("The record as a page"));
    webView_->setOpenLinks(false);
    connect(webView_, &QTextBrowser::anchorClicked, this, &frmReport::LinkClicked);

    lblStatus_ = Named(new QLabel, "lblStatus", QStringLiteral("Data view status"),
                       QStringLiteral("The record shown"));
    cmdBrowser_ = Named(new QPushButton(QStringLiteral("Open in Browser")), "cmdBrowser",
                        QStringLiteral("Open in Browser"),
                        QStringLiteral("Show this page in the desktop's web browser"));
    cmdBrowser_->setEnabled(false);
    connect(cmdBrowser_, &QPushButton::clicked, this, &frmReport::OpenInBrowser);

    auto* bar = new QHBoxLayout;
    bar->addWidget(lblStatus_, 1);
    bar->addWidget(cmdBrowser_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(webView_, 1);
}

frmReport::~frmReport() {
    RemoveFiles();
}

bool frmReport::Old() const {
    return view_->Old();
}

void frmReport::SetOld(bool old) {
    view_->SetOld(old);
}

void frmReport::SetRequestType(std::int32_t requestType) {
    view_->SetRequestType(requestType);
}

std::string frmReport::SetXMLNode(const pugi::xml_node& record) {
    if (!record) return {};
    std::string problem = view_->SetXMLNode(record).Message();
    setWindowTitle(QString::fromStdString(view_->Caption()));
    if (problem.empty()) problem = view_->Render(html_).Message();
    if (!problem.empty()) {
        html_.clear();
        webView_->setPlainText(QStringLiteral("The data view cannot be shown.\n") +
                               QString::fromStdString(problem));
        lblStatus_->setText(QStringLiteral("No page"));
        return problem;
    }
    // Relative image references ("../dataview.gif") resolve from the XML file, as they
    // do for a browser that opens it.
    webView_->document()->setBaseUrl(
        QUrl::fromLocalFile(QString::fromStdString(view_->XmlPath().string())));
    noteOpen_ = false;
    ShowPage();
    lblStatus_->setText(QString::fromStdString(view_->XmlPath().filename().string()));
    cmdBrowser_->setEnabled(true);
    return {};
}

void frmReport::ShowPage() {
    std::string page = html_;
    if (view_->Old()) {
        const std::string link = noteOpen_ ? kHideNote : kShowNote;
        const std::string inside =
            noteOpen_ ? "<span style=\"color:red; font-style:italic\">" +
                            HtmlEscaped(DataViewNote(view_->RequestType())) + "</span>"
                      : std::string("<img src=\"") +
                            (noteShowings_ == 0 ? "../clip_anime.gif" : "../clip06.GIF") + "\"/>";
        page = FillNoteArea(page, "<a href=\"" + link + "\">" + inside + "</a>");
    }
    shown_ = QString::fromStdString(page);
    const int scroll = webView_->verticalScrollBar() ? webView_->verticalScrollBar()->value() : 0;
    webView_->setHtml(shown_);
    if (webView_->verticalScrollBar()) webView_->verticalScrollBar()->setValue(scroll);
}

void frmReport::LinkClicked(const QUrl& url) {
    const QString target = url.toString();
    if (target == QLatin1String(kShowNote)) {
        noteOpen_ = true;
        ++noteShowings_;
        ShowPage();
    } else if (target == QLatin1String(kHideNote)) {
        noteOpen_ = false;
        ShowPage();
    }
}

void frmReport::OpenInBrowser() {
    if (html_.empty()) return;
    // The browser gets the page as made, script and all, with its pictures inside it,
    // beside the record's own files so it goes when they go.
    std::filesystem::path file = view_->XmlPath();
    file.replace_extension(".html");
    const std::string page =
        EmbedDataViewImages(html_, view_->XmlPath().parent_path().parent_path());
    if (std::string problem = WriteFileAtomically(file, page).Message(); !problem.empty()) {
        MessageDialog(this, QStringLiteral("Open in Browser"),
                      QStringLiteral("Quarrion could not write the page for the browser.\n") +
                          QString::fromStdString(problem));
        return;
    }
    browserPage_ = QString::fromStdString(file.string());
    if (!OpenOnDesktop(QUrl::fromLocalFile(browserPage_))) {
        MessageDialog(this, QStringLiteral("Open in Browser"),
                      QStringLiteral("No web browser on this computer opens %1.\nThe page stays "
                                     "shown in this window.")
                          .arg(browserPage_));
    }
}

void frmReport::RemoveFiles() {
    view_->RemoveFiles();
    if (!browserPage_.isEmpty()) QFile::remove(browserPage_);
}

void frmReport::closeEvent(QCloseEvent* event) {
    RemoveFiles();
    event->accept();
}

}  // namespace quarrion
