#pragma once

#include "platform/CommandLine.h"

#include <QIODevice>
#include <QStringList>

#include <functional>
#include <optional>

// `karvo --calculate IN OUT` prices every row of a list of vehicles, one
// record in and one record out, so that a list of any length takes the memory
// of one row; `karvo --calculate-template FILE` writes a list to start from.
// Both run before any window exists and need no display.
namespace karvo {

// Whether the arguments ask for one of the two commands.
bool isBatchCommand(const QStringList &arguments);

// The outcome when the arguments ask for one of them; nothing otherwise. A
// QCoreApplication must exist.
std::optional<CommandLineOutcome> runBatchCommand(const QStringList &arguments);

// What a run of --calculate did.
struct BatchSummary
{
    bool ok = false; // false: nothing was priced, `error` says why
    int rows = 0;
    int failed = 0; // refused by a step or "Расчет", or unreadable
    QString total; // the sum of Т, as Т is written
    QString error;
};

// --calculate on an open device: reads the list from `in` and hands the
// priced list to `write`, a record at a time. `shownIn` names the input in
// messages. When `write` fails the summary is not ok and has no error: the
// writer knows why.
BatchSummary calculateList(
    QIODevice &in, const QString &shownIn, const std::function<bool(const QString &)> &write);

// The header and the examples of --calculate-template.
QString batchTemplate();

} // namespace karvo
