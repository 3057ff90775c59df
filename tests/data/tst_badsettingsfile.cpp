#include "TestSupport.h"
#include "Unprivileged.h"
#include "data/Database.h"
#include "data/EngineError.h"
#include "data/SysInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// "Recipe.Ini" as the user or another program may have left it: garbage, a value of
// megabytes, no permission to write. Reads give what the rules say, writes change only
// their own line, and a refused write says which file it could not write.
class TestBadSettingsFile : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    TDatabase m_db;  // the store's table side is not used here
    std::unique_ptr<TSysInfo> m_settings;

    QString iniPath() const { return m_dir->path() + QStringLiteral("/Recipe.Ini"); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<TSysInfo>(m_db, nullptr, iniPath());
    }
    void cleanup()
    {
        m_settings.reset();
        m_dir.reset();
    }

    void garbageLinesAreKeptByteForByte();
    void valueOfMegabytesIsCutAndKept();
    void readOnlyFileIsReadAndRefusesWrites();
    void readOnlyDirectoryRefusesTheFirstWrite();
};

void TestBadSettingsFile::garbageLinesAreKeptByteForByte()
{
    const QByteArray garbage = QByteArray("\x00\x01\xff\xfe binary\x00line\r\n", 18) + "=value without a key\r\n"
                               + "[unclosed section\r\n" + "Nifty Forms File=C:\\Bilder\\K\xfc" "che.bmp\r\n"
                               + QByteArray(200 * 1024, '#') + "\r\n";
    QVERIFY(writeFile(iniPath(), garbage + "[Setup]\r\n" + garbage + "Enable Nifty Forms=False\r\n" + garbage));
    QCOMPARE(m_settings->ReadIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True")), QStringLiteral("False"));
    // The 8-bit path of another program reads as what it can be, and is not rewritten.
    QVERIFY(m_settings->ReadIniValue(QStringLiteral("Nifty Forms File"), QStringLiteral("d")).startsWith(QStringLiteral("C:\\Bilder\\K")));
    m_settings->WriteIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True"), QStringLiteral("True"));
    QCOMPARE(readFile(iniPath()), garbage + "[Setup]\r\n" + garbage + "Enable Nifty Forms=True\r\n" + garbage);
}

void TestBadSettingsFile::valueOfMegabytesIsCutAndKept()
{
    const QByteArray huge = "Nifty Forms File=" + QByteArray(8 * 1024 * 1024, 'p') + "\r\n";
    QVERIFY(writeFile(iniPath(), "[Setup]\r\n" + huge));
    const QString value = m_settings->ReadIniValue(QStringLiteral("Nifty Forms File"), QStringLiteral("d"));
    QCOMPARE(value, QString(1023, QLatin1Char('p')));
    QCOMPARE(m_settings->ReadIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True")), QStringLiteral("True"));
    QCOMPARE(readFile(iniPath()), "[Setup]\r\n" + huge + "Enable Nifty Forms=True\r\n");
}

// A key that is there reads without a write; one that is not reads as its default, whose
// write-back fails: the user is told once, with the file's name, and the file stays as it
// was. A write the user asked for fails with the same message.
void TestBadSettingsFile::readOnlyFileIsReadAndRefusesWrites()
{
    RUN_AS_UNPRIVILEGED_USER();
    const QByteArray content = "[Setup]\r\nEnable Nifty Forms=False\r\n";
    QVERIFY(writeFile(iniPath(), content));
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner));
    ScriptedPrompter prompter;
    QCOMPARE(m_settings->ReadIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True")), QStringLiteral("False"));
    const QString expected = QStringLiteral("Unable to write to ") + iniPath();
    for (int read = 0; read < 2; ++read)
        QCOMPARE(m_settings->ReadIniValue(QStringLiteral("Nifty Forms File"), QStringLiteral("d")), QStringLiteral("d"));
    QCOMPARE(prompter.errors, QStringList{expected});
    QCOMPARE(raisedError([&] {
                 m_settings->WriteIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True"), QStringLiteral("True"));
             }).message(),
             expected);
    QCOMPARE(readFile(iniPath()), content);
}

void TestBadSettingsFile::readOnlyDirectoryRefusesTheFirstWrite()
{
    RUN_AS_UNPRIVILEGED_USER();
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    ScriptedPrompter prompter;
    QCOMPARE(m_settings->ReadIniValue(QStringLiteral("Enable Nifty Forms"), QStringLiteral("True")), QStringLiteral("True"));
    QCOMPARE(prompter.errors, QStringList{QStringLiteral("Unable to write to ") + iniPath()});
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QTEST_GUILESS_MAIN(TestBadSettingsFile)
#include "tst_badsettingsfile.moc"
