#include "notes/NoteLinks.h"

#include "platform/DesktopOpener.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

QString noteFile(Note note)
{
    static const std::array<QString, 9> files = { u"k/tb.txt"_s, u"k/kt.txt"_s, u"k/kbm.txt"_s, u"k/ko.txt"_s,
        u"k/kvs.txt"_s, u"k/km.txt"_s, u"k/ks.txt"_s, u"k/kp.txt"_s, u"k/739.chm"_s };
    return files[std::size_t(note)];
}

QUrl mailUrl(const QString &address)
{
    QUrl url;
    url.setScheme(u"mailto"_s);
    url.setPath(address);
    QUrlQuery query;
    query.addQueryItem(u"Subject"_s, kMailSubject);
    url.setQuery(query);
    return url;
}

void openNote(Note note, const TellUser &tell)
{
    const QString path = programFile(noteFile(note));
    const bool decree = note == Note::Decree;
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        if (tell)
            tell((decree ? kDecreeMissing : kNoteMissing) + shown);
        return;
    }
    openWithDesktop(QUrl::fromLocalFile(path),
        tellingFailure(tell, (decree ? kDecreeNotOpened : kNoteNotOpened) + shown));
}

void openMail(const QString &address, const TellUser &tell)
{
    openWithDesktop(mailUrl(address), tellingFailure(tell, kMailNotOpened + address));
}

void openSite(const QString &address, const TellUser &tell)
{
    openWithDesktop(QUrl::fromUserInput(address), tellingFailure(tell, kSiteNotOpened + address));
}

} // namespace karvo
