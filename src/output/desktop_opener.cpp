#include "output/desktop_opener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace quarrion {

namespace {

DesktopOpener& CurrentOpener() {
    static DesktopOpener opener;
    return opener;
}

// On a desktop that follows the freedesktop rules, QDesktopServices hands a file to
// xdg-open and reports success even when no program is set for the file's type, so
// the user would see nothing happen. Asking xdg-mime first lets the window say why.
bool NothingOpensFileType(const QUrl& url) {
    if (!url.isLocalFile()) return false;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return false;
    const QString type = QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return false;
    return query.readAllStandardOutput().trimmed().isEmpty();
}

bool DesktopServicesOpen(const QUrl& url) {
    if (NothingOpensFileType(url)) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace

bool OpenOnDesktop(const QUrl& url) {
    const DesktopOpener& opener = CurrentOpener();
    return opener ? opener(url) : DesktopServicesOpen(url);
}

void SetDesktopOpener(DesktopOpener opener) {
    CurrentOpener() = std::move(opener);
}

}  // namespace quarrion
