#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include <pugixml.hpp>

class QLabel;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace quarrion {

class DataView;
class QBXMLTags;

// The data-view window of one record: the page the record's XML and generated XSL
// files make (DataView), shown inside the window (webView), and a button that opens
// the same page in the desktop's browser. The caption is the request type's name and
// the record's name or number.
//
// With `Old` the page carries the note about opening the record in QuickBooks. The
// page's own script shows it in a browser; inside the window, which runs no script,
// the note area shows the same picture, and clicking it shows the note, clicking the
// note the picture again (the second picture from then on).
//
// Closing the window deletes the record's XML and XSL files and the browser's copy.
class frmReport : public QWidget {
    Q_OBJECT
  public:
    explicit frmReport(const QBXMLTags& tags, QWidget* parent = nullptr);
    ~frmReport() override;

    bool Old() const;
    void SetOld(bool old);
    void SetRequestType(std::int32_t requestType);
    // Copies the record, writes the two files and shows the page. An empty node does
    // nothing. "" or the reason the page cannot be shown (the window says it too).
    std::string SetXMLNode(const pugi::xml_node& record);

    const DataView& View() const { return *view_; }
    QTextBrowser* webView() const { return webView_; }
    // The page as the window shows it now (note state included).
    QString ShownHtml() const { return shown_; }
    // How often the note has been shown (the page script's counter).
    int NoteShowings() const { return noteShowings_; }
    // The page written for the desktop's browser; "" until it is first opened.
    QString BrowserPage() const { return browserPage_; }

    // The size an MDI area gives the window when it first adds it.
    QSize sizeHint() const override { return {640, 480}; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowPage();
    void LinkClicked(const QUrl& url);
    void OpenInBrowser();
    void RemoveFiles();

    std::unique_ptr<DataView> view_;
    std::string html_;
    QString shown_;
    QString browserPage_;
    bool noteOpen_ = false;
    int noteShowings_ = 0;

    QTextBrowser* webView_;
    QLabel* lblStatus_;
    QPushButton* cmdBrowser_;
};

}  // namespace quarrion
