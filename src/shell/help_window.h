#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>

class QTextBrowser;

namespace quarrion {

// Help context ids: a window that wants its own help page asks the hub for
// ShowContextHelp with its id. Ids not listed open the index.
namespace HelpContext {
inline constexpr std::int32_t MainWindow = 1000;
inline constexpr std::int32_t SearchConsole = 1100;
inline constexpr std::int32_t CriteriaEditors = 1150;
inline constexpr std::int32_t SavedSearches = 1180;
inline constexpr std::int32_t SearchResults = 1200;
inline constexpr std::int32_t ReSearch = 1300;
inline constexpr std::int32_t Export = 1400;
inline constexpr std::int32_t Workbook = 1500;
inline constexpr std::int32_t DataView = 1600;
inline constexpr std::int32_t ColumnsWizard = 1700;
inline constexpr std::int32_t ErrorLog = 1900;
}  // namespace HelpContext

// The page (file name in the help folder) that explains the window with `contextId`;
// "index.html" for ids without a page of their own.
QString HelpPageFor(std::int32_t contextId);

// Shows the HTML help pages shipped with the program, with back, forward and contents.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    // `indexUrl` is the contents page; the other pages sit beside it.
    explicit HelpWindow(const QString& indexUrl, QWidget* parent = nullptr);

    // Shows a page by file name ("search-results.html") and brings the window up.
    void ShowPage(const QString& page);
    void ShowContext(std::int32_t contextId) { ShowPage(HelpPageFor(contextId)); }
    // The page on show, as a file name.
    QString CurrentPage() const;
    QTextBrowser* Browser() const { return browser_; }

  private:
    QString indexUrl_;
    QTextBrowser* browser_;
};

}  // namespace quarrion
