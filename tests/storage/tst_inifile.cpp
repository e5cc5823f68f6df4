#include "platform/FileFailure.h"
#include "platform/FolderPermissionsApply.h"
#include "platform/Messages.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Tests that mount a small file system of their own run in a mount namespace
// of this process, so nothing they mount outlives it; without the right to
// make one they are skipped.
bool g_ownMounts = false;

// The second program in the tests of two writers: this test binary started
// again with "--write-keys <file> <prefix> <count>".
int writeKeys(const QString &file, const QString &prefix, int count)
{
    for (int i = 0; i < count; ++i) {
        QString error;
        if (!karvo::writeIniValue(u"t"_s, prefix + QString::number(i), QString::number(i), file, &error)) {
            qWarning("%s", qPrintable(error));
            return 1;
        }
    }
    return 0;
}

// A writer that dies holding the lock: "--crash-holding-lock <file>".
int crashHoldingLock(const QString &file)
{
    QLockFile lock(file + u".lock"_s);
    if (!lock.tryLock(0))
        return 1;
    _exit(0); // no destructor: the lock file stays, as after a crash
}

QString withoutPath(QString text, const QString &path)
{
    return text.remove(QDir::toNativeSeparators(path));
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    QStringList m_messages;
    QString m_mount; // a file system mounted by the current test

    // A tmpfs of `pages` pages at <dir>/mnt, and karvo.ini moved into it.
    bool mountSmallFileSystem(int pages)
    {
        if (!g_ownMounts)
            return false;
        const QString folder = m_dir->filePath(u"mnt"_s);
        const QByteArray size = "size=" + QByteArray::number(pages * 4096);
        if (!QDir().mkpath(folder)
            || ::mount("karvo-test", QFile::encodeName(folder).constData(), "tmpfs", 0, size.constData())
                != 0)
            return false;
        m_mount = folder;
        m_file = QDir(folder).filePath(u"karvo.ini"_s);
        return true;
    }

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
        if (!m_mount.isEmpty())
            ::umount2(QFile::encodeName(m_mount).constData(), MNT_DETACH);
        m_mount.clear();
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
            << "[t]\ntb=1\n"_ba << u"t"_s << u"ko"_s << u"2"_s << "[t]\ntb=1\nko=2\n"_ba;
        QTest::newRow("a new section in a file of LF lines")
            << "[t]\ntb=1"_ba << u"ch"_s << u"ch"_s << u"1"_s << "[t]\ntb=1\n[ch]\nch=1\n"_ba;
        QTest::newRow("the value it has leaves the file untouched")
            << "[t]\r\n  tb = 1 \r\nko=2"_ba << u"t"_s << u"tb"_s << u"1"_s << "[t]\r\n  tb = 1 \r\nko=2"_ba;
        QTest::newRow("UTF-8 with a byte-order mark stays so")
            << "\xef\xbb\xbf[t]\r\ntb=1\r\n"_ba << u"t"_s << u"kt2"_s << u"Уфа"_s
            << "\xef\xbb\xbf[t]\r\ntb=1\r\nkt2=\xd0\xa3\xd1\x84\xd0\xb0\r\n"_ba;
        QTest::newRow("UTF-8 without a mark stays so")
            << "[t]\nkt1=\xd0\x9c\xd0\xb5\n"_ba << u"t"_s << u"kt1"_s << u"Уфа"_s
            << "[t]\nkt1=\xd0\xa3\xd1\x84\xd0\xb0\n"_ba;
        QTest::newRow("ASCII stays Windows-1251") << "[t]\r\ntb=1\r\n"_ba << u"t"_s << u"kt2"_s << u"Уфа"_s
                                                  << "[t]\r\ntb=1\r\nkt2=\xd3\xf4\xe0\r\n"_ba;
        QTest::newRow("Windows-1251 stays so")
            << "[t]\r\nkt1=\xcc\xe5\r\n"_ba << u"t"_s << u"kt2"_s << u"Уфа"_s
            << "[t]\r\nkt1=\xcc\xe5\r\nkt2=\xd3\xf4\xe0\r\n"_ba;
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
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-1);
        if (!before.isNull()) {
            writeFile(before);
            QFile file(m_file);
            QVERIFY(
                file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QVERIFY(karvo::writeIniValue(section, key, value, m_file));
        QCOMPARE(fileBytes(), after);
        QCOMPARE(karvo::readIniValue(section, key, m_file), value);
        if (after == before) // not even rewritten with the same bytes
            QCOMPARE(QFileInfo(m_file).lastModified().toUTC(), old);
        // No lock or temporary file stays behind.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"karvo.ini"_s });
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
        QTest::newRow("UTF-8 decoded") << "[t]\nkt2=\xd0\xa3\xd1\x84\xd0\xb0\n"_ba << u"kt2"_s << u"Уфа"_s;
        QTest::newRow("first section after a byte-order mark")
            << "\xef\xbb\xbf[t]\r\nkt2=\xd0\xa3\xd1\x84\xd0\xb0\r\n"_ba << u"kt2"_s << u"Уфа"_s;
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(QString, value);
        writeFile(content);
        QCOMPARE(karvo::readIniValue(u"t"_s, key, m_file), value);
        QCOMPARE(fileBytes(), content);
    }

    void readOfMissingFileCreatesNothing()
    {
        QCOMPARE(karvo::readIniValue(u"ch"_s, u"ch"_s, m_file), QString());
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
        QVERIFY(karvo::writeIniValue(u"t"_s, u"kt1"_s, value, m_file));
        QCOMPARE(fileBytes(), "[t]\r\nkt1="_ba + bytes + "\r\n"_ba);
        QCOMPARE(karvo::readIniValue(u"t"_s, u"kt1"_s, m_file), readBack);
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
        QVERIFY(!karvo::writeIniValue(section, key, value, m_file, &error));
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
            QVERIFY2(permissions.applies(), "root could not set aside its right to write anywhere");
            QString error;
            QVERIFY(!karvo::writeIniValue(u"t"_s, u"tb"_s, u"2"_s, m_file, &error));
            QVERIFY2(error.contains(u"karvo.ini"_s), qPrintable(error));
            QVERIFY(!karvo::writeIniValue(u"t"_s, u"tb"_s, u"2"_s, missing));
            // Nothing to change needs no write.
            QVERIFY(karvo::writeIniValue(u"t"_s, u"tb"_s, u"1"_s, m_file));
        }
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(fileBytes(), before);
        QVERIFY(!QFile::exists(missing));
    }

    // Each refusal keeps the old file, leaves nothing beside it (the
    // file-size limit fails the write halfway, as a full disk does) and gives
    // its cause in Russian.
    void failedWrite_data()
    {
        using namespace karvo::file_failure_texts;
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");

        QTest::newRow("full disk") << u"full disk"_s << kNoSpace;
        QTest::newRow("file-size limit") << u"size limit"_s << kFileTooLarge;
        QTest::newRow("read-only file") << u"read-only file"_s << kReadOnlyFile;
        QTest::newRow("read-only folder") << u"read-only folder"_s << kReadOnlyFolder;
        QTest::newRow("read-only file system") << u"read-only file system"_s << kReadOnlyFileSystem;
        QTest::newRow("missing folder") << u"missing folder"_s << kMissingFolder;
        QTest::newRow("another writer holds the file") << u"locked"_s << kBusy;
        QTest::newRow("a folder") << u"folder"_s << kIsFolder;
        QTest::newRow("a FIFO") << u"fifo"_s << kNotRegularFile;
        QTest::newRow("a device") << u"device"_s << kNotRegularFile;
    }

    void failedWrite()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QByteArray before = "[t]\r\ntb=1\r\n"_ba;
        const bool notAFile = fault == u"folder" || fault == u"fifo" || fault == u"device";
        QStringList expectedFiles { u"karvo.ini"_s };
        if (fault == u"full disk" || fault == u"read-only file system") {
            if (!mountSmallFileSystem(4)) {
                // Root, as CI runs, mounts one: there the row must not be skipped.
                QVERIFY2(::geteuid() != 0, "root could not mount a small file system");
                QSKIP("this user cannot mount a file system of its own");
            }
        }
        if (fault == u"folder") {
            QVERIFY(QDir().mkdir(m_file));
        } else if (fault == u"fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(m_file).constData(), 0600), 0);
        } else if (fault == u"device") {
            // A node of its own, never the system's /dev/zero: a faulty write
            // would replace it. Reading it never ends.
            if (::mknod(QFile::encodeName(m_file).constData(), S_IFCHR | 0600, makedev(1, 5)) != 0) {
                QVERIFY2(::geteuid() != 0, "root could not make a device node");
                QSKIP("this user cannot make a device node");
            }
        } else if (fault == u"missing folder") {
            m_file = m_dir->filePath(u"gone/karvo.ini"_s);
            expectedFiles.clear();
        } else {
            writeFile(before);
        }
        const QString folder = QFileInfo(m_file).absolutePath();

        // The faults that need more than the file itself are made here; the
        // ones that would touch other tests are undone before any check.
        std::unique_ptr<QLockFile> otherWriter;
        if (fault == u"full disk") {
            // All but one page taken: the lock file gets it, and the write
            // of the file fails only at its flush, where Qt loses errno.
            QFile filler(QDir(folder).filePath(u"filler"_s));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray page(4096, 'x');
            while (filler.write(page) == page.size()) { }
            QVERIFY(filler.resize(filler.size() / 4096 * 4096 - 4096));
            expectedFiles << u"filler"_s;
        } else if (fault == u"read-only file") {
            QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::ReadGroup));
        } else if (fault == u"read-only folder") {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        } else if (fault == u"read-only file system") {
            QCOMPARE(::mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                         nullptr),
                0);
        } else if (fault == u"locked") {
            otherWriter = std::make_unique<QLockFile>(m_file + u".lock"_s);
            QVERIFY(otherWriter->tryLock(0));
            expectedFiles << u"karvo.ini.lock"_s;
        }

        QString error;
        bool written = false;
        bool applies = true;
        {
            const std::chrono::milliseconds savedWait = karvo::setWriterWait(std::chrono::milliseconds(50));
            const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
            rlimit savedLimit {};
            getrlimit(RLIMIT_FSIZE, &savedLimit);
            if (fault == u"size limit") {
                rlimit small = savedLimit;
                small.rlim_cur = 512;
                setrlimit(RLIMIT_FSIZE, &small);
            }
            std::optional<FolderPermissionsApply> permissions;
            if (fault == u"read-only folder")
                permissions.emplace();
            applies = !permissions || permissions->applies();
            const QString value(fault == u"size limit" ? 1000 : 1, u'2');
            written = applies && karvo::writeIniValue(u"t"_s, u"tb"_s, value, m_file, &error);
            permissions.reset();
            setrlimit(RLIMIT_FSIZE, &savedLimit);
            std::signal(SIGXFSZ, savedSignal);
            karvo::setWriterWait(savedWait);
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(applies, "root could not set aside its right to write anywhere");
        const QString read = karvo::readIniValue(u"t"_s, u"tb"_s, m_file);

        QVERIFY(!written);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(m_file)), qPrintable(error));
        // The path aside, no English: Qt's own error strings stay out.
        QVERIFY2(!withoutPath(error, m_file).contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(error));
        if (notAFile || fault == u"missing folder") {
            QCOMPARE(read, QString()); // quietly, as for a missing file
            if (notAFile)
                return;
        } else {
            QCOMPARE(fileBytes(), before);
            QCOMPARE(read, u"1"_s);
        }
        expectedFiles.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), expectedFiles);
    }

    // A lock left behind does not stop every later write.
    void staleLockIsTakenOver_data()
    {
        QTest::addColumn<bool>("crash");
        QTest::newRow("left by a writer that crashed") << true;
        QTest::newRow("older than any write") << false;
    }

    void staleLockIsTakenOver()
    {
        QFETCH(bool, crash);
        const QString lockPath = m_file + u".lock"_s;
        if (crash) {
            QCOMPARE(QProcess::execute(
                         QCoreApplication::applicationFilePath(), { u"--crash-holding-lock"_s, m_file }),
                0);
        } else {
            QFile lock(lockPath);
            QVERIFY(lock.open(QIODevice::WriteOnly));
            QVERIFY(lock.write("garbage\n") == 8 && lock.flush());
            QVERIFY(lock.setFileTime(
                QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        QVERIFY(QFile::exists(lockPath));
        QString error;
        QVERIFY2(karvo::writeIniValue(u"t"_s, u"tb"_s, u"1"_s, m_file, &error), qPrintable(error));
        QCOMPARE(karvo::readIniValue(u"t"_s, u"tb"_s, m_file), u"1"_s);
        QVERIFY(!QFile::exists(lockPath));
    }

    // Two programs writing the same file at once: every key of both is kept.
    void twoWritersLoseNothing()
    {
        constexpr int count = 500;
        // Quicker without a disk's sync at every write; correct either way.
        mountSmallFileSystem(256);
        QProcess first;
        QProcess second;
        const QString self = QCoreApplication::applicationFilePath();
        first.start(self, { u"--write-keys"_s, m_file, u"a"_s, QString::number(count) });
        second.start(self, { u"--write-keys"_s, m_file, u"b"_s, QString::number(count) });
        for (QProcess *writer : { &first, &second }) {
            QVERIFY(writer->waitForFinished(120000));
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        }
        int missing = 0;
        for (int i = 0; i < count; ++i) {
            for (const QString &prefix : { u"a"_s, u"b"_s }) {
                if (karvo::readIniValue(u"t"_s, prefix + QString::number(i), m_file) != QString::number(i))
                    ++missing;
            }
        }
        QCOMPARE(missing, 0);
    }

    // A symbolic link to the file is followed, not replaced.
    void writesThroughALink()
    {
        const QString target = m_dir->filePath(u"real.ini"_s);
        QFile real(target);
        QVERIFY(real.open(QIODevice::WriteOnly));
        real.write("[t]\r\ntb=1\r\n");
        real.close();
        QVERIFY(QFile::link(target, m_file));
        QVERIFY(karvo::writeIniValue(u"t"_s, u"tb"_s, u"2"_s, m_file));
        QVERIFY(QFileInfo(m_file).isSymLink());
        QCOMPARE(karvo::readIniValue(u"t"_s, u"tb"_s, target), u"2"_s);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 5 && std::strcmp(argv[1], "--write-keys") == 0) {
        QCoreApplication app(argc, argv);
        return writeKeys(
            QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
    }
    if (argc == 3 && std::strcmp(argv[1], "--crash-holding-lock") == 0) {
        QCoreApplication app(argc, argv);
        return crashHoldingLock(QString::fromLocal8Bit(argv[2]));
    }
    // Before any thread starts: a process with threads cannot unshare.
    g_ownMounts
        = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QCoreApplication app(argc, argv);
    TestIniFile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_inifile.moc"
