#pragma once

#include "report/ReportBuilder.h"
#include "report/ReportDocument.h"

#include <vector>

// The report as data: thirty blocks, each a run of pieces, the settings then
// applied to the whole block and the paragraph breaks appended after them.
namespace karvo {

struct ReportPiece
{
    enum class Kind { Text, ParagraphBreak, Picture };
    Kind kind;
    QString text;
};

struct ReportBlock
{
    std::vector<ReportPiece> pieces {};
    BlockSettings settings {};
    int breaksAfterSettings = 0;
};

std::vector<ReportBlock> reportBlocks(const ReportInputs &inputs);

} // namespace karvo
