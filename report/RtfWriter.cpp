#include "report/RtfWriter.h"

#include <QStringDecoder>

#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace karvo {

namespace {

constexpr int kA4WidthTwips = 11906;
constexpr int kA4HeightTwips = 16838;
constexpr int kHexLineLength = 128;

// Families and character sets of the fonts the report uses; any other font is
// written as a Cyrillic font of no particular family.
struct FontRow
{
    const char *name;
    const char *family;
    int charset;
};
constexpr std::array kKnownFonts = {
    FontRow { "Times New Roman", "froman", 204 },
    FontRow { "Tahoma", "fswiss", 204 },
    FontRow { "Wingdings", "fnil", 2 },
};

// Unicode → Windows-1251 byte for the upper half of the code page.
const std::unordered_map<char16_t, uchar> &cp1251Bytes()
{
    static const std::unordered_map<char16_t, uchar> table = [] {
        std::unordered_map<char16_t, uchar> bytes;
        QStringDecoder decoder("windows-1251");
        if (!decoder.isValid())
            return bytes; // every fallback becomes '?'
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char in = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&in, 1));
            if (decoded.size() == 1 && decoded.front() != QChar::ReplacementCharacter)
                bytes.emplace(decoded.front().unicode(), uchar(byte));
        }
        return bytes;
    }();
    return table;
}

class Writer
{
public:
    explicit Writer(const ReportDocument &document)
        : m_document(document)
    {
        collectFontsAndColours();
    }

    QByteArray write()
    {
        m_out.reserve(16 * 1024);
        m_out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049\\uc1\n";
        writeFontTable();
        writeColourTable();
        // Without a generator LibreOffice reads the file as one of Word's and
        // widens every run of blanks, which the indented lines are made of.
        m_out += "{\\*\\generator karvo;}\n";
        writePage();
        const auto &paragraphs = m_document.paragraphs();
        for (const Paragraph &paragraph : paragraphs)
            writeParagraph(paragraph);
        m_out += "}\n";
        return m_out;
    }

private:
    void collectFontsAndColours()
    {
        m_fonts.push_back(kDefaultFont);
        auto note = [this](const CharFormat &format) {
            if (!format.font.isEmpty() && !m_fonts.contains(format.font))
                m_fonts.push_back(format.font);
            if (format.colour && !m_colours.contains(*format.colour))
                m_colours.push_back(*format.colour);
        };
        for (const Paragraph &paragraph : m_document.paragraphs()) {
            for (const Run &run : paragraph.runs)
                note(run.format);
            note(paragraph.markFormat);
        }
    }

    void writeFontTable()
    {
        m_out += "{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            const char *family = "fnil";
            int charset = 204;
            for (const FontRow &row : kKnownFonts) {
                if (m_fonts[i] == QLatin1StringView(row.name)) {
                    family = row.family;
                    charset = row.charset;
                }
            }
            m_out += "{\\f" + QByteArray::number(i) + '\\' + family + "\\fcharset"
                + QByteArray::number(charset) + ' ';
            writeText(m_fonts[i]);
            m_out += ";}";
        }
        m_out += "}\n";
    }

    void writeColourTable()
    {
        // Entry 0 is empty: the automatic colour.
        m_out += "{\\colortbl;";
        for (const QColor &colour : m_colours)
            m_out += "\\red" + QByteArray::number(colour.red()) + "\\green"
                + QByteArray::number(colour.green()) + "\\blue" + QByteArray::number(colour.blue()) + ';';
        m_out += "}\n";
    }

    void writePage()
    {
        const PageMargins &margins = m_document.pageMargins();
        m_out += "\\paperw" + QByteArray::number(kA4WidthTwips) + "\\paperh"
            + QByteArray::number(kA4HeightTwips) + "\\margl"
            + QByteArray::number(twipsFromCentimetres(margins.left)) + "\\margr"
            + QByteArray::number(twipsFromCentimetres(margins.right)) + "\\margt"
            + QByteArray::number(twipsFromCentimetres(margins.top)) + "\\margb"
            + QByteArray::number(twipsFromCentimetres(margins.bottom)) + "\n";
    }

    void writeParagraph(const Paragraph &paragraph)
    {
        static constexpr std::array alignments = { "\\ql", "\\qc", "\\qr" };
        m_out += "\\pard";
        m_out += alignments[std::size_t(paragraph.alignment)];
        m_current.reset();
        for (const Run &run : paragraph.runs) {
            writeFormat(run.format);
            if (run.picture)
                writePicture(*run.picture);
            else
                writeText(run.text);
        }
        if (paragraph.closed) {
            writeFormat(paragraph.markFormat);
            m_out += "\\par";
        }
        m_out += '\n';
    }

    void writeFormat(const CharFormat &format)
    {
        if (m_current == format)
            return;
        m_current = format;
        const qsizetype font = format.font.isEmpty() ? 0 : m_fonts.indexOf(format.font);
        m_out += "\\plain\\f" + QByteArray::number(font) + "\\fs"
            + QByteArray::number(qRound(format.pointSize * 2));
        if (format.bold)
            m_out += "\\b";
        if (format.italic)
            m_out += "\\i";
        if (format.colour)
            m_out += "\\cf" + QByteArray::number(m_colours.indexOf(*format.colour) + 1);
        m_out += ' ';
    }

    void writePicture(const Picture &picture)
    {
        m_out += "{\\pict\\pngblip\\picw" + QByteArray::number(picture.pixels.width()) + "\\pich"
            + QByteArray::number(picture.pixels.height()) + "\\picwgoal"
            + QByteArray::number(picture.twips.width()) + "\\pichgoal"
            + QByteArray::number(picture.twips.height()) + '\n';
        const QByteArray hex = picture.png.toHex();
        for (qsizetype at = 0; at < hex.size(); at += kHexLineLength)
            m_out += hex.mid(at, kHexLineLength) + '\n';
        m_out += '}';
    }

    void writeText(const QString &text)
    {
        const auto &fallbacks = cp1251Bytes();
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == u'\\' || u == u'{' || u == u'}') {
                m_out += '\\';
                m_out += char(u);
            } else if (u == u'\t') {
                m_out += "\\tab ";
            } else if (u == u'\n' || u == u'\r' || u == 0x2028) {
                m_out += "\\line ";
            } else if (u < 0x20) {
                // Other control characters have no place in a document.
            } else if (u < 0x80) {
                m_out += char(u);
            } else {
                // \uN takes a signed 16-bit number; the byte after it is what a
                // reader without Unicode shows instead.
                m_out += "\\u" + QByteArray::number(int(std::int16_t(u)));
                const auto fallback = fallbacks.find(u);
                if (fallback != fallbacks.end())
                    m_out += "\\'" + QByteArray::number(fallback->second, 16).rightJustified(2, '0');
                else
                    m_out += '?';
            }
        }
    }

    const ReportDocument &m_document;
    QStringList m_fonts;
    QList<QColor> m_colours;
    std::optional<CharFormat> m_current;
    QByteArray m_out;
};

} // namespace

int twipsFromCentimetres(qreal centimetres)
{
    return int(std::lround(centimetres * 1440 / 2.54));
}

QByteArray toRtf(const ReportDocument &document)
{
    return Writer(document).write();
}

} // namespace karvo
