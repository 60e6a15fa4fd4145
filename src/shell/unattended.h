#pragma once

#include <QString>

namespace quarrion {

// A run without a user (the --screenshot picture, a scripted launch): nobody can
// answer a modal message, so messages go to standard error instead and questions get
// their cautious answer (Cancel). The program checks Unattended::Failed() when its
// work is done and exits 1 in order if any message was an error.
namespace Unattended {

void Set(bool on);
bool IsOn();

// Writes "Quarrion: caption: message" to standard error and marks the run failed.
void Report(const QString& caption, const QString& message);

// True when a message was reported during the run.
bool Failed();
// Forgets earlier reports (tests run many scenarios in one process).
void Reset();

}  // namespace Unattended

}  // namespace quarrion
