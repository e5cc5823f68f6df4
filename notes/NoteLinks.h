#pragma once

#include "platform/DesktopOpener.h"
#include <QString>

#include <QString>
#include <QUrl>

// The reference notes of steps 1 to 8, the decree's help file of step 10 and
// the footer links of every step window. All of them are handed to the
// desktop; the program never reads the files itself. A missing file, or a
// desktop that opens nothing, is handed to the caller's `tell` with the file's
// path or the address (the texts below): the window says it, this shows nothing.
namespace karvo {

enum class Note { Tb, Kt, Kbm, Ko, Kvs, Km, Ks, Kp, Decree };

// "k/tb.txt" … "k/kp.txt", "k/739.chm", relative to the program folder.
QString noteFile(Note note);

// The contact shown in the footers and in the report. Neutral values until
// the project has its own.
inline const QString kAuthorEmail = QStringLiteral("karvo@example.org");
inline const QString kAuthorSite = QStringLiteral("https://www.example.org/karvo");
inline const QString kRightsNotice = QStringLiteral("© karvo, 2012. Лицензия GNU GPL 3.");
inline const QString kEmailTooltip = QStringLiteral("Автор");
inline const QString kSiteTooltip = QStringLiteral("Сайт и форум программы tolvek");
inline const QString kMailSubject = QStringLiteral("KARVO-вопросы");

// What the user is told when a link leads nowhere; each is followed by the
// file's path or the address.
inline const QString kNoteMissing = QStringLiteral("Не найден файл примечания: ");
inline const QString kNoteNotOpened = QStringLiteral("Не удалось открыть примечание: ");
inline const QString kDecreeMissing = QStringLiteral("Не найден файл справки: ");
inline const QString kDecreeNotOpened = QStringLiteral("Не удалось открыть справку: ");
inline const QString kMailNotOpened = QStringLiteral("Не удалось открыть почтовую программу. Адрес: ");
inline const QString kSiteNotOpened = QStringLiteral("Не удалось открыть сайт. Адрес: ");

// "mailto:" + address + "?Subject=KARVO-вопросы", encoded by QUrl.
QUrl mailUrl(const QString &address);

// A missing file is told before this returns; a desktop that opens nothing,
// whenever the desktop says so.
void openNote(Note note, const TellUser &tell);
// The e-mail and site labels pass their own caption, so caption and target
// cannot differ.
void openMail(const QString &address, const TellUser &tell);
void openSite(const QString &address, const TellUser &tell);

} // namespace karvo
