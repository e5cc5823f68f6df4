#pragma once

#include <QString>

#include <chrono>
#include <functional>

// The settings file karvo.ini: a profile (INI) file in Windows-1251 with
// "[section]" lines followed by "key=value" lines. A file that an editor saved
// as UTF-8 (with a byte-order mark, or valid UTF-8 with non-ASCII bytes) is
// read and written as UTF-8; new lines end in "\n" in a file whose lines do.
// Every read and every write goes to the file by its path; nothing is cached
// and nothing is held open. Writers of one file, in this program or another,
// take turns through the lock file "karvo.ini.lock" beside it.
// Names of sections and keys match without regard to case or surrounding
// blanks. A write changes only the line of its key (or adds one) and leaves
// every other byte of the file as it was: comments, blank lines, lines it does
// not understand, even bytes of another encoding.
//
// Neither procedure lets an error escape. The only fault reported as such, as
// the text "Ошибка: <number> - description" for the procedure's name, is one
// the user cannot cause: a Qt without a Windows-1251 converter (number 101);
// it goes to the handler the program installs, which shows it in a box titled
// with that name. A write the system refuses (a read-only folder, a full disk, a file
// that cannot be read, another writer that does not finish) is not shown:
// writeIniValue returns false, as do the refusals of a value or name that the file
// cannot hold, and says why through `error`, in Russian. A read that cannot
// open the file gives the empty text. A path that is not a regular file (a
// folder, a FIFO, a device) is never opened for reading or waited on.
namespace karvo {

// The value of `key` in `section`, trimmed of blanks and of one pair of
// surrounding double quotes and cut to 255 characters; the empty text when the
// file, the section or the key is missing. Never creates the file.
QString readIniValue(const QString &section, const QString &key, const QString &file);

// Replaces the value of an existing key in place, or adds the key at the end
// of its section, or the section at the end of the file, creating the file
// when it is missing. A key that holds the value already leaves the file
// untouched, bytes and modification time. The new content replaces the old
// file in one rename, so a failed write leaves the old file whole. A
// character that Windows-1251 lacks is written as "?". Refuses a value with a
// line break, an empty name, a key containing "=" or starting with ";" or
// "[", and names that Windows-1251 cannot hold. On false, `error` (when
// given) receives the reason as a phrase that can follow "Не удалось
// сохранить исходные данные: ".
bool writeIniValue(const QString &section, const QString &key, const QString &value, const QString &file,
    QString *error = nullptr);

// Receives the converter fault: the procedure's name ("GetValueString",
// "SetValue") and the text. Returns the handler it replaces.
using IniFaultHandler = std::function<void(const QString &procedure, const QString &text)>;
IniFaultHandler setIniFaultHandler(IniFaultHandler handler);

// How long writeIniValue waits for another writer of the file before it fails
// (three seconds); returns the wait it replaces. For tests.
std::chrono::milliseconds setWriterWait(std::chrono::milliseconds wait);

// karvo.ini: beside the program, or in the user's config folder when the
// program folder is read-only.
QString settingsFilePath();

} // namespace karvo
