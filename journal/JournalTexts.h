#pragma once

#include <QString>

// The journal's own words: the window, its messages and the command line.
namespace karvo::journal_texts {

inline const QString kWindowTitle = QStringLiteral("Журнал расчетов");

// The columns of the window and the first seven of the CSV header.
inline const QString kDate = QStringLiteral("Дата");
inline const QString kOwner = QStringLiteral("Собственник");
inline const QString kCategory = QStringLiteral("Категория");
inline const QString kTerritory = QStringLiteral("Территория");
inline const QString kKbm = QStringLiteral("КБМ");
inline const QString kPremium = QStringLiteral("Т, руб.");
inline const QString kNote = QStringLiteral("Примечание");

// Owner codes "1" and "2" as the Собственник column shows them.
inline const QString kIndividual = QStringLiteral("Физическое лицо");
inline const QString kLegalEntity = QStringLiteral("Юридическое лицо");
// The Территория column of a vehicle registered abroad (registration code "6").
inline const QString kForeignRegistration = QStringLiteral("Иностранная регистрация");

// The window's controls.
inline const QString kSearch = QStringLiteral("Поиск");
inline const QString kSearchPlaceholder = QStringLiteral("Текст из любой колонки");
inline const QString kOpen = QStringLiteral("Открыть");
inline const QString kReport = QStringLiteral("Отчет");
inline const QString kDelete = QStringLiteral("Удалить");
inline const QString kExport = QStringLiteral("Экспорт…");
inline const QString kImport = QStringLiteral("Импорт…");
inline const QString kClose = QStringLiteral("Закрыть");
inline const QString kCancel = QStringLiteral("Отмена");
inline const QString kTableName = QStringLiteral("Записи журнала");
// %1 the number of selected entries.
inline const QString kDeleteQuestion = QStringLiteral("Удалить выбранные записи (%1)?");
inline const QString kExportTitle = QStringLiteral("Экспорт журнала расчетов");
inline const QString kExportFilter = QStringLiteral("Файлы CSV (*.csv)");
inline const QString kExportFileName = QStringLiteral("journal.csv");
inline const QString kImportTitle = QStringLiteral("Импорт журнала расчетов");
inline const QString kImportFailed = QStringLiteral("Не удалось добавить записи: ");
// The status line. %1 the journal file.
inline const QString kLocation = QStringLiteral("Файл журнала: %1");
// The type column of the file dialogs.
inline const QString kFolderType = QStringLiteral("Папка");
inline const QString kFileType = QStringLiteral("Файл");
// %1 the number of entries, %2 the file.
inline const QString kExported = QStringLiteral("Записей сохранено: %1. Файл: %2");
inline const QString kExportFailed = QStringLiteral("Не удалось сохранить журнал: ");
inline const QString kDeleteFailed = QStringLiteral("Не удалось удалить записи: ");
inline const QString kNoteFailed = QStringLiteral("Не удалось сохранить примечание: ");
inline const QString kReadFailed = QStringLiteral("Не удалось прочитать журнал расчетов: ");

// What the store reports; the caller shows it once. %1 the journal file.
inline const QString kRecordFailed = QStringLiteral("Расчет не записан в журнал расчетов %1: %2. "
                                                    "До перезапуска программы это сообщение не повторяется.");
// %1 the damaged file's new name, %2 the journal file.
inline const QString kDamaged
    = QStringLiteral("Файл журнала расчетов поврежден или не является базой данных. "
                     "Он сохранен как %1, начат новый журнал %2.");
inline const QString kNewerVersion
    = QStringLiteral("Журнал расчетов %1 записан более новой версией karvo. Он "
                     "открыт только для чтения: новые расчеты в него не "
                     "записываются.");
inline const QString kReadOnlyJournal = QStringLiteral("журнал открыт только для чтения");
inline const QString kNoDriver
    = QStringLiteral("не установлен драйвер SQLite для Qt (пакет libqt6sql6-sqlite)");
inline const QString kCannotCreate = QStringLiteral("не удалось создать файл: ");
inline const QString kCannotRename = QStringLiteral("не удалось переименовать поврежденный файл: ");
inline const QString kDiskFull = QStringLiteral("на диске нет места");
inline const QString kReadOnlyPlace = QStringLiteral("файл или папка доступны только для чтения");
inline const QString kBusy = QStringLiteral("журнал занят другой программой");
inline const QString kCannotOpen = QStringLiteral("не удалось открыть файл");
inline const QString kCorrupt = QStringLiteral("файл поврежден");
inline const QString kIoError = QStringLiteral("ошибка чтения или записи на диске");
// %1 the database's own message.
inline const QString kDatabaseError = QStringLiteral("ошибка базы данных (%1)");

// CSV files. %1 the file, %2 the reason.
inline const QString kCsvCannotRead = QStringLiteral("не удалось прочитать файл %1: %2");
inline const QString kCsvCannotWrite = QStringLiteral("не удалось записать файл %1: %2");
// The reason to refuse the journal's own file as a CSV.
inline const QString kJournalItself = QStringLiteral("это файл самого журнала расчетов");
// The file "-" of the command line.
inline const QString kStandardInput = QStringLiteral("стандартный ввод");
inline const QString kStandardOutput = QStringLiteral("стандартный вывод");
inline const QString kCsvNotJournal
    = QStringLiteral("файл %1 не является журналом расчетов karvo: первая строка не совпадает с заголовком");
// %1 the file, %2 the titles, separated by ", ".
inline const QString kCsvMissingColumns
    = QStringLiteral("файл %1 не является журналом расчетов karvo: в первой строке нет столбцов %2");
// %1 added, %2 already in the journal.
inline const QString kImported = QStringLiteral("Добавлено записей: %1, уже были в журнале: %2.");
// %1 the line numbers, separated by ", "; at most kShownLines of them, then
// kMoreLines.
inline constexpr int kShownLines = 20;
// %1 the number of lines skipped.
inline const QString kMoreLines = QStringLiteral(", … (всего %1)");
// %1 the number of rows.
inline const QString kRefusedRows = QStringLiteral("Пропущено строк с ошибкой расчета: %1.");
// The last column of a list priced by `karvo --calculate`.
inline const QString kErrorTitle = QStringLiteral("Ошибка");
inline const QString kSkippedLines = QStringLiteral("Пропущены строки, которые не удалось прочитать: %1.");

// The command line. %1 the option.
inline const QString kOptionsHelp = QStringLiteral(
    "      --export-journal ФАЙЛ\n"
    "                 записать журнал расчетов в ФАЙЛ (CSV; «-» — стандартный вывод) и выйти\n"
    "      --import-journal ФАЙЛ\n"
    "                 добавить в журнал расчетов записи из ФАЙЛА (CSV; «-» — стандартный ввод) и выйти\n");
inline const QString kMissingFile = QStringLiteral("karvo: после %1 укажите имя файла\n");
// %1 the reason.
inline const QString kCommandFailed = QStringLiteral("karvo: %1\n");

} // namespace karvo::journal_texts
