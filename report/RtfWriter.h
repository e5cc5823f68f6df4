#pragma once

#include "report/ReportDocument.h"

#include <QByteArray>

// Writes a ReportDocument as RTF, which Word and LibreOffice Writer both open,
// also under a .doc name. Text outside ASCII is written as Unicode escapes with
// a Windows-1251 fallback byte, so that old readers still show the Cyrillic.
// The page is A4; margins are rounded to the nearest twip (1,5 cm = 850).
namespace karvo {

QByteArray toRtf(const ReportDocument &document);

// Centimetres to twips, rounded to the nearest twip.
int twipsFromCentimetres(qreal centimetres);

} // namespace karvo
