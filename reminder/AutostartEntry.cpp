#include "reminder/AutostartEntry.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// Inside a quoted argument these four keep their meaning unless escaped.
bool needsQuotingEscape(QChar c)
{
    return c == u'"' || c == u'`' || c == u'$' || c == u'\\';
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

} // namespace

std::optional<QString> desktopExecValue(const QString &program)
{
    // Layer 1: one quoted argument. Layer 2: "%" would start a field code.
    QString argument = u"\""_s;
    for (const QChar c : program) {
        if (needsQuotingEscape(c))
            argument += u'\\';
        if (c == u'%')
            argument += u'%';
        argument += c;
    }
    argument += u'"';

    // Layer 3, applied last and undone first: the escapes of every string value.
    QString value;
    for (const QChar c : std::as_const(argument)) {
        switch (c.unicode()) {
        case u'\\':
            value += u"\\\\"_s;
            break;
        case u'\n':
            value += u"\\n"_s;
            break;
        case u'\t':
            value += u"\\t"_s;
            break;
        case u'\r':
            value += u"\\r"_s;
            break;
        default:
            if (isControl(c))
                return std::nullopt;
            value += c;
        }
    }
    return value;
}

std::optional<QByteArray> autostartEntry(const QString &program)
{
    const std::optional<QString> exec = desktopExecValue(program);
    if (!exec)
        return std::nullopt;
    const QString text = u"[Desktop Entry]\n"
                         u"Type=Application\n"
                         u"Name=karvo\n"
                         u"Exec="_s
        + *exec + u"\nNoDisplay=true\n"_s;
    return text.toUtf8();
}

} // namespace karvo
