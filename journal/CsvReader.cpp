#include "journal/CsvReader.h"

#include "journal/CsvWriter.h"
#include "journal/JournalTexts.h"
#include "platform/FileFailure.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = journal_texts;

constexpr char kSeparator = ';';
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

bool isAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) > 0x7f)
            return false;
    }
    return true;
}

// The text, with U+FFFD where a byte is no UTF-8; `valid` says whether one was.
QString utf8(const QByteArray &bytes, bool *valid)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    *valid = !decoder.hasError();
    return text;
}

QString windows1251(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    if (decoder.isValid())
        return decoder(bytes);
    // Without ICU: the Cyrillic letters, which is what a Russian file holds
    // beyond ASCII.
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xc0)
            text += QChar(0x0410 + (byte - 0xc0));
        else if (byte == 0xa8)
            text += QChar(0x0401);
        else if (byte == 0xb8)
            text += QChar(0x0451);
        else
            text += QChar(byte < 0x80 ? byte : 0xfffd);
    }
    return text;
}

} // namespace

CsvReader::CsvReader(QIODevice &device)
    : m_device(device)
{
}

CsvReader::Line CsvReader::readLine(QByteArray &bytes)
{
    // One byte more than a record may hold tells a line that is too long;
    // the buffer is made once, not for every line.
    if (m_buffer.isEmpty())
        m_buffer.resize(kMaxCsvRecordBytes + 2);
    const auto read = [&] { return m_device.readLine(m_buffer.data(), m_buffer.size()); };
    const qint64 size = read();
    if (size <= 0) {
        bytes.clear();
        return Line::End;
    }
    ++m_line;
    bytes = QByteArray(m_buffer.constData(), qsizetype(size));
    if (bytes.endsWith('\n') || bytes.size() <= kMaxCsvRecordBytes)
        return Line::Read;
    // The rest of the line is read and dropped a piece at a time.
    for (qint64 rest = read(); rest > 0 && m_buffer[qsizetype(rest) - 1] != '\n'; rest = read()) { }
    bytes.clear();
    return Line::TooLong;
}

QString CsvReader::decoded(QByteArray &bytes, bool *valid)
{
    *valid = true;
    if (m_first) {
        m_first = false;
        if (bytes.startsWith(kByteOrderMark)) {
            bytes.remove(0, kByteOrderMark.size());
            m_encoding = CsvEncoding::Utf8;
        }
    }
    if (m_encoding == CsvEncoding::Windows1251)
        return windows1251(bytes);
    if (m_encoding == CsvEncoding::Undecided) {
        if (isAscii(bytes))
            return QString::fromLatin1(bytes);
        QString text = utf8(bytes, valid);
        if (*valid) {
            m_encoding = CsvEncoding::Utf8;
            return text;
        }
        *valid = true;
        m_encoding = CsvEncoding::Windows1251;
        return windows1251(bytes);
    }
    return utf8(bytes, valid);
}

bool CsvReader::next(CsvRecord &record)
{
    record = {};
    QString field;
    bool inQuotes = false;
    bool started = false; // the record holds a field or a character
    qsizetype size = 0;
    QByteArray bytes;
    for (;;) {
        const Line read = readLine(bytes);
        if (read == Line::End) {
            if (!started)
                return false;
            record.fields << field;
            if (inQuotes && record.problem == CsvRecord::Problem::None)
                record.problem = CsvRecord::Problem::OpenQuote;
            return true;
        }
        if (!started)
            record.line = m_line;
        size += bytes.size();
        if (read == Line::TooLong || size > kMaxCsvRecordBytes) {
            // The record ends with this line: a quote opened in it would
            // otherwise swallow the rest of the file.
            record.fields.clear();
            record.problem = CsvRecord::Problem::TooLong;
            return true;
        }
        bool valid = true;
        const QString line = decoded(bytes, &valid);
        if (!valid)
            record.problem = CsvRecord::Problem::NotUtf8;
        const qsizetype end = line.size();
        for (qsizetype i = 0; i < end; ++i) {
            const QChar c = line[i];
            if (inQuotes) {
                if (c == u'"') {
                    if (i + 1 < end && line[i + 1] == u'"') {
                        field += c;
                        ++i;
                    } else {
                        inQuotes = false;
                    }
                } else {
                    field += c;
                }
                continue;
            }
            if (c == u'"' && field.isEmpty()) {
                inQuotes = true;
                started = true;
            } else if (c == QLatin1Char(kSeparator)) {
                record.fields << field;
                field.clear();
                started = true;
            } else if (c == u'\n' || (c == u'\r' && (i + 1 == end || line[i + 1] == u'\n'))) {
                break;
            } else {
                field += c;
                started = true;
            }
        }
        if (inQuotes)
            continue; // the quoted field goes on in the next line
        if (!started && field.isEmpty())
            continue; // a blank line
        record.fields << field;
        if (record.problem == CsvRecord::Problem::NotUtf8)
            record.fields.clear();
        return true;
    }
}

CsvHeader::CsvHeader(const QStringList &titles)
    : m_titles(titles)
{
    for (int i = 0; i < titles.size(); ++i)
        m_positions[titles[i].trimmed()] << i;
}

int CsvHeader::indexOf(const QString &title, int occurrence) const
{
    const auto found = m_positions.constFind(title);
    if (found == m_positions.cend() || occurrence < 0 || occurrence >= found->size())
        return -1;
    return found->at(occurrence);
}

QStringList CsvHeader::missing(const QStringList &wanted) const
{
    QStringList titles;
    for (const QString &title : wanted) {
        if (!contains(title))
            titles << title;
    }
    return titles;
}

QList<int> CsvHeader::unknownColumns(const QStringList &known) const
{
    QList<int> columns;
    for (int i = 0; i < m_titles.size(); ++i) {
        if (!known.contains(m_titles[i].trimmed()))
            columns << i;
    }
    return columns;
}

QString CsvHeader::field(const CsvRecord &record, const QString &title, int occurrence) const
{
    const int index = indexOf(title, occurrence);
    if (index < 0 || index >= record.fields.size())
        return {};
    return csvFieldText(record.fields[index]);
}

QString shownCsvPath(const QString &path, bool output)
{
    if (path == u"-"_s)
        return output ? texts::kStandardOutput : texts::kStandardInput;
    return QDir::toNativeSeparators(path);
}

CsvInput openCsvInput(const QString &path)
{
    CsvInput input;
    auto file = std::make_unique<QFile>();
    if (path == u"-"_s) {
        if (!file->open(STDIN_FILENO, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            input.error = texts::kCsvCannotRead.arg(shownCsvPath(path, false), file->errorString());
            return input;
        }
        input.device = std::move(file);
        return input;
    }
    const QString shown = shownCsvPath(path, false);
    // Without blocking: a FIFO opened for reading would wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        input.error = texts::kCsvCannotRead.arg(shown, fileFailureReason(path, FileAccess::Read, errno));
        return input;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int errorNumber = errno;
        ::close(fd);
        const QString reason = S_ISDIR(status.st_mode) ? file_failure_texts::kIsFolder
            : status.st_mode != 0                      ? file_failure_texts::kNotRegularFile
                                  : fileFailureReason(path, FileAccess::Read, errorNumber);
        input.error = texts::kCsvCannotRead.arg(shown, reason);
        return input;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        input.error = texts::kCsvCannotRead.arg(shown, file_failure_texts::kUnknown);
        return input;
    }
    input.device = std::move(file);
    return input;
}

} // namespace karvo
