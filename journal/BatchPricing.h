#pragma once

#include "journal/CsvReader.h"
#include "model/Calculation.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// Pricing a list of vehicles: each row of a CSV in the journal's format is one
// calculation, made by the operations the windows run, in the order of the
// steps. A choice column holds the code the journal writes or the text a
// window shows; a coefficient column that is filled is taken as typed into
// its window; the first step the windows would not leave, or "Расчет", says
// why a row has no Т. No widget and no file: rows in, calculations out.
namespace karvo {

struct PricedRow
{
    // The row walked through the steps, Т set when priced; nothing when the
    // row cannot be read.
    std::optional<Calculation> calculation;
    QDateTime time; // the row's "Дата"; invalid when the row leaves it empty
    QString note; // the row's "Примечание"
    // Empty when priced; else the sentence a window would show, or which
    // column cannot be read and why.
    QString error;
};

class BatchPricer
{
public:
    explicit BatchPricer(const CsvHeader &header);

    // Whether the header names any choice column of the journal: a file
    // without one is not a list of vehicles.
    bool isList() const;

    PricedRow price(const CsvRecord &record) const;

private:
    const CsvHeader &m_header;
    std::vector<int> m_inputColumns; // per journalInputFields(): its column, or -1
};

// The text that stands for each choice in a list, the way a user reads it:
// what the journal window or the step shows, shortened where the step's
// caption is a paragraph. The examples of the template are written with
// these.
QString registrationText(RegistrationCase registration);
QString vehicleGroupText(VehicleGroup group);
QString contractKindText(ContractKind kind);
QString driversText(DriversLimit drivers);

// A row of a list, in the columns of csvTitles(), that makes `calculation`
// again: its choices in the texts above, the rest of the columns empty.
QStringList listTexts(const Calculation &calculation, const QString &note);

} // namespace karvo
