#include "storage/IniFile.h"

#include "platform/Messages.h"
#include "platform/UserFiles.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// The profile functions read a value into a buffer of 256 characters.
constexpr qsizetype kValueLimit = 255;

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
// since Windows-1251 keeps ASCII as is; only names and values are decoded, and
// only the lines a write touches are encoded anew.
class IniText
{
public:
    IniText(const QByteArray &bytes, const Windows1251 &codePage)
        : m_codePage(codePage)
    {
        qsizetype start = 0;
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
        QString value = m_codePage.decode(text.mid(text.indexOf('=') + 1).trimmed());
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }

    void setValue(QStringView section, QStringView key, QStringView value)
    {
        const QByteArray encoded = m_codePage.encode(value);
        const std::optional<Body> body = findSection(section);
        if (!body) {
            insert(m_lines.size(), '[' + m_codePage.encode(section.trimmed()) + ']');
            insert(m_lines.size(), m_codePage.encode(key.trimmed()) + '=' + encoded);
            return;
        }
        if (const std::optional<qsizetype> at = findKey(*body, key)) {
            // The name stays as the file spells it.
            IniLine &line = m_lines[size_t(*at)];
            const QByteArray trimmed = line.text.trimmed();
            line.text = trimmed.left(trimmed.indexOf('=')).trimmed() + '=' + encoded;
            return;
        }
        // After the section's last non-blank line, so that the blank lines
        // that set it apart from the next section stay after it.
        qsizetype last = body->begin - 1;
        for (qsizetype i = body->begin; i < body->end; ++i) {
            if (!m_lines[size_t(i)].text.trimmed().isEmpty())
                last = i;
        }
        insert(last + 1, m_codePage.encode(key.trimmed()) + '=' + encoded);
    }

    QByteArray bytes() const
    {
        QByteArray bytes;
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
                line.name = m_codePage.decode(trimmed.mid(1, close - 1).trimmed());
            }
        } else if (!trimmed.startsWith(';')) {
            const qsizetype equals = trimmed.indexOf('=');
            if (equals > 0) {
                line.kind = IniLine::Kind::Key;
                line.name = m_codePage.decode(trimmed.left(equals).trimmed());
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

    // New lines end in "\r\n"; a last line without a break gets one first.
    void insert(qsizetype at, QByteArray text)
    {
        if (at > 0 && m_lines[size_t(at - 1)].ending.isEmpty())
            m_lines[size_t(at - 1)].ending = "\r\n";
        m_lines.insert(m_lines.begin() + at, parse(std::move(text), "\r\n"));
    }

    const Windows1251 &m_codePage;
    std::vector<IniLine> m_lines;
};

// Why a write did not happen. The numbers, shown in the "Ошибка" box: the
// QFileDevice::FileError of the file's own faults (1 to 14), and from 101 the
// faults found before the file is touched. Only kNoCodePage is shown; the
// others are refusals that the caller hears of through SetValue's result.
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

Failure fileFailure(const QFileDevice &device, const QString &what)
{
    const int number
        = device.error() == QFileDevice::NoError ? QFileDevice::UnspecifiedError : device.error();
    return { number, what.arg(QDir::toNativeSeparators(device.fileName()), device.errorString()) };
}

void report(const QString &procedure, const Failure &failure)
{
    showMessage(u"Ошибка: <"_s + QString::number(failure.number) + u"> - "_s + failure.reason, procedure);
}

// A name that would not read back as written.
bool isBadName(const QString &section, const QString &key, const Windows1251 &codePage)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    const auto hasBreak = [](const QString &name) { return name.contains(u'\n') || name.contains(u'\r'); };
    return sectionName.isEmpty() || keyName.isEmpty() || hasBreak(sectionName) || hasBreak(keyName)
        || keyName.contains(u'=') || keyName.startsWith(u';') || keyName.startsWith(u'[')
        || !codePage.canEncode(sectionName) || !codePage.canEncode(keyName);
}

std::optional<Failure> writeValue(
    const QString &section, const QString &key, const QString &value, const QString &file)
{
    const Windows1251 *codePage = Windows1251::instance();
    if (!codePage)
        return noCodePage();
    if (isBadName(section, key, *codePage))
        return Failure { kBadName, u"недопустимое имя раздела или ключа: [%1] %2"_s.arg(section, key) };
    // A line break would end the value early and turn the rest into lines of
    // their own.
    if (value.contains(u'\n') || value.contains(u'\r'))
        return Failure { kLineBreak, u"значение ключа %1 содержит перевод строки"_s.arg(key) };

    QByteArray old;
    QFile existing(file);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return fileFailure(existing, u"не удалось прочитать файл %1 (%2)"_s);
        old = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return fileFailure(existing, u"не удалось прочитать файл %1 (%2)"_s);
        existing.close();
    }

    IniText text(old, *codePage);
    text.setValue(section, key, value);
    const QByteArray updated = text.bytes();
    if (updated == old)
        return std::nullopt; // the value is already there

    // Written beside the old file and renamed over it: a failure anywhere
    // leaves the old file as it was. The explicit flush matters: Qt 6.4's
    // commit() still renames, and reports success, when its own final flush
    // fails (a full disk), which would put a cut file in place of the old one.
    // Without commit() the temporary file is removed.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(updated) != updated.size() || !out.flush()
        || out.error() != QFileDevice::NoError || !out.commit())
        return fileFailure(out, u"не удалось записать файл %1 (%2)"_s);
    return std::nullopt;
}

} // namespace

QString GetValueString(const QString &section, const QString &key, const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {}; // missing or unreadable: the empty text, as the profile functions give
    const QByteArray bytes = in.readAll();
    const Windows1251 *codePage = Windows1251::instance();
    if (!codePage) {
        report(u"GetValueString"_s, noCodePage());
        return {};
    }
    return IniText(bytes, *codePage).value(section, key).value_or(QString()).left(kValueLimit);
}

bool SetValue(
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

QString settingsFilePath()
{
    return userFilePath(UserFile::Settings);
}

} // namespace karvo
