#pragma once

#include "journal/JournalEntry.h"

#include <QDateTime>

// Entries as the calculator writes them, for the tests, the bench and the
// screenshot. Every text is one a step window shows.
namespace karvo::samples {

struct Calculation
{
    QString category = QStringLiteral("3");
    QString region = QStringLiteral("Москва");
    QString townGroup = QStringLiteral("Москва");
    QString owner = QStringLiteral("1");
    QString registration = QStringLiteral("4");
    QString kbm = QStringLiteral("0,95");
    QString t = QStringLiteral("3564");
    QString note = {};
    QDateTime time = QDateTime(QDate(2026, 12, 7), QTime(9, 5));
};

inline JournalEntry entry(const Calculation &c = {})
{
    JournalEntry e;
    e.time = c.time;
    StoredInputs &in = e.inputs;
    in.category = c.category;
    in.region = c.region;
    in.townGroup = c.townGroup;
    in.ktVariant = QStringLiteral("17");
    in.contractKind = QStringLiteral("11");
    in.startClass = QStringLiteral("4");
    in.ko = QStringLiteral("1");
    in.kvs = QStringLiteral("3");
    in.km = QStringLiteral("2");
    in.period = QStringLiteral("1 год");
    in.ks = QStringLiteral("1");
    in.owner = c.owner;
    in.registration = c.registration;
    in.vehicleGroup = QStringLiteral("7");
    e.coefficients = { QStringLiteral("1980"), QStringLiteral("2"), c.kbm, QStringLiteral("1"),
        QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString(), QStringLiteral("1") };
    e.t = c.t;
    e.note = c.note;
    return e;
}

} // namespace karvo::samples
