#include "platform/FolderPermissionsApply.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestUserFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toUtf8());
        qputenv("XDG_DOCUMENTS_DIR", m_home.filePath(u"Документы"_s).toUtf8());
        qputenv("HOME", m_home.path().toUtf8());
    }
    void cleanup() { setProgramFolder(QString()); }

    void writableProgramFolderKeepsBothFilesBesideIt()
    {
        QTemporaryDir program;
        setProgramFolder(program.path());
        QCOMPARE(userFilePath(UserFile::Settings), program.filePath(u"karvo.ini"_s));
        QCOMPARE(userFilePath(UserFile::Report), program.filePath(u"karvo.doc"_s));
    }

    void readOnlyProgramFolderUsesTheUsersFolders_data()
    {
        QTest::addColumn<bool>("missingFolder");
        // A folder that is not there is read-only for all.
        QTest::newRow("read-only folder") << false;
        QTest::newRow("missing folder") << true;
    }

    void readOnlyProgramFolderUsesTheUsersFolders()
    {
        QFETCH(bool, missingFolder);
        QTemporaryDir program;
        QString folder = program.filePath(u"lib/karvo"_s);
        if (missingFolder) {
            folder = program.filePath(u"not-there"_s);
        } else {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        setProgramFolder(folder);

        QString settings;
        QString report;
        {
            FolderPermissionsApply permissions;
            QVERIFY2(permissions.applies(), "root could not set aside its right to write anywhere");
            settings = userFilePath(UserFile::Settings);
            report = userFilePath(UserFile::Report);
        }
        QCOMPARE(settings, m_home.filePath(u"config/karvo/karvo.ini"_s));
        QVERIFY(QDir(m_home.filePath(u"config/karvo"_s)).exists());
        QCOMPARE(QFileInfo(report).fileName(), u"karvo.doc"_s);
        QCOMPARE(
            QFileInfo(report).path(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QVERIFY(!report.startsWith(folder));

        QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestUserFiles)
#include "tst_userfiles.moc"
