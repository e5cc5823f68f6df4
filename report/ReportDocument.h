#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

// The report's document model. It copies the editing style the report was
// designed around: pieces are appended to a growing selection, settings are
// applied to everything the selection covers, and a collapse to the end starts
// the next block. Every insertion happens at the end of the document, so the
// selection is always a tail of it: it runs from a start position to the end.
//
// Nothing is inherited: a character or paragraph property that no setting
// touched keeps the document default (automatic colour, regular, left, 12 pt,
// the default font), whatever the text before it looks like.
namespace karvo {

enum class Alignment { Left, Centre, Right };

// The document's default font, which a format with no font of its own shows.
inline const QString kDefaultFont = QStringLiteral("Times New Roman");

struct CharFormat
{
    QString font; // empty: kDefaultFont
    qreal pointSize = 12;
    bool bold = false;
    bool italic = false;
    std::optional<QColor> colour {}; // none: automatic

    bool operator==(const CharFormat &) const = default;
};

// The settings of one block; only the properties given are changed.
struct BlockSettings
{
    std::optional<QString> font {};
    std::optional<qreal> pointSize {};
    std::optional<bool> bold {};
    std::optional<bool> italic {};
    std::optional<QColor> colour {};
    std::optional<Alignment> alignment {};
};

// An embedded picture: PNG data and the size it is shown at.
struct Picture
{
    QByteArray png;
    QSize pixels;
    QSize twips;
};

struct Run
{
    QString text; // empty for a picture
    std::optional<Picture> picture;
    CharFormat format;
};

// Page margins in centimetres.
struct PageMargins
{
    qreal left = 2;
    qreal right = 2;
    qreal top = 2;
    qreal bottom = 2;
};

struct Paragraph
{
    std::vector<Run> runs;
    Alignment alignment = Alignment::Left;
    CharFormat markFormat; // the paragraph mark's own format
    bool closed = false; // ended by a paragraph mark; only the last one is open
};

class ReportDocument
{
public:
    ReportDocument();

    void insertAfter(const QString &text);
    void insertPictureAfter(const Picture &picture);
    void insertParagraphAfter();
    // Character settings reach every piece in the selection, paragraph marks
    // included; the alignment reaches every paragraph the selection touches.
    void apply(const BlockSettings &settings);
    void collapseToEnd();

    const std::vector<Paragraph> &paragraphs() const { return m_paragraphs; }

    void setPageMargins(const PageMargins &margins) { m_margins = margins; }
    const PageMargins &pageMargins() const { return m_margins; }

private:
    struct Position
    {
        std::size_t paragraph;
        std::size_t run;
    };
    PageMargins m_margins;
    std::vector<Paragraph> m_paragraphs;
    // The selection runs from here to the end of the document.
    Position m_selectionStart { 0, 0 };
};

} // namespace karvo
