#include "journal/BatchCommand.h"

#include "journal/BatchPricing.h"
#include "journal/BatchTexts.h"
#include "journal/CsvReader.h"
#include "journal/CsvWriter.h"
#include "journal/JournalCsv.h"
#include "journal/JournalTexts.h"
#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/Money.h"
#include "model/StepChoices.h"
#include "model/TermAndViolation.h"

#include "model/TerritoryTable.h"

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = batch_texts;

const QString kCalculateOption = u"--calculate"_s;
const QString kTemplateOption = u"--calculate-template"_s;

// Where each column of the output comes from: a column of the journal's CSV,
// made from the row's calculation, and otherwise the input's own field.
struct OutputColumns
{
    QStringList titles;
    QList<int> journalColumn; // per output column: its position in csvTitles(), or -1
    QList<int> inputColumn; // per output column: its position in the input, or -1
    int errorColumn = -1;
};

OutputColumns outputColumnsOf(const CsvHeader &header)
{
    const QStringList journal = csvTitles();
    const CsvHeader journalHeader(journal);
    OutputColumns out;
    QList<bool> used(journal.size(), false);
    QHash<QString, int> seen;
    for (int i = 0; i < header.titles().size(); ++i) {
        const QString &title = header.titles()[i];
        const int position = journalHeader.indexOf(title, seen[title]++);
        out.titles << title;
        out.inputColumn << i;
        out.journalColumn << position;
        if (position >= 0)
            used[position] = true;
        if (title == texts::kErrorTitle && out.errorColumn < 0)
            out.errorColumn = i;
    }
    // A list that lacks columns of the journal gets them, so that the output
    // goes into the journal as it is.
    for (int position = 0; position < journal.size(); ++position) {
        if (used[position])
            continue;
        out.titles << journal[position];
        out.inputColumn << -1;
        out.journalColumn << position;
    }
    if (out.errorColumn < 0) {
        out.errorColumn = int(out.titles.size());
        out.titles << texts::kErrorTitle;
        out.inputColumn << -1;
        out.journalColumn << -1;
    }
    return out;
}

bool allEmpty(const CsvRecord &record)
{
    for (const QString &field : record.fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return record.problem == CsvRecord::Problem::None;
}

CommandLineOutcome failure(const QString &reason)
{
    return { false, 1, {}, journal_texts::kCommandFailed.arg(reason) };
}

// One example of --calculate-template, made by the windows' operations and
// written with the texts a user reads, not the codes.
struct Example
{
    QString note;
    Calculation calculation;
};

// A car of an individual in a region, a legal entity's car, a trailer, a car
// registered abroad and a car travelling to its registration.
std::vector<Example> examples()
{
    const auto made = [](int category, OwnerKind owner, const QString &region) {
        Calculation c;
        c.category = category;
        c.owner = owner;
        c.region = region;
        if (!region.isEmpty())
            c.townGroup = TerritoryTable::townGroups(region).value_or(QStringList {}).value(0);
        c.startClass = kFirstContractClass;
        c.kvsRow = int(kvsRows().size()) - 1;
        c.kmRow = 2;
        c.period = ksRows().back().period;
        return c;
    };
    const QString moscow = u"Москва"_s;
    std::vector<Example> all;

    all.push_back(
        { u"Пример: легковой автомобиль физического лица"_s, made(3, OwnerKind::Individual, moscow) });

    Calculation company = made(2, OwnerKind::LegalEntity, u"Московская область"_s);
    company.contractKind = ContractKind::Renewal;
    company.startClass = u"5"_s;
    company.payouts = u"0"_s;
    company.drivers = DriversLimit::Unlimited;
    all.push_back({ u"Пример: легковой автомобиль юридического лица, продление"_s, company });

    Calculation trailer = made(9, OwnerKind::LegalEntity, moscow);
    trailer.drivers = DriversLimit::Unlimited;
    trailer.kmRow = 0;
    trailer.group = VehicleGroup::GroupTrailer;
    all.push_back({ u"Пример: прицеп к грузовому автомобилю"_s, trailer });

    Calculation foreign = made(3, OwnerKind::Individual, {});
    foreign.foreignRegistered = true;
    foreign.registration = RegistrationCase::ForeignVehicle;
    foreign.period.clear();
    foreign.term = kpTermTable().front().term;
    all.push_back({ u"Пример: легковой автомобиль с иностранной регистрацией"_s, foreign });

    Calculation travelling = made(3, OwnerKind::Individual, moscow);
    travelling.registration = RegistrationCase::TravellingToRegistration;
    all.push_back({ u"Пример: легковой автомобиль, следующий к месту регистрации"_s, travelling });
    return all;
}

} // namespace

bool isBatchCommand(const QStringList &arguments)
{
    return !arguments.isEmpty()
        && (arguments.front() == kCalculateOption || arguments.front() == kTemplateOption);
}

QString batchTemplate()
{
    // The mark that tells a spreadsheet the file is UTF-8.
    QString text = u"\uFEFF"_s + csvHeader();
    for (const Example &example : examples())
        text += csvLine(listTexts(example.calculation, example.note));
    return text;
}

BatchSummary calculateList(
    QIODevice &in, const QString &shownIn, const std::function<bool(const QString &)> &write)
{
    BatchSummary summary;
    CsvReader reader(in);
    CsvRecord first;
    if (!reader.next(first) || first.problem != CsvRecord::Problem::None) {
        summary.error = texts::kNotAList.arg(shownIn);
        return summary;
    }
    const CsvHeader header(first.fields);
    const BatchPricer pricer(header);
    if (!pricer.isList()) {
        summary.error = texts::kNotAList.arg(shownIn);
        return summary;
    }
    const OutputColumns columns = outputColumnsOf(header);
    const int premiumColumn = int(csvTitles().indexOf(journal_texts::kPremium));
    // The time of the rows that give none: one for the whole list, as it is
    // one calculation session.
    const QDateTime now = QDateTime::currentDateTime();
    Money total;
    bool totalFits = true;
    if (!write(u"\uFEFF"_s + csvLine(columns.titles)))
        return summary;
    CsvRecord record;
    QStringList fields;
    while (reader.next(record)) {
        ++summary.rows;
        PricedRow priced;
        if (allEmpty(record))
            priced.error = texts::kEmptyRow;
        else
            priced = pricer.price(record);
        QStringList journal;
        if (priced.calculation) {
            JournalEntry entry = journalEntryOf(*priced.calculation);
            entry.time = priced.time.isValid() ? priced.time : now;
            entry.note = priced.note;
            journal = csvTexts(entry);
        }
        fields.clear();
        for (int i = 0; i < columns.titles.size(); ++i) {
            if (i == columns.errorColumn)
                fields << priced.error;
            else if (!priced.calculation && columns.journalColumn[i] == premiumColumn)
                // A row that cannot be read has no Т, whatever its file held.
                fields << QString();
            else if (priced.calculation && columns.journalColumn[i] >= 0)
                fields << journal[columns.journalColumn[i]];
            else if (columns.inputColumn[i] >= 0 && columns.inputColumn[i] < record.fields.size())
                fields << csvFieldText(record.fields[columns.inputColumn[i]]);
            else
                fields << QString();
        }
        if (!write(csvLine(fields)))
            return summary;
        if (!priced.error.isEmpty()) {
            ++summary.failed;
            continue;
        }
        const std::optional<Money> t = Money::parse(priced.calculation->premium);
        qint64 sum = 0;
        if (t && !__builtin_add_overflow(total.raw(), t->raw(), &sum))
            total = Money::fromRaw(sum);
        else
            totalFits = false;
    }
    summary.ok = true;
    summary.total = totalFits ? total.toText() : QString();
    return summary;
}

std::optional<CommandLineOutcome> runBatchCommand(const QStringList &arguments)
{
    if (!isBatchCommand(arguments))
        return std::nullopt;
    const QString option = arguments.front();
    const qsizetype files = option == kCalculateOption ? 2 : 1;
    for (qsizetype i = 1; i <= files; ++i) {
        if (arguments.size() <= i || arguments[i].isEmpty()) {
            return CommandLineOutcome { false, 2, {},
                files == 2 ? texts::kTwoFiles.arg(option) : journal_texts::kMissingFile.arg(option) };
        }
    }
    if (arguments.size() > files + 1)
        return CommandLineOutcome { false, 2, {},
            command_line_texts::kUnknownOption.arg(u"karvo"_s, arguments[files + 1]) };

    const QString target = arguments[files];
    CsvOutput output;
    if (!output.open(target))
        return failure(output.error());
    if (option == kTemplateOption) {
        if (!output.write(batchTemplate()) || !output.commit())
            return failure(output.error());
        const QString done
            = texts::kTemplateWritten.arg(examples().size()).arg(shownCsvPath(target, true)) + u'\n';
        if (target == u"-"_s)
            return CommandLineOutcome { false, 0, {}, u"karvo: "_s + done };
        return CommandLineOutcome { false, 0, done, {} };
    }

    CsvInput input = openCsvInput(arguments[1]);
    if (!input.device) {
        output.cancel();
        return failure(input.error);
    }
    const BatchSummary summary = calculateList(*input.device, shownCsvPath(arguments[1], false),
        [&output](const QString &text) { return output.write(text); });
    if (!summary.ok) {
        const QString error = summary.error.isEmpty() ? output.error() : summary.error;
        output.cancel();
        return failure(error);
    }
    if (!output.commit())
        return failure(output.error());
    const QString line = texts::kSummary.arg(summary.rows).arg(summary.failed).arg(summary.total) + u'\n';
    return CommandLineOutcome { false, summary.failed > 0 ? 1 : 0, {}, line };
}

} // namespace karvo
