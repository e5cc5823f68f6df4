#include "journal/CsvWriter.h"

#include "journal/CsvReader.h"
#include "journal/JournalTexts.h"
#include "platform/FileFailure.h"

#include <QFile>
#include <QSaveFile>

#include <unistd.h>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = journal_texts;

constexpr QChar kSeparator = u';';
constexpr QChar kTextMark = u'\'';

bool runsAsFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t'
        || first == u'\r' || first == kTextMark;
}

} // namespace

QString csvField(const QString &text)
{
    const QString marked = runsAsFormula(text) ? kTextMark + text : text;
    if (!marked.contains(kSeparator) && !marked.contains(u'"') && !marked.contains(u'\n')
        && !marked.contains(u'\r'))
        return marked;
    QString escaped = marked;
    escaped.replace(u"\""_s, u"\"\""_s);
    return u'"' + escaped + u'"';
}

QString csvFieldText(const QString &field)
{
    return field.startsWith(kTextMark) ? field.mid(1) : field;
}

QString csvLine(const QStringList &texts)
{
    QString line;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            line += kSeparator;
        line += csvField(texts[i]);
    }
    return line + u"\r\n"_s;
}

CsvOutput::CsvOutput() = default;

CsvOutput::~CsvOutput()
{
    cancel();
}

bool CsvOutput::open(const QString &path)
{
    m_path = path;
    m_failed = false;
    m_written = 0;
    m_error.clear();
    const QString shown = shownCsvPath(path, true);
    if (path == u"-"_s) {
        auto out = std::make_unique<QFile>();
        if (!out->open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            m_error = texts::kCsvCannotWrite.arg(shown, out->errorString());
            return false;
        }
        m_file = std::move(out);
        return true;
    }
    // A device or a FIFO in its place would be replaced by a plain file.
    if (const std::optional<QString> refused = unwritableTargetReason(path)) {
        m_error = texts::kCsvCannotWrite.arg(shown, *refused);
        return false;
    }
    auto out = std::make_unique<QSaveFile>(path);
    errno = 0;
    if (!out->open(QIODevice::WriteOnly)
        || !out->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        m_error = texts::kCsvCannotWrite.arg(shown, fileFailureReason(path, FileAccess::Write, errno));
        out->cancelWriting();
        return false;
    }
    m_file = std::move(out);
    return true;
}

bool CsvOutput::write(const QString &text)
{
    if (!m_file || m_failed)
        return false;
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    if (m_file->write(bytes) != bytes.size()) {
        m_failed = true;
        m_error = texts::kCsvCannotWrite.arg(
            shownCsvPath(m_path, true), fileFailureReason(m_path, FileAccess::Write, errno, bytes.size()));
        return false;
    }
    m_written += bytes.size();
    return true;
}

bool CsvOutput::commit()
{
    if (!m_file)
        return false;
    const QString shown = shownCsvPath(m_path, true);
    errno = 0;
    // The explicit flush matters: a failed final flush inside commit() would
    // still rename a cut file over the earlier one.
    const bool flushed = !m_failed && m_file->flush() && m_file->error() == QFileDevice::NoError;
    const int errorNumber = errno;
    auto *saved = qobject_cast<QSaveFile *>(m_file.get());
    if (!flushed) {
        if (!m_failed)
            m_error = texts::kCsvCannotWrite.arg(
                shown, fileFailureReason(m_path, FileAccess::Write, errorNumber, m_written));
        cancel();
        return false;
    }
    if (saved && !saved->commit()) {
        m_error = texts::kCsvCannotWrite.arg(
            shown, fileFailureReason(m_path, FileAccess::Write, errno, m_written));
        m_file.reset();
        return false;
    }
    m_file.reset();
    return true;
}

void CsvOutput::cancel()
{
    if (auto *saved = qobject_cast<QSaveFile *>(m_file.get()))
        saved->cancelWriting();
    m_file.reset();
}

} // namespace karvo
