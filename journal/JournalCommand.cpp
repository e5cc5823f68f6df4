#include "journal/JournalCommand.h"

#include "journal/CsvReader.h"
#include "journal/JournalStore.h"
#include "journal/JournalTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = journal_texts;

const QString kExportOption = u"--export-journal"_s;
const QString kImportOption = u"--import-journal"_s;

CommandLineOutcome failure(const QString &reason)
{
    return { false, 1, {}, texts::kCommandFailed.arg(reason) };
}

} // namespace

bool isJournalCommand(const QStringList &arguments)
{
    return !arguments.isEmpty() && (arguments.front() == kExportOption || arguments.front() == kImportOption);
}

std::optional<CommandLineOutcome> runJournalCommand(const QStringList &arguments)
{
    if (!isJournalCommand(arguments))
        return std::nullopt;
    const QString option = arguments.front();
    if (arguments.size() < 2 || arguments[1].isEmpty())
        return CommandLineOutcome { false, 2, {}, texts::kMissingFile.arg(option) };
    if (arguments.size() > 2)
        return CommandLineOutcome { false, 2, {},
            command_line_texts::kUnknownOption.arg(u"karvo"_s, arguments[2]) };
    const QString file = arguments[1];
    JournalStore store;
    if (option == kExportOption) {
        QString error;
        const int written = store.exportCsv(file, &error);
        if (written < 0)
            return failure(error);
        const QString done = texts::kExported.arg(written).arg(shownCsvPath(file, true)) + u'\n';
        // Standard output carries the CSV: the count goes to standard error.
        if (file == u"-"_s)
            return CommandLineOutcome { false, 0, {}, u"karvo: "_s + done };
        return CommandLineOutcome { false, 0, done, {} };
    }
    const JournalImported imported = store.importCsv(file);
    if (!imported.ok)
        return failure(imported.error);
    CommandLineOutcome outcome { false, 0,
        texts::kImported.arg(imported.added).arg(imported.duplicates) + u'\n', {} };
    if (imported.refusedRows > 0)
        outcome.err += u"karvo: "_s + refusedRowsText(imported.refusedRows) + u'\n';
    if (!imported.unreadableLines.isEmpty())
        outcome.err += u"karvo: "_s + skippedLinesText(imported.unreadableLines) + u'\n';
    return outcome;
}

} // namespace karvo
