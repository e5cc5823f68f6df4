#include "ChmDirectory.h"

namespace {

// Bounds-checked little-endian reads; every offset comes from the file itself.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    bool has(qint64 at, qint64 size) const { return at >= 0 && size >= 0 && at + size <= m_bytes.size(); }
    bool tagAt(qint64 at, const char (&tag)[5]) const
    {
        return has(at, 4) && m_bytes.mid(at, 4) == QByteArray(tag, 4);
    }
    // Byte by byte through at(): reading through constData() lets GCC's
    // sanitizer build see the shared empty array and refuse to compile.
    quint64 little(qint64 at, int size) const
    {
        quint64 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | quint8(m_bytes.at(at + i));
        return value;
    }
    quint32 u32(qint64 at) const { return quint32(little(at, 4)); }
    quint64 u64(qint64 at) const { return little(at, 8); }
    quint8 byte(qint64 at) const { return quint8(m_bytes.at(at)); }
    QByteArray slice(qint64 at, qint64 size) const { return m_bytes.mid(at, size); }

    // A variable-length integer of the directory: seven bits a byte, most
    // significant first, the high bit set on every byte but the last.
    std::optional<quint64> encint(qint64 &at, qint64 end) const
    {
        quint64 value = 0;
        for (int i = 0; i < 9 && at < end; ++i) {
            const quint8 b = byte(at++);
            value = (value << 7) | (b & 0x7f);
            if (!(b & 0x80))
                return value;
        }
        return std::nullopt;
    }

private:
    const QByteArray &m_bytes;
};

constexpr qint64 kDirectoryOffsetField = 0x48; // ITSF: offset of the ITSP header
constexpr qint64 kDirectoryLengthField = 0x50;
constexpr qint64 kContentOffsetField = 0x58; // ITSF version 3 only
constexpr qint64 kEntriesStart = 0x14; // PMGL: first entry

} // namespace

std::optional<QMap<QString, quint64>> chmDirectory(const QByteArray &file)
{
    const Reader in(file);
    if (!in.tagAt(0, "ITSF") || !in.has(kDirectoryOffsetField, 8))
        return std::nullopt;

    const qint64 itsp = qint64(in.u64(kDirectoryOffsetField));
    // Section 0 (stored as is, the compressed pages among it) starts here.
    const qint64 content = in.u32(4) >= 3 && in.has(kContentOffsetField, 8)
        ? qint64(in.u64(kContentOffsetField))
        : itsp + qint64(in.u64(kDirectoryLengthField));
    if (!in.tagAt(itsp, "ITSP") || !in.has(itsp, 0x30))
        return std::nullopt;
    const qint64 headerLength = in.u32(itsp + 0x08);
    const qint64 chunkSize = in.u32(itsp + 0x10);
    const qint64 chunkCount = in.u32(itsp + 0x2c);
    if (chunkSize < kEntriesStart || chunkCount <= 0 || !in.has(itsp + headerLength, chunkSize * chunkCount))
        return std::nullopt;

    QMap<QString, quint64> entries;
    for (qint64 n = 0; n < chunkCount; ++n) {
        const qint64 chunk = itsp + headerLength + n * chunkSize;
        if (!in.tagAt(chunk, "PMGL")) // index chunks (PMGI) repeat names only
            continue;
        const qint64 end = chunk + chunkSize - in.u32(chunk + 0x04);
        qint64 at = chunk + kEntriesStart;
        while (at < end) {
            const auto nameLength = in.encint(at, end);
            if (!nameLength || at + qint64(*nameLength) > end)
                return std::nullopt;
            const QString name = QString::fromUtf8(in.slice(at, qint64(*nameLength)));
            at += qint64(*nameLength);
            const auto section = in.encint(at, end);
            const auto offset = in.encint(at, end);
            const auto length = in.encint(at, end);
            if (!section || !offset || !length)
                return std::nullopt;
            // A cut-off file keeps its directory but loses the data behind it.
            if (*section == 0 && !in.has(content + qint64(*offset), qint64(*length)))
                return std::nullopt;
            entries.insert(name, *length);
        }
    }
    return entries;
}
