#pragma once

// The journal of calculations: every Т the calculator showed, with the inputs
// that made it. Every value is the text a window showed, never a number: a
// coefficient read back is the same text that was written.
//
// Two libraries. The core, karvo_journal_core (Qt Core and Qt SQL, with
// model/, storage/ and platform/; never a widget, never a message box):
// JournalEntry, one calculation as the windows showed it; JournalStore, the
// entries in an SQLite file; CsvReader and CsvWriter, CSV as Russian
// spreadsheets read and write it, streamed; JournalCsv, an entry as a CSV
// record; JournalCommand, `--export-journal` and `--import-journal`, which
// link the core alone. The windows, karvo_journal (adds Qt Widgets and
// report/): Journal, what the calculator calls after "Расчет", which owns the
// store and the window and hands back what the user should be told;
// JournalWindow and JournalModel, which list, search, edit notes, delete,
// export, import and hand an entry back to the wizard.

#include "model/PremiumSheet.h"
#include "storage/StoredInputs.h"

#include <QDateTime>
#include <QString>

#include <array>

namespace karvo {

struct JournalEntry
{
    qint64 id = 0; // 0 until stored
    QDateTime time; // local time of the "Расчет"
    StoredInputs inputs;
    std::array<QString, kAllCoefficients.size()> coefficients; // in the order of kAllCoefficients
    QString t;
    QString note;

    // What makes two calculations the same: not the time, not the note.
    bool sameCalculation(const JournalEntry &other) const
    {
        return inputs == other.inputs && coefficients == other.coefficients && t == other.t;
    }
};

// The entry of a calculation. The time is now.
JournalEntry journalEntryOf(const Calculation &calculation);

// The calculation an entry keeps, whole. An entry of the journal's first
// release kept its choices and coefficients only: what followed from them
// (the end class, the КН sentence, a КП of 1 given on step 9, a term of the
// step-8 list with the entry's КП) is made again, and its start time is the
// entry's time.
Calculation calculationOf(const JournalEntry &entry);

// The window's columns, in order; the first seven fields of the CSV too.
enum class JournalColumn { Date, Owner, Category, Territory, Kbm, Premium, Note };
inline constexpr int kJournalColumnCount = int(JournalColumn::Note) + 1;

QString columnTitle(JournalColumn column);
// The text a cell shows, e.g. "07.12.2026 09:05", "Физическое лицо", "1,8".
QString columnText(const JournalEntry &entry, JournalColumn column);

// The short name of a category code ("3" → "Легковой (B), физическое лицо");
// an unknown code is shown as it is.
QString categoryText(const QString &code);
QString ownerText(const QString &code);
QString territoryText(const StoredInputs &inputs);

// Dates in the window and in CSV: "07.12.2026 09:05".
inline const QString kJournalDateFormat = QStringLiteral("dd.MM.yyyy HH:mm");

// A text as "Поиск" compares it: case-folded, and Latin letters that look
// like Cyrillic ones taken as those.
QString searchFolded(const QString &text);

// What "Поиск" looks through, searchFolded(): the texts of the window that the
// user typed or the calculation made (date, territory, КБМ, Т, note). The
// owner, the category and the foreign registration are shown from codes, and
// searchedCodes() finds them by their codes instead; so the search column stays
// short and a search reads less.
QString searchText(const JournalEntry &entry);

// The codes whose shown text holds `foldedWord` (searchFolded()).
struct SearchedCodes
{
    QStringList owners;
    QStringList categories;
    bool foreignRegistration = false;
};
SearchedCodes searchedCodes(const QString &foldedWord);

} // namespace karvo
