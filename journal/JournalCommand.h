#pragma once

#include "platform/CommandLine.h"

#include <QStringList>

#include <optional>

// `karvo --export-journal FILE` and `karvo --import-journal FILE`: the journal
// without a window, for moving it to another computer or merging two agents'
// journals. They run before any window exists and need no display.
namespace karvo {

// The outcome when the arguments ask for a journal command; nothing when they
// do not. It runs the command, so a QCoreApplication must exist.
std::optional<CommandLineOutcome> runJournalCommand(const QStringList &arguments);

// Whether the arguments ask for a journal command.
bool isJournalCommand(const QStringList &arguments);

} // namespace karvo
