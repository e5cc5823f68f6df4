#include "report/ReportBlocks.h"

#include "notes/NoteLinks.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

namespace {

const QColor kBlue(0, 0, 255);
const QString kTahoma = u"Tahoma"_s;
const QString kTimes = u"Times New Roman"_s;
const QString kWingdings = u"Wingdings"_s;
const QString kRule = u"=========================================================="_s;

const ReportPiece kBreak { ReportPiece::Kind::ParagraphBreak, {} };
const ReportPiece kPicture { ReportPiece::Kind::Picture, {} };

ReportPiece text(const QString &text)
{
    return { ReportPiece::Kind::Text, text };
}

// The digits 1 to 9 white on a black disc, which the Wingdings font of the
// original showed from its own codes 0x8C … 0x94.
ReportPiece bullet(int number)
{
    return text(QString(QChar(0x2776 + number - 1)));
}

// The settings the blocks share.
const BlockSettings kBulletFont { .font = kWingdings };
const BlockSettings kEntry { .font = kTimes, .pointSize = 11 };
const BlockSettings kRuleLine { .font = kTimes, .alignment = Alignment::Left };
const BlockSettings kTahomaBoldLeft {
    .font = kTahoma, .pointSize = 10, .bold = true, .alignment = Alignment::Left
};

QString termLine(const ReportInputs &in)
{
    static const QString head
        = u" Коэффициенты страховых тарифов в зависимости от срока страхования (КП) = "_s;
    return in.foreignRegistered ? head + in.kp : head + u"исключен"_s;
}

} // namespace

std::vector<ReportBlock> reportBlocks(const ReportInputs &in)
{
    std::vector<ReportBlock> blocks = {
        // 1: the picture and the title
        { { kPicture, kBreak, kBreak, text(u"Страховые тарифы по обязательному страхованию гражданской"_s),
              text(u" ответственности владельцев транспортных средств"_s) },
            { .font = kTahoma,
                .pointSize = 12,
                .bold = true,
                .colour = kBlue,
                .alignment = Alignment::Centre },
            2 },
        // 2: the decree
        { { kBreak, kBreak, kBreak, text(u"УТВЕРЖДЕНЫ"_s), kBreak, text(u"постановлением Правительства"_s),
              kBreak, text(u"Российской Федерации"_s), kBreak, text(u"от 8 декабря 2005 г. № 739"_s), kBreak,
              text(u"(в ред. Постановлений Правительства РФ от 21.06.2007 N 390,"_s), kBreak,
              text(u"от 29.02.2008 N 130, от 10.03.2009 N 225, от 13.07.2011 N 574)"_s) },
            kTahomaBoldLeft },
        // 3
        { { kBreak, kBreak, text(kRule), kBreak, kBreak }, { .font = kTimes } },
        // 4, 5: ТБ
        { { bullet(1) }, kBulletFont },
        { { text(in.tbTitle + u" = "_s + in.tb) }, kEntry },
        // 6, 7: КТ
        { { kBreak, bullet(2) }, kBulletFont },
        { { text(u"Коэффициент страховых тарифов в зависимости от территории преимущественного"_s), kBreak,
              text(u"    использования транспортного средства  (КТ) =  "_s + in.kt) },
            kEntry },
        // 8, 9: КБМ
        { { kBreak, bullet(3) }, kBulletFont },
        { { text(
                u" Коэффициенты страховых тарифов в зависимости от наличия или отсутствия страховых выплат"_s),
              kBreak,
              text(u"     при наступлении страховых случаев, произошедших по вине страхователя (владельца"_s),
              kBreak,
              text(
                  u"     транспортного средства) в период действия предыдущих договоров обязательного страхования"_s),
              kBreak, text(u"     (КБМ) = "_s + in.kbm), kBreak },
            kEntry },
        // 10, 11: KO, in Latin letters
        { { bullet(4) }, kBulletFont },
        { { text(u" Коэффициенты страховых тарифов в зависимости от количества лиц, допущенных к"_s), kBreak,
              text(u"     управлению транспортным средством (KO) = "_s + in.ko), kBreak },
            kEntry },
        // 12, 13: КВС
        { { bullet(5) }, kBulletFont },
        { { text(u" Коэффициенты страховых тарифов в зависимости от возраста и стажа водителя (КВС) = "_s
                + in.kvs),
              kBreak },
            kEntry },
        // 14, 15: KM, in Latin letters
        { { bullet(6) }, kBulletFont },
        { { text(u" Коэффициенты страховых тарифов в зависимости от мощности двигателя (KM) = "_s + in.km),
              kBreak },
            kEntry },
        // 16, 17: KC, in Latin letters
        { { bullet(7) }, kBulletFont },
        { { text(u" Коэффициенты страховых тарифов в зависимости от периода использования транспортного"_s),
              kBreak, text(u"     средства (KC) = "_s + in.ks), kBreak },
            kEntry },
        // 18, 19: КП
        { { bullet(8) }, kBulletFont },
        { { text(termLine(in)), kBreak }, kEntry },
        // 20 … 23: KH, in Latin letters, with the law's title in bold italic
        { { bullet(9) }, kBulletFont },
        { { text(u" Коэффициент при наличии нарушений, предусмотренных пунктом 3 статьи 9 Федерального"_s),
              kBreak, text(u"     закона "_s) },
            { .font = kTimes, .pointSize = 11, .italic = false } },
        { { text(u"Об обязательном страховании гражданской ответственности владельцев"_s), kBreak,
              text(u"     транспортных средств "_s) },
            { .font = kTimes, .pointSize = 11, .bold = true, .italic = true } },
        { { text(u"(KH) ="_s + in.kn) },
            { .font = kTimes, .pointSize = 11, .bold = false, .italic = false } },
        // 24, 25: the premium
        { { kBreak, kBreak, text(kRule) }, kRuleLine },
        { { kBreak, kBreak, text(u"ИТОГО: "_s + in.t + u"  рублей"_s) }, kTahomaBoldLeft },
        // 26, 27: the author
        { { kBreak, kBreak, text(kRule) }, kRuleLine },
        { { kBreak, kBreak, text(kAuthorSite), kBreak, text(kAuthorEmail) },
            { .font = kTahoma,
                .pointSize = 10,
                .bold = true,
                .colour = kBlue,
                .alignment = Alignment::Left } },
        // 28, 29: date and time
        { { kBreak, kBreak, text(kRule) }, kRuleLine },
        { { kBreak, kBreak, text(in.dateText), kBreak, text(in.timeText) }, kTahomaBoldLeft, 1 },
        // 30: the rights notice at the foot
        { { kBreak, kBreak, kBreak, kBreak, kBreak, kBreak, text(kRightsNotice) },
            { .font = kTimes, .pointSize = 8, .alignment = Alignment::Right } },
    };
    // A Т above the legal maximum carries the window's warning right after
    // the total, so that the paper says what the screen said.
    constexpr std::size_t kAfterTotal = 25;
    if (!in.maximumWarning.isEmpty())
        blocks.insert(blocks.begin() + kAfterTotal, { { kBreak, text(in.maximumWarning) }, kTahomaBoldLeft });
    return blocks;
}

} // namespace karvo
