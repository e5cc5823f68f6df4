// Feeds arbitrary bytes to the settings file and checks what its procedures
// promise: a value written reads back as the profile functions give it, every
// other key reads as before, and writing the same value again finds the key it
// just wrote instead of adding another. The first byte of the input chooses
// the section and key, the second the value; the rest is the file. A file
// with a UTF-8 byte-order mark, or of valid UTF-8 with non-ASCII bytes, holds
// UTF-8; any other Windows-1251.
#include "platform/Messages.h"
#include "storage/IniFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Sample
{
    QString written;
    QString read; // from a Windows-1251 file
    QString readUtf8;
};

const std::array<QString, 4> kSections { u"t"_s, u"ch"_s, u"dt"_s, u" T "_s };
const std::array<QString, 5> kKeys { u"tb"_s, u"kt1"_s, u"ch"_s, u"dt"_s, u"KO"_s };
const std::array<Sample, 8> kSamples { {
    { QString(), QString(), QString() },
    { u"0"_s, u"0"_s, u"0"_s },
    { u"Республика Башкортостан"_s, u"Республика Башкортостан"_s, u"Республика Башкортостан"_s },
    { u" 1,7\t"_s, u"1,7"_s, u"1,7"_s },
    { u"\"Уфа\""_s, u"Уфа"_s, u"Уфа"_s },
    { u"a=b;[c]"_s, u"a=b;[c]"_s, u"a=b;[c]"_s },
    { QString(300, u'z'), QString(255, u'z'), QString(255, u'z') },
    { u"日ё"_s, u"?ё"_s, u"日ё"_s },
} };

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QByteArray bytesOf(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool holdsUtf8(const QByteArray &bytes)
{
    if (bytes.startsWith("\xef\xbb\xbf"))
        return true;
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir dir;
    static const QString file = [] {
        karvo::setMessageHandler([](const QString &, const QString &) {});
        return dir.filePath(u"karvo.ini"_s);
    }();
    if (size < 2)
        return 0;
    const QString &section = kSections[data[0] % kSections.size()];
    const QString &key = kKeys[data[0] / kSections.size() % kKeys.size()];
    const Sample &sample = kSamples[data[1] % kSamples.size()];
    const QByteArray content(reinterpret_cast<const char *>(data) + 2, qsizetype(size - 2));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(content);
    }

    QStringList before;
    for (const QString &s : kSections) {
        for (const QString &k : kKeys)
            before << karvo::readIniValue(s, k, file);
    }

    if (!karvo::writeIniValue(section, key, sample.written, file))
        std::abort();
    const bool utf8 = holdsUtf8(bytesOf(file));
    if (karvo::readIniValue(section, key, file) != (utf8 ? sample.readUtf8 : sample.read))
        std::abort();
    // A Windows-1251 file whose only bytes that are not UTF-8 were in the
    // line just replaced reads as UTF-8 afterwards: the other lines keep
    // their bytes, but not their reading.
    if (utf8 != holdsUtf8(content))
        return 0;
    qsizetype i = 0;
    for (const QString &s : kSections) {
        for (const QString &k : kKeys) {
            const bool written = sameName(s, section) && sameName(k, key);
            if (!written && karvo::readIniValue(s, k, file) != before[i])
                std::abort();
            ++i;
        }
    }

    const QByteArray once = bytesOf(file);
    if (!karvo::writeIniValue(section, key, sample.written, file) || bytesOf(file) != once)
        std::abort();
    return 0;
}
