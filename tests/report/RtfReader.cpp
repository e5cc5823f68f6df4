#include "report/RtfReader.h"

#include <QStringDecoder>

#include <cctype>
#include <stack>

QString ReadParagraph::text() const
{
    QString all;
    for (const ReadRun &run : runs)
        all += run.text;
    return all;
}

namespace {

enum class Destination { Body, FontTable, ColourTable, Picture, Skipped };

struct State
{
    Destination destination = Destination::Body;
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    int colour = 0;
    int skipAfterUnicode = 1;
};

class Reader
{
public:
    Reader(const QByteArray &rtf, UnicodeEscapes escapes)
        : m_rtf(rtf)
        , m_escapes(escapes)
    {
        m_document.paragraphs.emplace_back();
    }

    ReadDocument read()
    {
        while (m_at < m_rtf.size()) {
            const char c = m_rtf[m_at++];
            if (c == '{') {
                m_states.push(m_states.top());
            } else if (c == '}') {
                endGroup();
            } else if (c == '\\') {
                controlWord();
            } else if (c != '\n' && c != '\r') {
                character(QString(QChar::fromLatin1(c)));
            }
        }
        return m_document;
    }

private:
    State &state() { return m_states.top(); }
    char peek() const { return m_at < m_rtf.size() ? m_rtf.at(m_at) : '\0'; }

    void endGroup()
    {
        if (state().destination == Destination::Picture) {
            ReadRun run = currentRun();
            run.picture = QByteArray::fromHex(m_pictureHex);
            m_document.paragraphs.back().runs.push_back(run);
            m_pictureHex.clear();
        }
        m_states.pop();
    }

    void controlWord()
    {
        const char first = peek();
        if (first == '\'') {
            const char byte = char(m_rtf.mid(m_at + 1, 2).toInt(nullptr, 16));
            m_at += 3;
            character(QStringDecoder("windows-1251").decode(QByteArrayView(&byte, 1)));
            return;
        }
        if (!std::isalpha(uchar(first))) {
            ++m_at;
            if (first == '*')
                state().destination = Destination::Skipped;
            else
                character(QString(QChar::fromLatin1(first)));
            return;
        }
        const qsizetype start = m_at;
        while (std::isalpha(uchar(peek())))
            ++m_at;
        const QByteArray word = m_rtf.mid(start, m_at - start);
        const qsizetype numberStart = m_at;
        if (peek() == '-')
            ++m_at;
        while (std::isdigit(uchar(peek())))
            ++m_at;
        const bool hasNumber = m_at > numberStart;
        const int number = m_rtf.mid(numberStart, m_at - numberStart).toInt();
        if (peek() == ' ')
            ++m_at;
        if (hasNumber && !m_document.header.contains(word))
            m_document.header.insert(word, number);
        apply(word, hasNumber ? number : -1, hasNumber);
    }

    void apply(const QByteArray &word, int number, bool hasNumber)
    {
        State &s = state();
        if (word == "fonttbl")
            s.destination = Destination::FontTable;
        else if (word == "colortbl")
            s.destination = Destination::ColourTable;
        else if (word == "pict")
            s.destination = Destination::Picture;
        else if (word == "f")
            s.font = number;
        else if (word == "fs")
            s.halfPoints = number;
        else if (word == "b")
            s.bold = !hasNumber || number != 0;
        else if (word == "i")
            s.italic = !hasNumber || number != 0;
        else if (word == "cf")
            s.colour = number;
        else if (word == "red")
            m_colour.setRed(number);
        else if (word == "green")
            m_colour.setGreen(number);
        else if (word == "blue")
            m_colour.setBlue(number);
        else if (word == "uc")
            s.skipAfterUnicode = number;
        else if (word == "plain")
            s = State { s.destination, 0, 24, false, false, 0, s.skipAfterUnicode };
        else if (word == "pard")
            m_document.paragraphs.back().alignment = 'l';
        else if (word == "ql" || word == "qc" || word == "qr")
            m_document.paragraphs.back().alignment = word[1];
        else if (word == "par")
            newParagraph();
        else if (word == "line")
            character(QStringLiteral("\n"));
        else if (word == "tab")
            character(QStringLiteral("\t"));
        else if (word == "u" && m_escapes == UnicodeEscapes::Read) {
            character(QString(QChar(char16_t(number))));
            m_skip = s.skipAfterUnicode;
        }
    }

    // Paragraph properties carry over until the next \pard.
    void newParagraph()
    {
        const char alignment = m_document.paragraphs.back().alignment;
        m_document.paragraphs.emplace_back().alignment = alignment;
    }

    void character(const QString &text)
    {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (state().destination) {
        case Destination::Body: {
            auto &runs = m_document.paragraphs.back().runs;
            ReadRun run = currentRun();
            if (!runs.empty() && runs.back().picture.isEmpty() && sameFormat(runs.back(), run))
                runs.back().text += text;
            else
                runs.push_back({ text, {}, run.font, run.pointSize, run.bold, run.italic, run.colour });
            break;
        }
        case Destination::FontTable:
            if (text == u";") {
                m_fonts.insert(state().font, m_fontName.trimmed());
                m_fontName.clear();
            } else {
                m_fontName += text;
            }
            break;
        case Destination::ColourTable:
            if (text == u";") {
                m_colours.push_back(m_colour);
                m_colour = QColor(0, 0, 0);
            }
            break;
        case Destination::Picture:
            m_pictureHex += text.toLatin1().trimmed();
            break;
        case Destination::Skipped:
            break;
        }
    }

    ReadRun currentRun() const
    {
        const State &s = m_states.top();
        ReadRun run;
        run.font = m_fonts.value(s.font);
        run.pointSize = s.halfPoints / 2.0;
        run.bold = s.bold;
        run.italic = s.italic;
        // Entry 0 of the colour table is the automatic colour.
        if (s.colour > 0 && s.colour < qsizetype(m_colours.size()))
            run.colour = m_colours[std::size_t(s.colour)];
        return run;
    }

    static bool sameFormat(const ReadRun &a, const ReadRun &b)
    {
        return a.font == b.font && a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic
            && a.colour == b.colour;
    }

    const QByteArray m_rtf;
    const UnicodeEscapes m_escapes;
    qsizetype m_at = 0;
    std::stack<State> m_states { { State {} } };
    int m_skip = 0;
    QHash<int, QString> m_fonts;
    QString m_fontName;
    std::vector<QColor> m_colours;
    QColor m_colour { 0, 0, 0 };
    QByteArray m_pictureHex;
    ReadDocument m_document;
};

} // namespace

ReadDocument readRtf(const QByteArray &rtf, UnicodeEscapes escapes)
{
    return Reader(rtf, escapes).read();
}
