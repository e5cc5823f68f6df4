#pragma once

#include "notes/NoteLinks.h"
#include "report/ReportBuilder.h"

#include <QStringList>

// Inputs of two typical reports and the paragraphs a reader must show for
// them, written paragraph by paragraph rather than block by block.
namespace report_samples {

using namespace Qt::Literals::StringLiterals;

inline const QString kPicture = QStringLiteral(KARVO_SOURCE_DIR "/k/astr.gif");

// A foreign-registered vehicle with every value set, or a domestic one before
// "Расчет" was pressed (Т still empty).
inline karvo::ReportInputs sampleInputs(bool foreign)
{
    karvo::ReportInputs in;
    in.tbTitle = u"Базовые страховые тарифы (ТБ)"_s;
    in.tb = u"1980"_s;
    in.kt = u"1,7"_s;
    in.kbm = u"0,95"_s;
    in.ko = u"1"_s;
    in.kvs = u"1,8"_s;
    in.km = u"1,1"_s;
    in.ks = foreign ? u"0,2"_s : u"1"_s;
    in.kp = u"0,5"_s;
    in.kn = u"1,5"_s;
    in.t = foreign ? u"1205,05"_s : QString();
    in.foreignRegistered = foreign;
    in.dateText = u"14.02.2012"_s;
    in.timeText = u"9:05"_s;
    in.picturePath = kPicture;
    return in;
}

inline QStringList expectedParagraphs(const karvo::ReportInputs &in)
{
    const QString rule = u"=========================================================="_s;
    const QString kp = in.foreignRegistered ? in.kp : u"исключен"_s;
    QStringList paragraphs = {
        QString(), // the picture
        QString(),
        u"Страховые тарифы по обязательному страхованию гражданской ответственности владельцев транспортных средств"_s,
        QString(),
        QString(),
        QString(),
        QString(),
        u"УТВЕРЖДЕНЫ"_s,
        u"постановлением Правительства"_s,
        u"Российской Федерации"_s,
        u"от 8 декабря 2005 г. № 739"_s,
        u"(в ред. Постановлений Правительства РФ от 21.06.2007 N 390,"_s,
        u"от 29.02.2008 N 130, от 10.03.2009 N 225, от 13.07.2011 N 574)"_s,
        QString(),
        rule,
        QString(),
        u"❶Базовые страховые тарифы (ТБ) = "_s + in.tb,
        u"❷Коэффициент страховых тарифов в зависимости от территории преимущественного"_s,
        u"    использования транспортного средства  (КТ) =  "_s + in.kt,
        u"❸ Коэффициенты страховых тарифов в зависимости от наличия или отсутствия страховых выплат"_s,
        u"     при наступлении страховых случаев, произошедших по вине страхователя (владельца"_s,
        u"     транспортного средства) в период действия предыдущих договоров обязательного страхования"_s,
        u"     (КБМ) = "_s + in.kbm,
        u"❹ Коэффициенты страховых тарифов в зависимости от количества лиц, допущенных к"_s,
        u"     управлению транспортным средством (KO) = "_s + in.ko,
        u"❺ Коэффициенты страховых тарифов в зависимости от возраста и стажа водителя (КВС) = "_s + in.kvs,
        u"❻ Коэффициенты страховых тарифов в зависимости от мощности двигателя (KM) = "_s + in.km,
        u"❼ Коэффициенты страховых тарифов в зависимости от периода использования транспортного"_s,
        u"     средства (KC) = "_s + in.ks,
        u"❽ Коэффициенты страховых тарифов в зависимости от срока страхования (КП) = "_s + kp,
        u"❾ Коэффициент при наличии нарушений, предусмотренных пунктом 3 статьи 9 Федерального"_s,
        u"     закона Об обязательном страховании гражданской ответственности владельцев"_s,
        u"     транспортных средств (KH) ="_s + in.kn,
        QString(),
        rule,
        QString(),
        u"ИТОГО: "_s + in.t + u"  рублей"_s,
        QString(),
        rule,
        QString(),
        karvo::kAuthorSite,
        karvo::kAuthorEmail,
        QString(),
        rule,
        QString(),
        in.dateText,
        in.timeText,
        QString(),
        QString(),
        QString(),
        QString(),
        QString(),
        QString(),
        karvo::kRightsNotice,
    };
    if (!in.maximumWarning.isEmpty())
        paragraphs.insert(paragraphs.indexOf(u"ИТОГО: "_s + in.t + u"  рублей"_s) + 1, in.maximumWarning);
    return paragraphs;
}

} // namespace report_samples
