#include "report/ReportBuilder.h"

#include "model/BaseTariffs.h"
#include "model/PremiumFormula.h"
#include "platform/DesktopOpener.h"
#include "platform/FileFailure.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFiles.h"
#include "report/ReportBlocks.h"
#include "report/RtfWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

namespace {

// Left, right, top and bottom, in centimetres.
constexpr PageMargins kReportMargins { 3, 1.5, 2, 2 };

// A GIF has no resolution of its own; like the word processor, show it at
// 96 dpi, 15 twips to the pixel.
constexpr int kTwipsPerPixel = 15;

std::optional<Picture> loadPicture(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QImage image(path);
    if (image.isNull())
        return std::nullopt;
    Picture picture;
    QBuffer buffer(&picture.png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    picture.pixels = image.size();
    picture.twips = image.size() * kTwipsPerPixel;
    return picture;
}

ReportDocument layOut(const ReportInputs &inputs)
{
    ReportDocument document;
    document.setPageMargins(kReportMargins);
    const std::optional<Picture> picture = loadPicture(inputs.picturePath);
    for (const ReportBlock &block : reportBlocks(inputs)) {
        for (const ReportPiece &piece : block.pieces) {
            switch (piece.kind) {
            case ReportPiece::Kind::Text:
                document.insertAfter(piece.text);
                break;
            case ReportPiece::Kind::ParagraphBreak:
                document.insertParagraphAfter();
                break;
            case ReportPiece::Kind::Picture:
                if (picture)
                    document.insertPictureAfter(*picture);
                break;
            }
        }
        document.apply(block.settings);
        for (int i = 0; i < block.breaksAfterSettings; ++i)
            document.insertParagraphAfter();
        document.collapseToEnd();
    }
    return document;
}

} // namespace

QString reportPath()
{
    return userFilePath(UserFile::Report);
}

QString reportPicturePath()
{
    return programFile(u"k/astr.gif"_s);
}

void openReport(const TellUser &tell)
{
    const QString path = reportPath();
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        if (tell)
            tell(kReportMissing + shown);
        return;
    }
    // The user asked for the report: when nothing opens it, they learn where it is.
    openWithDesktop(QUrl::fromLocalFile(path), tellingFailure(tell, kReportNotOpened + shown));
}

ReportInputs reportInputsOf(const Calculation &sheet, const QString &dateText)
{
    ReportInputs inputs;
    inputs.tbTitle = kBaseTariffsTitle;
    inputs.tb = sheet.coefficient(Coefficient::Tb);
    inputs.kt = sheet.coefficient(Coefficient::Kt);
    inputs.kbm = sheet.coefficient(Coefficient::Kbm);
    inputs.ko = sheet.coefficient(Coefficient::Ko);
    inputs.kvs = sheet.coefficient(Coefficient::Kvs);
    inputs.km = sheet.coefficient(Coefficient::Km);
    inputs.ks = sheet.coefficient(Coefficient::Ks);
    inputs.kp = sheet.coefficient(Coefficient::Kp);
    inputs.kn = sheet.coefficient(Coefficient::Kn);
    inputs.t = sheet.premium;
    inputs.foreignRegistered = sheet.foreignRegistered;
    inputs.dateText = dateText;
    inputs.timeText = sheet.startTime;
    inputs.picturePath = reportPicturePath();
    if (const std::optional<PremiumBreakdown> breakdown = explainPremium(sheet))
        inputs.maximumWarning = maximumWarning(*breakdown);
    return inputs;
}

QByteArray buildReport(const ReportInputs &inputs)
{
    return toRtf(layOut(inputs));
}

bool writeReport(const QString &path, const ReportInputs &inputs, QString *error)
{
    // A FIFO, a device or a folder at the path is refused before anything is
    // written; a full disk or a read-only folder is named as such.
    const std::optional<QString> cause = replaceFile(path, buildReport(inputs));
    if (cause && error)
        *error = u"не удалось записать файл %1 (%2)"_s.arg(QDir::toNativeSeparators(path), *cause);
    return !cause;
}

} // namespace karvo
