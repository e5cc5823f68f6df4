#include "report/ReportDocument.h"

namespace karvo {

namespace {
void applyCharSettings(CharFormat &format, const BlockSettings &settings)
{
    if (settings.font)
        format.font = *settings.font;
    if (settings.pointSize)
        format.pointSize = *settings.pointSize;
    if (settings.bold)
        format.bold = *settings.bold;
    if (settings.italic)
        format.italic = *settings.italic;
    if (settings.colour)
        format.colour = settings.colour;
}
} // namespace

ReportDocument::ReportDocument()
    : m_paragraphs(1)
{
}

void ReportDocument::insertAfter(const QString &text)
{
    if (!text.isEmpty())
        m_paragraphs.back().runs.push_back(Run { text, std::nullopt, CharFormat {} });
}

void ReportDocument::insertPictureAfter(const Picture &picture)
{
    m_paragraphs.back().runs.push_back(Run { QString(), picture, CharFormat {} });
}

void ReportDocument::insertParagraphAfter()
{
    m_paragraphs.back().closed = true;
    m_paragraphs.emplace_back();
}

void ReportDocument::apply(const BlockSettings &settings)
{
    const std::size_t first = m_selectionStart.paragraph;
    for (std::size_t p = first; p < m_paragraphs.size(); ++p) {
        Paragraph &paragraph = m_paragraphs[p];
        const std::size_t firstRun = p == first ? m_selectionStart.run : 0;
        for (std::size_t r = firstRun; r < paragraph.runs.size(); ++r)
            applyCharSettings(paragraph.runs[r].format, settings);
        // A mark closed after the selection began lies inside it.
        if (paragraph.closed)
            applyCharSettings(paragraph.markFormat, settings);
    }

    if (!settings.alignment)
        return;
    // A selection that ends with a paragraph mark stops before the empty
    // paragraph that follows it, and does not touch it.
    std::size_t last = m_paragraphs.size() - 1;
    if (last > first && m_paragraphs[last].runs.empty())
        --last;
    for (std::size_t p = first; p <= last; ++p)
        m_paragraphs[p].alignment = *settings.alignment;
}

void ReportDocument::collapseToEnd()
{
    m_selectionStart = Position { m_paragraphs.size() - 1, m_paragraphs.back().runs.size() };
}

} // namespace karvo
