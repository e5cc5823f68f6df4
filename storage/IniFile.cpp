#include "storage/IniFile.h"

#include "platform/FileFailure.h"
#include "platform/UserFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileDevice>
#include <QHash>
#include <QLockFile>
#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// The profile functions read a value into a buffer of 256 characters.
constexpr qsizetype kValueLimit = 255;

// A write takes milliseconds; a writer that waits longer than this for
// another gives up rather than make the user wait. A lock older than the
// stale time, or left by a process that no longer runs, is taken over.
std::chrono::milliseconds g_writerWait { 3000 };
constexpr std::chrono::milliseconds kStaleLock { 10000 };

// Windows-1251 in both directions. Qt reaches it only through ICU, whose
// encoder writes 0x1A for a character the code page lacks; a reader of the file
// expects "?" there. Every byte maps to one character (ICU maps the one
// unassigned byte, 0x98, to U+0098), so a table of 256 characters decodes
// exactly and its inverse encodes.
class Windows1251
{
public:
    // Null when this Qt has no Windows-1251 converter.
    static const Windows1251 *instance()
    {
        static const std::optional<Windows1251> codePage = load();
        return codePage ? &*codePage : nullptr;
    }

    QString decode(QByteArrayView bytes) const
    {
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            text[i] = QChar(m_toUnicode[uchar(bytes[i])]);
        return text;
    }

    QByteArray encode(QStringView text) const
    {
        QByteArray bytes;
        bytes.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto found = m_fromUnicode.constFind(text[i].unicode());
            if (found != m_fromUnicode.cend()) {
                bytes.append(*found);
                continue;
            }
            // A character beyond the 16-bit range is one "?", not two.
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            bytes.append('?');
        }
        return bytes;
    }

    bool canEncode(QStringView text) const
    {
        for (const QChar c : text) {
            if (!m_fromUnicode.contains(c.unicode()))
                return false;
        }
        return true;
    }

private:
    static std::optional<Windows1251> load()
    {
        QStringDecoder decoder("windows-1251");
        if (!decoder.isValid())
            return std::nullopt;
        Windows1251 codePage;
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            decoder.resetState();
            const QString text = decoder.decode(QByteArrayView(&c, 1));
            if (text.size() != 1 || decoder.hasError())
                return std::nullopt;
            codePage.m_toUnicode[byte] = text[0].unicode();
            codePage.m_fromUnicode.insert(text[0].unicode(), c);
        }
        return codePage;
    }

    std::array<char16_t, 256> m_toUnicode {};
    QHash<char16_t, char> m_fromUnicode;
};

// The file's own encoding. A file that starts with the UTF-8 byte-order mark,
// or that holds non-ASCII bytes which are all valid UTF-8, was saved as UTF-8
// by an editor, and is read and written so. Every other file, a new one and a
// pure-ASCII one included, is Windows-1251. Russian text in Windows-1251 is
// almost never valid UTF-8 (two Cyrillic letters in a row never are), so a
// file taken for UTF-8 by mistake needs an unusual value, such as a lone
// capital letter before a guillemet.
class TextCodec
{
public:
    TextCodec(const Windows1251 &codePage, bool utf8)
        : m_codePage(codePage)
        , m_utf8(utf8)
    {
    }

    static bool isUtf8(QByteArrayView bytes)
    {
        if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
            return false;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        [[maybe_unused]] const QString decoded = decoder.decode(bytes);
        return !decoder.hasError();
    }

    QString decode(QByteArrayView bytes) const
    {
        if (!m_utf8)
            return m_codePage.decode(bytes);
        // A byte-order mark inside a value is kept as the character it is.
        QStringDecoder decoder(
            QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        return decoder.decode(bytes);
    }

    QByteArray encode(QStringView text) const { return m_utf8 ? text.toUtf8() : m_codePage.encode(text); }

    bool canEncode(QStringView text) const
    {
        return m_utf8 ? QString::fromUtf8(text.toUtf8()) == text : m_codePage.canEncode(text);
    }

private:
    const Windows1251 &m_codePage;
    bool m_utf8;
};

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

// One line of the file as it stands on disk, with what it means.
struct IniLine
{
    enum class Kind { Other, Section, Key };

    QByteArray text; // without its line break
    QByteArray ending; // "\r\n", "\n", or nothing on a last line without one
    Kind kind = Kind::Other;
    QString name; // of the section or key, trimmed
};

// The file's text as its lines of bytes. Structure is found on the bytes,
// since both encodings keep ASCII as is; only names and values are decoded,
// and only the lines a write touches are encoded anew. New lines end as the
// file's first line does: "\n" in a file written on Linux, "\r\n" otherwise
// and in a new file.
class IniText
{
public:
    IniText(const QByteArray &bytes, const Windows1251 &codePage)
        : m_bom(bytes.startsWith(kByteOrderMark) ? kByteOrderMark.toByteArray() : QByteArray())
        , m_codec(codePage, !m_bom.isEmpty() || TextCodec::isUtf8(bytes))
    {
        const qsizetype firstBreak = bytes.indexOf('\n');
        if (firstBreak >= 0 && (firstBreak == 0 || bytes[firstBreak - 1] != '\r'))
            m_lineEnding = "\n";
        qsizetype start = m_bom.size();
        while (start < bytes.size()) {
            const qsizetype newline = bytes.indexOf('\n', start);
            if (newline < 0) {
                m_lines.push_back(parse(bytes.mid(start), {}));
                break;
            }
            qsizetype end = newline;
            if (end > start && bytes[end - 1] == '\r')
                --end;
            m_lines.push_back(parse(bytes.mid(start, end - start), bytes.mid(end, newline + 1 - end)));
            start = newline + 1;
        }
    }

    std::optional<QString> value(QStringView section, QStringView key) const
    {
        const std::optional<Body> body = findSection(section);
        const std::optional<qsizetype> at = body ? findKey(*body, key) : std::nullopt;
        if (!at)
            return std::nullopt;
        const QByteArray &text = m_lines[size_t(*at)].text;
        QString value = m_codec.decode(text.mid(text.indexOf('=') + 1).trimmed());
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }

    bool canHold(QStringView name) const { return m_codec.canEncode(name); }

    void setValue(QStringView section, QStringView key, QStringView value)
    {
        const QByteArray encoded = m_codec.encode(value);
        const std::optional<Body> body = findSection(section);
        if (!body) {
            insert(m_lines.size(), '[' + m_codec.encode(section.trimmed()) + ']');
            insert(m_lines.size(), m_codec.encode(key.trimmed()) + '=' + encoded);
            return;
        }
        if (const std::optional<qsizetype> at = findKey(*body, key)) {
            IniLine &line = m_lines[size_t(*at)];
            const QByteArray trimmed = line.text.trimmed();
            const qsizetype equals = trimmed.indexOf('=');
            // A value that reads back the same leaves the line as it is,
            // blanks around "=" included.
            if (trimmed.mid(equals + 1).trimmed() == encoded.trimmed())
                return;
            // The name stays as the file spells it.
            line.text = trimmed.left(equals).trimmed() + '=' + encoded;
            return;
        }
        // After the section's last non-blank line, so that the blank lines
        // that set it apart from the next section stay after it.
        qsizetype last = body->begin - 1;
        for (qsizetype i = body->begin; i < body->end; ++i) {
            if (!m_lines[size_t(i)].text.trimmed().isEmpty())
                last = i;
        }
        insert(last + 1, m_codec.encode(key.trimmed()) + '=' + encoded);
    }

    QByteArray bytes() const
    {
        QByteArray bytes = m_bom;
        for (const IniLine &line : m_lines)
            bytes += line.text + line.ending;
        return bytes;
    }

private:
    // The lines below a section's header, up to the next header.
    struct Body
    {
        qsizetype begin;
        qsizetype end;
    };

    IniLine parse(QByteArray text, QByteArray ending) const
    {
        IniLine line;
        line.text = std::move(text);
        line.ending = std::move(ending);
        const QByteArray trimmed = line.text.trimmed();
        if (trimmed.startsWith('[')) {
            // The last "]" closes the name, so a name may itself hold one.
            const qsizetype close = trimmed.lastIndexOf(']');
            if (close > 0) {
                line.kind = IniLine::Kind::Section;
                line.name = m_codec.decode(trimmed.mid(1, close - 1).trimmed());
            }
        } else if (!trimmed.startsWith(';')) {
            const qsizetype equals = trimmed.indexOf('=');
            if (equals > 0) {
                line.kind = IniLine::Kind::Key;
                line.name = m_codec.decode(trimmed.left(equals).trimmed());
            }
        }
        return line;
    }

    // Only the first section of a name counts, as with the profile functions.
    std::optional<Body> findSection(QStringView name) const
    {
        const qsizetype count = qsizetype(m_lines.size());
        for (qsizetype i = 0; i < count; ++i) {
            if (!isNamed(m_lines[size_t(i)], IniLine::Kind::Section, name))
                continue;
            qsizetype end = i + 1;
            while (end < count && m_lines[size_t(end)].kind != IniLine::Kind::Section)
                ++end;
            return Body { i + 1, end };
        }
        return std::nullopt;
    }

    std::optional<qsizetype> findKey(Body body, QStringView name) const
    {
        for (qsizetype i = body.begin; i < body.end; ++i) {
            if (isNamed(m_lines[size_t(i)], IniLine::Kind::Key, name))
                return i;
        }
        return std::nullopt;
    }

    static bool isNamed(const IniLine &line, IniLine::Kind kind, QStringView name)
    {
        return line.kind == kind && line.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0;
    }

    // A last line without a break gets one first.
    void insert(qsizetype at, QByteArray text)
    {
        if (at > 0 && m_lines[size_t(at - 1)].ending.isEmpty())
            m_lines[size_t(at - 1)].ending = m_lineEnding;
        m_lines.insert(m_lines.begin() + at, parse(std::move(text), m_lineEnding));
    }

    QByteArray m_bom; // kept in front of the first line, as the editor wrote it
    TextCodec m_codec;
    QByteArray m_lineEnding = "\r\n";
    std::vector<IniLine> m_lines;
};

// Why a write did not happen. The numbers, shown in the "Ошибка" box: the
// QFileDevice::FileError of the file's own faults (1 to 14), and from 101 the
// faults found before the file is touched. Only kNoCodePage is shown; the
// others are refusals that the caller hears of through writeIniValue's result.
constexpr int kNoCodePage = 101;
constexpr int kLineBreak = 102;
constexpr int kBadName = 103;

struct Failure
{
    int number;
    QString reason;
};

Failure noCodePage()
{
    return { kNoCodePage, u"в системе нет кодировки windows-1251"_s };
}

Failure badName(const QString &section, const QString &key)
{
    return { kBadName, u"недопустимое имя раздела или ключа: [%1] %2"_s.arg(section, key) };
}

Failure readFailure(const QString &file, const QString &cause)
{
    return { QFileDevice::ReadError,
        u"не удалось прочитать файл %1 (%2)"_s.arg(QDir::toNativeSeparators(file), cause) };
}

Failure writeFailure(const QString &file, const QString &cause)
{
    return { QFileDevice::WriteError,
        u"не удалось записать файл %1 (%2)"_s.arg(QDir::toNativeSeparators(file), cause) };
}

IniFaultHandler g_faultHandler;

void report(const QString &procedure, const Failure &failure)
{
    if (g_faultHandler)
        g_faultHandler(
            procedure, u"Ошибка: <"_s + QString::number(failure.number) + u"> - "_s + failure.reason);
}

// A name that would not read back as written, in any encoding.
bool isBadName(const QString &section, const QString &key)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    const auto hasBreak = [](const QString &name) { return name.contains(u'\n') || name.contains(u'\r'); };
    return sectionName.isEmpty() || keyName.isEmpty() || hasBreak(sectionName) || hasBreak(keyName)
        || keyName.contains(u'=') || keyName.startsWith(u';') || keyName.startsWith(u'[');
}

// The file's content with the value written, or nothing when the file holds
// it already.
struct Update
{
    std::optional<Failure> failure;
    std::optional<QByteArray> content;
};

Update updatedContent(const QString &section, const QString &key, const QString &value, const QString &file,
    const Windows1251 &codePage)
{
    const RegularFileRead old = readRegularFile(file);
    if (old.failure)
        return { readFailure(file, *old.failure), std::nullopt };
    IniText text(old.bytes, codePage);
    if (!text.canHold(section.trimmed()) || !text.canHold(key.trimmed()))
        return { badName(section, key), std::nullopt };
    text.setValue(section, key, value);
    QByteArray updated = text.bytes();
    if (old.found && updated == old.bytes)
        return {};
    return { std::nullopt, std::move(updated) };
}

// Every write reads the whole file and replaces it, so two programs writing
// at once would each drop what the other wrote: writers take turns through a
// lock file beside it. Waiting is bounded; a writer that gives up fails, and
// never writes over the other's work.
std::optional<Failure> lockForWriting(QLockFile &lock, const QString &file)
{
    lock.setStaleLockTime(int(kStaleLock.count()));
    const QDeadlineTimer deadline(g_writerWait);
    unsigned long pause = 1;
    errno = 0;
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError) {
            // The lock cannot be made where the file would have to be
            // written: the folder's own fault says why.
            return writeFailure(file, fileFailureReason(file, FileAccess::Write, errno));
        }
        if (deadline.hasExpired())
            return writeFailure(file, file_failure_texts::kBusy);
        QThread::msleep(pause);
        pause = std::min(pause * 2, 16ul);
        errno = 0;
    }
    return std::nullopt;
}

std::optional<Failure> writeValue(
    const QString &section, const QString &key, const QString &value, const QString &file)
{
    const Windows1251 *codePage = Windows1251::instance();
    if (!codePage)
        return noCodePage();
    if (isBadName(section, key))
        return badName(section, key);
    // A line break would end the value early and turn the rest into lines of
    // their own.
    if (value.contains(u'\n') || value.contains(u'\r'))
        return Failure { kLineBreak, u"значение ключа %1 содержит перевод строки"_s.arg(key) };

    // A value the file holds already needs no write and so no lock, as with
    // the profile functions: the file keeps its bytes and its time.
    Update update = updatedContent(section, key, value, file, *codePage);
    if (update.failure || !update.content)
        return update.failure;

    QLockFile lock(file + u".lock"_s);
    if (std::optional<Failure> failure = lockForWriting(lock, file))
        return failure;
    // Read again: another writer may have changed the file meanwhile.
    update = updatedContent(section, key, value, file, *codePage);
    if (update.failure || !update.content)
        return update.failure;
    if (const std::optional<QString> cause = replaceFile(file, *update.content))
        return writeFailure(file, *cause);
    return std::nullopt;
}

} // namespace

QString readIniValue(const QString &section, const QString &key, const QString &file)
{
    // Missing, unreadable or not a regular file: the empty text, as the
    // profile functions give for a missing file.
    const RegularFileRead read = readRegularFile(file);
    if (!read.found || read.failure)
        return {};
    const Windows1251 *codePage = Windows1251::instance();
    if (!codePage) {
        report(u"GetValueString"_s, noCodePage());
        return {};
    }
    return IniText(read.bytes, *codePage).value(section, key).value_or(QString()).left(kValueLimit);
}

bool writeIniValue(
    const QString &section, const QString &key, const QString &value, const QString &file, QString *error)
{
    const std::optional<Failure> failure = writeValue(section, key, value, file);
    if (!failure)
        return true;
    if (failure->number == kNoCodePage)
        report(u"SetValue"_s, *failure);
    if (error)
        *error = failure->reason;
    return false;
}

IniFaultHandler setIniFaultHandler(IniFaultHandler handler)
{
    return std::exchange(g_faultHandler, std::move(handler));
}

std::chrono::milliseconds setWriterWait(std::chrono::milliseconds wait)
{
    return std::exchange(g_writerWait, wait);
}

QString settingsFilePath()
{
    return userFilePath(UserFile::Settings);
}

} // namespace karvo
