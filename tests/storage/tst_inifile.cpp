#include "platform/Messages.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Root writes into read-only folders; without CAP_DAC_OVERRIDE in the
// effective set, for as long as this lives, the folder's mode applies to it too.
class FolderPermissionsApply
{
public:
    FolderPermissionsApply()
    {
        if (geteuid() != 0 || syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = { m_saved[0], m_saved[1] };
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~FolderPermissionsApply()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    bool applies() const { return geteuid() != 0 || m_dropped; }

private:
    __user_cap_header_struct m_header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct m_saved[2] {};
    bool m_dropped = false;
};

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    QStringList m_messages;

    void writeFile(const QByteArray &bytes)
    {
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QByteArray fileBytes() const
    {
        QFile file(m_file);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        karvo::setMessageHandler(
            [this](const QString &title, const QString &text) { m_messages << title + u": "_s + text; });
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_file = m_dir->filePath(u"karvo.ini"_s);
        m_messages.clear();
    }

    // Nothing here is an unexpected fault: no test may raise the error box.
    void cleanup()
    {
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(m_messages, QStringList());
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("creates the file")
            << QByteArray() << u"t"_s << u"tb"_s << u"3"_s << "[t]\r\ntb=3\r\n"_ba;
        QTest::newRow("replaces in place")
            << "[t]\r\ntb=1\r\nko=2\r\n"_ba << u"t"_s << u"tb"_s << u"3"_s << "[t]\r\ntb=3\r\nko=2\r\n"_ba;
        QTest::newRow("names match without regard to case or blanks")
            << "[ T ]\r\n  Tb = 1\r\n"_ba << u"t "_s << u" tB"_s << u"3"_s << "[ T ]\r\nTb=3\r\n"_ba;
        QTest::newRow("new key at the end of its section")
            << "[t]\r\ntb=1\r\n\r\n[ch]\r\nch=1\r\n"_ba << u"t"_s << u"ko"_s << u"2"_s
            << "[t]\r\ntb=1\r\nko=2\r\n\r\n[ch]\r\nch=1\r\n"_ba;
        QTest::newRow("new section at the end of the file")
            << "[t]\r\ntb=1\r\n"_ba << u"ch"_s << u"ch"_s << u"0"_s << "[t]\r\ntb=1\r\n[ch]\r\nch=0\r\n"_ba;
        QTest::newRow("last line without a break gets one")
            << "[t]\r\ntb=1"_ba << u"t"_s << u"ko"_s << u"2"_s << "[t]\r\ntb=1\r\nko=2\r\n"_ba;
        QTest::newRow("lines ending in LF stay so")
            << "[t]\ntb=1\n"_ba << u"t"_s << u"ko"_s << u"2"_s << "[t]\ntb=1\nko=2\r\n"_ba;
        QTest::newRow("comments, blank and unknown lines kept byte for byte")
            << "; karvo\r\n\r\n[t]\r\n;tb=9\r\n  odd line \xd0\x9f\r\ntb=1\r\n\r\n"_ba << u"t"_s << u"tb"_s
            << u"2"_s << "; karvo\r\n\r\n[t]\r\n;tb=9\r\n  odd line \xd0\x9f\r\ntb=2\r\n\r\n"_ba;
        QTest::newRow("a key above every section is not in one")
            << "tb=1\r\n[t]\r\n"_ba << u"t"_s << u"tb"_s << u"2"_s << "tb=1\r\n[t]\r\ntb=2\r\n"_ba;
        QTest::newRow("only the first of two sections of one name")
            << "[t]\r\na=1\r\n[t]\r\ntb=1\r\n"_ba << u"t"_s << u"tb"_s << u"2"_s
            << "[t]\r\na=1\r\ntb=2\r\n[t]\r\ntb=1\r\n"_ba;
        QTest::newRow("empty value keeps the key")
            << "[dt]\r\ndt=01.02.2012\r\n"_ba << u"dt"_s << u"dt"_s << QString() << "[dt]\r\ndt=\r\n"_ba;
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (!before.isNull())
            writeFile(before);
        QVERIFY(karvo::SetValue(section, key, value, m_file));
        QCOMPARE(fileBytes(), after);
        QCOMPARE(karvo::GetValueString(section, key, m_file), value);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        const QByteArray cut(255, 'a');
        QTest::newRow("missing key") << "[t]\r\ntb=1\r\n"_ba << u"ko"_s << QString();
        QTest::newRow("key of another section") << "[ch]\r\nko=1\r\n"_ba << u"ko"_s << QString();
        QTest::newRow("blanks around the value") << "[t]\r\nks = \t1,7  \r\n"_ba << u"ks"_s << u"1,7"_s;
        QTest::newRow("a pair of double quotes") << "[t]\nkt2=\" a b \"\n"_ba << u"kt2"_s << u" a b "_s;
        QTest::newRow("only the outer pair") << "[t]\nkt2=\"\"x\"\"\n"_ba << u"kt2"_s << u"\"x\""_s;
        QTest::newRow("a lone quote") << "[t]\nkt2=\"\n"_ba << u"kt2"_s << u"\""_s;
        QTest::newRow("a quote on one side") << "[t]\nkt2=\"x\n"_ba << u"kt2"_s << u"\"x"_s;
        QTest::newRow("single quotes stay") << "[t]\nkt2='x'\n"_ba << u"kt2"_s << u"'x'"_s;
        QTest::newRow("equals sign in the value") << "[t]\nks1=a=b\n"_ba << u"ks1"_s << u"a=b"_s;
        QTest::newRow("commented-out key") << "[t]\n;ko=1\n"_ba << u"ko"_s << QString();
        QTest::newRow("300 characters give 255")
            << "[t]\nkt1="_ba + cut + QByteArray(45, 'b') << u"kt1"_s << QString::fromLatin1(cut);
        QTest::newRow("cut after the quotes go")
            << "[t]\nkt1=\""_ba + cut + "b\""_ba << u"kt1"_s << QString::fromLatin1(cut);
        QTest::newRow("Windows-1251 decoded") << "[t]\nkt2=\xd3\xf4\xe0\n"_ba << u"kt2"_s << u"Уфа"_s;
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(QString, value);
        writeFile(content);
        QCOMPARE(karvo::GetValueString(u"t"_s, key, m_file), value);
        QCOMPARE(fileBytes(), content);
    }

    void readOfMissingFileCreatesNothing()
    {
        QCOMPARE(karvo::GetValueString(u"ch"_s, u"ch"_s, m_file), QString());
        QVERIFY(!QFile::exists(m_file));
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");

        QTest::newRow("Cyrillic")
            << u"Республика Башкортостан"_s
            << "\xd0\xe5\xf1\xef\xf3\xe1\xeb\xe8\xea\xe0 \xc1\xe0\xf8\xea\xee\xf0\xf2\xee\xf1\xf2\xe0\xed"_ba
            << u"Республика Башкортостан"_s;
        QTest::newRow("yo, numero, euro") << u"ё№€"_s << "\xb8\xb9\x88"_ba << u"ё№€"_s;
        QTest::newRow("not in the code page") << u"a日б"_s << "a?\xe1"_ba << u"a?б"_s;
        QTest::newRow("beyond 16 bits is one character") << u"x😀y"_s << "x?y"_ba << u"x?y"_s;
    }

    void encoding()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        QVERIFY(karvo::SetValue(u"t"_s, u"kt1"_s, value, m_file));
        QCOMPARE(fileBytes(), "[t]\r\nkt1="_ba + bytes + "\r\n"_ba);
        QCOMPARE(karvo::GetValueString(u"t"_s, u"kt1"_s, m_file), readBack);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("line feed in the value") << u"t"_s << u"kt1"_s << u"a\nko=1"_s;
        QTest::newRow("carriage return in the value") << u"t"_s << u"kt1"_s << u"a\r"_s;
        QTest::newRow("empty key") << u"t"_s << u" "_s << u"1"_s;
        QTest::newRow("empty section") << QString() << u"tb"_s << u"1"_s;
        QTest::newRow("equals sign in the key") << u"t"_s << u"a=b"_s << u"1"_s;
        QTest::newRow("key that reads as a comment") << u"t"_s << u";tb"_s << u"1"_s;
        QTest::newRow("key that reads as a section") << u"t"_s << u"[tb]"_s << u"1"_s;
        QTest::newRow("line break in the section") << u"t]\n[x"_s << u"tb"_s << u"1"_s;
        QTest::newRow("name outside the code page") << u"日"_s << u"tb"_s << u"1"_s;
    }

    void refused()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray before = "[t]\r\ntb=1\r\n"_ba;
        writeFile(before);
        QString error;
        QVERIFY(!karvo::SetValue(section, key, value, m_file, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(), before);
    }

    void readOnlyFolderRefusesQuietly()
    {
        const QByteArray before = "[t]\r\ntb=1\r\n"_ba;
        writeFile(before);
        const QString missing = m_dir->filePath(u"other.ini"_s);
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        {
            FolderPermissionsApply permissions;
            if (!permissions.applies())
                QSKIP("this user writes into read-only folders");
            QString error;
            QVERIFY(!karvo::SetValue(u"t"_s, u"tb"_s, u"2"_s, m_file, &error));
            QVERIFY2(error.contains(u"karvo.ini"_s), qPrintable(error));
            QVERIFY(!karvo::SetValue(u"t"_s, u"tb"_s, u"2"_s, missing));
            // Nothing to change needs no write.
            QVERIFY(karvo::SetValue(u"t"_s, u"tb"_s, u"1"_s, m_file));
        }
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(fileBytes(), before);
        QVERIFY(!QFile::exists(missing));
    }

    // A write that fails halfway, as on a full disk, leaves the old file whole
    // and no stray temporary file beside it.
    void failedWriteKeepsTheOldFile()
    {
        const QByteArray before = "[t]\r\ntb=1\r\n"_ba;
        writeFile(before);
        rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = karvo::SetValue(u"t"_s, u"kt1"_s, QString(1000, u'x'), m_file);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousSignal);

        QVERIFY(!written);
        QCOMPARE(fileBytes(), before);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"karvo.ini"_s });
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
