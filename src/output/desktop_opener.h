#pragma once

#include <QUrl>
#include <functional>

namespace quarrion {

// Hands a file or page to the desktop's own program for it (a spreadsheet program, a
// browser). Answers false when nothing could take it, so the window can say so.
using DesktopOpener = std::function<bool(const QUrl& url)>;

// Opens `url` with the opener in force: the desktop's (QDesktopServices) unless a
// test put its own in place.
bool OpenOnDesktop(const QUrl& url);

// Puts `opener` in place for every later OpenOnDesktop; an empty one restores the
// desktop's. Tests use it so no real program starts.
void SetDesktopOpener(DesktopOpener opener);

}  // namespace quarrion
