#include "shell/unattended.h"

#include <atomic>
#include <cstdio>

namespace quarrion::Unattended {

namespace {

std::atomic<bool> on{false};
std::atomic<bool> failed{false};

// Control characters (a path can hold them) are shown escaped, so a message cannot
// rewrite the terminal it is printed on.
QString Printable(const QString& text) {
    QString shown;
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            shown += QLatin1Char(' ');
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

void Set(bool value) {
    on = value;
}

bool IsOn() {
    return on;
}

void Report(const QString& caption, const QString& message) {
    failed = true;
    QString text = message;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QByteArray line =
        (QStringLiteral("Quarrion: ") + Printable(caption) + QStringLiteral(": ") + Printable(text))
            .toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

bool Failed() {
    return failed;
}

void Reset() {
    failed = false;
}

}  // namespace quarrion::Unattended
