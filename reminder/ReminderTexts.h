#pragma once

#include <QString>

// Every text of the reminder that the user reads or hears: the window's captions, its
// messages and the reasons given when an entry cannot be written or removed.
namespace karvo::reminder_texts {

inline const QString kFrameCaption = QStringLiteral("Дата ");
inline const QString kDatePrompt = QStringLiteral("Введите свою  дату:");
inline const QString kDateExample = QStringLiteral("(Пример:20.12.2013)");
inline const QString kYes = QStringLiteral("Да ");
inline const QString kNo = QStringLiteral("Нет");
// What assistive technology announces; the strip shows "karvo 2012".
inline const QString kWindowName = QStringLiteral("Напоминание о продлении");

inline const QString kActivated = QStringLiteral("Автозапуск активирован");
inline const QString kDeactivated = QStringLiteral("Автозапуск деактивирован");
// Followed by the reason: the per-user store or the log-on entry refused.
inline const QString kActivationFailed = QStringLiteral("Не удалось включить автозапуск: ");
inline const QString kDeactivationFailed = QStringLiteral("Не удалось выключить автозапуск: ");
// A second line of either message when karvo.ini refused; followed by the reason.
inline const QString kTickNotRemembered
    = QStringLiteral("Отметка напоминания не запомнится до следующего запуска программы: ");

// When dremo started the calculator; followed by the reminder day.
inline const QString kReminderDue = QStringLiteral("Пора продлить полис ОСАГО: напоминание на ");

// Followed by an example date in the form dd.MM.yyyy.
inline const QString kExpectedForm = QStringLiteral("Введите дату в виде ");
// Followed by the date as typed: the form is right, but no such day exists.
inline const QString kNoSuchDate = QStringLiteral("Такой даты нет: ");
// Followed by today's date.
inline const QString kDatePassed = QStringLiteral("Эта дата уже прошла. Введите дату не ранее ");

// Reasons; %1 is a path.
inline const QString kCannotWriteFile = QStringLiteral("не удалось записать файл %1");
inline const QString kCannotCreateFolder = QStringLiteral("не удалось создать папку %1");
inline const QString kCannotRemoveFile = QStringLiteral("не удалось удалить файл %1");
inline const QString kUnusablePath = QStringLiteral("путь %1 содержит управляющие символы");

} // namespace karvo::reminder_texts
