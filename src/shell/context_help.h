#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace quarrion {

// The help page (file name in the help folder) that explains the window or panel with
// this object name; "" for names without a page of their own.
QString HelpPageForName(const QString& objectName);

// The page for `widget`: that of the nearest window or panel, itself included, that has
// one; "index.html" when none has.
QString HelpPageForWidget(const QWidget* widget);

// F1 anywhere in the program opens the help of the window or panel it was pressed in,
// so the rule editors explain rules and the console the console. A wizard answers with
// its own Help button, which knows the page on show. Installed on the application by
// the main window; removed when it goes.
class ContextHelpKey : public QObject {
    Q_OBJECT

  public:
    // `show` opens `page`; `over` is the window F1 was pressed in (a modal dialog needs
    // the help beside it, not behind it).
    using ShowPage = std::function<void(const QString& page, QWidget* over)>;

    explicit ContextHelpKey(ShowPage show, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ShowPage show_;
};

}  // namespace quarrion
