// The CSV reader and writer on their own: records split as spreadsheets write
// them, the encodings Russian spreadsheets save in, a bounded record, the
// header found by its titles, the text mark against formulas, and the inputs
// and outputs a command may be given.

#include "journal/CsvReader.h"
#include "journal/CsvWriter.h"

#include <QBuffer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// Each record as "line:field|field", a problem as "line:!name".
QStringList readAll(const QByteArray &bytes, CsvEncoding *encoding = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    QStringList records;
    CsvRecord record;
    while (reader.next(record)) {
        QString shown = QString::number(record.line) + u':';
        switch (record.problem) {
        case CsvRecord::Problem::None:
            shown += record.fields.join(u'|');
            break;
        case CsvRecord::Problem::TooLong:
            shown += u"!too long"_s;
            break;
        case CsvRecord::Problem::OpenQuote:
            shown += u"!open quote:"_s + record.fields.join(u'|');
            break;
        case CsvRecord::Problem::NotUtf8:
            shown += u"!not utf-8"_s;
            break;
        }
        records << shown;
    }
    if (encoding)
        *encoding = reader.encoding();
    return records;
}

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

} // namespace

class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    void readsRecords_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records");
        const QByteArray longLine(kMaxCsvRecordBytes + 10, 'x');
        QTest::newRow("plain") << QByteArray("a;b\r\nc;d\r\n") << QStringList { u"1:a|b"_s, u"2:c|d"_s };
        QTest::newRow("no line break at the end")
            << QByteArray("a;b\nc;d") << QStringList { u"1:a|b"_s, u"2:c|d"_s };
        QTest::newRow("empty fields") << QByteArray(";;\r\n") << QStringList { u"1:||"_s };
        QTest::newRow("quotes keep ; and \"\"")
            << QByteArray("\"a;b\";\"c\"\"d\"\r\n") << QStringList { u"1:a;b|c\"d"_s };
        QTest::newRow("a quoted line break, the next record on its line")
            << QByteArray("\"two\r\nlines\";x\r\ny\r\n") << QStringList { u"1:two\r\nlines|x"_s, u"3:y"_s };
        QTest::newRow("blank lines are no records")
            << QByteArray("\r\na\r\n\n\r\nb\r\n\r\n") << QStringList { u"2:a"_s, u"5:b"_s };
        QTest::newRow("a quote open to the end")
            << QByteArray("a\r\n\"b;c\r\n") << QStringList { u"1:a"_s, u"2:!open quote:b;c\r\n"_s };
        QTest::newRow("a line too long, the next one read")
            << QByteArray("a\n" + longLine + "\nb\n") << QStringList { u"1:a"_s, u"2:!too long"_s, u"3:b"_s };
        QTest::newRow("a too long line at the end")
            << QByteArray("a\n" + longLine) << QStringList { u"1:a"_s, u"2:!too long"_s };
        QTest::newRow("an open quote ends where the record grows too long") << QByteArray("\"a\n"
            + longLine.left(kMaxCsvRecordBytes / 2) + "\n" + longLine.left(kMaxCsvRecordBytes / 2)
            + "\nb\n") << QStringList { u"1:!too long"_s, u"4:b"_s };
        QTest::newRow("a byte-order mark is no text") << QByteArray("\xEF\xBB\xBF"
                                                                    "a;b\n")
                                                      << QStringList { u"1:a|b"_s };
    }

    void readsRecords()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        QCOMPARE(readAll(bytes), records);
    }

    void decidesTheEncodingPerFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<CsvEncoding>("encoding");
        const QString header = u"Дата;Примечание"_s;
        QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF" + header.toUtf8() + "\r\n")
                                           << QStringList { u"1:Дата|Примечание"_s } << CsvEncoding::Utf8;
        QTest::newRow("UTF-8 without a mark")
            << (header + u"\r\nЁлка;ё\r\n"_s).toUtf8()
            << QStringList { u"1:Дата|Примечание"_s, u"2:Ёлка|ё"_s } << CsvEncoding::Utf8;
        QTest::newRow("Windows-1251 from Russian Excel")
            << cp1251(header + u"\r\nЁлка;ё №1\r\n"_s)
            << QStringList { u"1:Дата|Примечание"_s, u"2:Ёлка|ё №1"_s } << CsvEncoding::Windows1251;
        QTest::newRow("ASCII first, Windows-1251 later")
            << QByteArray("a;b\r\n") + cp1251(u"Тверь;х\r\n"_s) << QStringList { u"1:a|b"_s, u"2:Тверь|х"_s }
            << CsvEncoding::Windows1251;
        QTest::newRow("a broken line in a UTF-8 file is refused alone")
            << (header + u"\r\n"_s).toUtf8() + cp1251(u"Тверь\r\n"_s) + "x\r\n"
            << QStringList { u"1:Дата|Примечание"_s, u"2:!not utf-8"_s, u"3:x"_s } << CsvEncoding::Utf8;
        QTest::newRow("ASCII only") << QByteArray("a\r\n") << QStringList { u"1:a"_s }
                                    << CsvEncoding::Undecided;
    }

    void decidesTheEncodingPerFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        QFETCH(CsvEncoding, encoding);
        CsvEncoding found = CsvEncoding::Undecided;
        QCOMPARE(readAll(bytes, &found), records);
        QCOMPARE(found, encoding);
    }

    void findsFieldsByTitle()
    {
        const CsvHeader header({ u"Т, руб."_s, u"Ошибка"_s, u"КБМ"_s, u"Дата"_s, u"КБМ"_s });
        CsvRecord record;
        record.fields = QStringList { u"3564"_s, u"нет"_s, u"0,95"_s, u"'=1+1"_s };
        QCOMPARE(header.field(record, u"Дата"_s), u"=1+1"_s);
        QCOMPARE(header.field(record, u"КБМ"_s), u"0,95"_s);
        QCOMPARE(header.field(record, u"КБМ"_s, 1), QString()); // the record is shorter
        QCOMPARE(header.indexOf(u"КБМ"_s, 1), 4);
        QCOMPARE(header.missing({ u"Дата"_s, u"КТ"_s, u"Т, руб."_s }), QStringList { u"КТ"_s });
        QCOMPARE(header.unknownColumns({ u"Т, руб."_s, u"КБМ"_s, u"Дата"_s }), QList<int> { 1 });
    }

    void writesTextThatSpreadsheetsKeepAsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << u"Иванов И. И."_s << u"Иванов И. И."_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("a separator, unquoted otherwise") << u"a;b"_s << u"\"a;b\""_s;
        QTest::newRow("a quote, unquoted otherwise") << u"a\"b"_s << u"\"a\"\"b\""_s;
        QTest::newRow("a line break") << u"a\nb"_s << u"\"a\nb\""_s;
        QTest::newRow("a formula") << u"=1+1"_s << u"'=1+1"_s;
        QTest::newRow("a link") << u"=HYPERLINK(\"http://x\";\"y\")"_s
                                << u"\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\""_s;
        QTest::newRow("plus") << u"+7 912"_s << u"'+7 912"_s;
        QTest::newRow("minus") << u"-5"_s << u"'-5"_s;
        QTest::newRow("at") << u"@SUM(A1)"_s << u"'@SUM(A1)"_s;
        QTest::newRow("tab") << u"\t=1"_s << u"'\t=1"_s;
        QTest::newRow("carriage return") << u"\r=1"_s << u"\"'\r=1\""_s;
        QTest::newRow("an apostrophe of its own") << u"'Тверь"_s << u"''Тверь"_s;
        QTest::newRow("inside, harmless") << u"1=1 - 2"_s << u"1=1 - 2"_s;
    }

    void writesTextThatSpreadsheetsKeepAsText()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(csvField(text), field);
        const QString line = csvLine({ text, u"x"_s });
        QBuffer buffer;
        buffer.setData(line.toUtf8());
        buffer.open(QIODevice::ReadOnly);
        CsvReader reader(buffer);
        CsvRecord record;
        QVERIFY(reader.next(record));
        QCOMPARE(record.fields.size(), 2);
        QCOMPARE(csvFieldText(record.fields.front()), text);
    }

    void refusesWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // empty: opened
        QTest::newRow("a file") << u"file"_s << QString();
        QTest::newRow("missing") << u"missing"_s << u"файл не существует"_s;
        QTest::newRow("a folder") << u"folder"_s << u"папка, а не файл"_s;
        QTest::newRow("a FIFO, not waited on") << u"fifo"_s << u"канал, устройство или сокет"_s;
        QTest::newRow("a device") << u"/dev/zero"_s << u"канал, устройство или сокет"_s;
    }

    void refusesWhatIsNoFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QTemporaryDir dir;
        QString path = dir.filePath(u"in.csv"_s);
        if (kind == u"file"_s) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (kind == u"folder"_s) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind.startsWith(u'/')) {
            path = kind;
        }
        const CsvInput input = openCsvInput(path);
        QCOMPARE(input.device == nullptr, !reason.isEmpty());
        QVERIFY2(input.error.contains(reason), qPrintable(input.error));
        if (!reason.isEmpty())
            QVERIFY2(input.error.contains(path), qPrintable(input.error));
    }

    void writesOnlyRegularFilesPrivately_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // empty: written
        QTest::newRow("a new file") << u"new"_s << QString();
        QTest::newRow("an earlier file readable by all") << u"shared"_s << QString();
        QTest::newRow("a FIFO stays a FIFO") << u"fifo"_s << u"канал, устройство или сокет"_s;
        QTest::newRow("a folder") << u"folder"_s << u"папка, а не файл"_s;
        QTest::newRow("no such folder") << u"nofolder"_s << u"папка не существует"_s;
    }

    void writesOnlyRegularFilesPrivately()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QTemporaryDir dir;
        QString path = dir.filePath(u"out.csv"_s);
        if (kind == u"shared"_s) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("earlier");
            file.close();
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        } else if (kind == u"folder"_s) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == u"nofolder"_s) {
            path = dir.filePath(u"no/out.csv"_s);
        } else if (kind.startsWith(u'/')) {
            path = kind;
        }
        struct stat before
        {
        };
        const bool existed = ::stat(QFile::encodeName(path).constData(), &before) == 0;
        CsvOutput out;
        const bool written = out.open(path) && out.write(csvLine({ u"=1+1"_s })) && out.commit();
        QCOMPARE(written, reason.isEmpty());
        QVERIFY2(out.error().contains(reason), qPrintable(out.error()));
        struct stat after
        {
        };
        const bool exists = ::stat(QFile::encodeName(path).constData(), &after) == 0;
        if (!written) {
            QVERIFY2(out.error().contains(path), qPrintable(out.error()));
            QCOMPARE(exists, existed);
            if (existed)
                QCOMPARE(after.st_mode, before.st_mode);
            return;
        }
        QCOMPARE(after.st_mode & 0777, mode_t(0600));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("'=1+1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
