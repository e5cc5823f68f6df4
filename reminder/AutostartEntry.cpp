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

// Layer 1: one quoted argument. Layer 2: "%" would start a field code.
QString quotedArgument(const QString &text)
{
    QString argument = u"\""_s;
    for (const QChar c : text) {
        if (needsQuotingEscape(c))
            argument += u'\\';
        if (c == u'%')
            argument += u'%';
        argument += c;
    }
    argument += u'"';
    return argument;
}

// Layer 3, applied last and undone first: the escapes of every string value.
std::optional<QString> stringValue(const QString &text)
{
    QString value;
    for (const QChar c : text) {
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

} // namespace

// The program is not the command's first word. GLib, which GNOME uses to read
// autostart entries, splits Exec into words before it expands field codes and
// drops the whole entry unless the first word names an existing program, so a
// folder with "%" in its name (spelled "%%") would make the entry invalid and
// the reminder would never fire. The first word is therefore a POSIX utility
// found in every PATH that runs its operands as a command and changes nothing
// else: "nice -n 0" (an increment of 0 keeps the priority). One spelling for
// every folder; TryExec still names the program. The alternatives fail on
// folder names that are just as valid: env takes any word with "=" for a
// variable to set, and sh -c 'exec "$0"' needs a "$" in Exec, which the
// autostart generator of systemd 252 (KDE Plasma's log-on start) passes on
// with its backslash.
std::optional<QString> desktopExecValue(const QString &program)
{
    return stringValue(u"nice -n 0 "_s + quotedArgument(program));
}

std::optional<QString> desktopTryExecValue(const QString &program)
{
    return stringValue(program);
}

std::optional<QByteArray> autostartEntry(const QString &program)
{
    const std::optional<QString> exec = desktopExecValue(program);
    const std::optional<QString> tryExec = desktopTryExecValue(program);
    if (!exec || !tryExec)
        return std::nullopt;
    const QString text = u"[Desktop Entry]\n"
                         u"Type=Application\n"
                         u"Name=karvo\n"
                         u"TryExec="_s
        + *tryExec + u"\nExec="_s + *exec + u"\nNoDisplay=true\n"_s;
    return text.toUtf8();
}

} // namespace karvo
