#include "DataModuleFixture.h"
#include "data/SysInfo.h"
#include "data/Utilities.h"

#include <QFile>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
    std::unique_ptr<DataModuleFixture> m_fx;
    TdmMain1 *m_dm = nullptr;
    std::unique_ptr<TSysInfo> m_settings;

    QString configHome() const { return m_fx->environment().configHome(); }
    QString iniPath() const { return configHome() + "/Platewright/Recipe.Ini"; }

    bool hasTopic(const QString &topic)
    {
        return sqlValue(m_dm->Database1.connection(), "SELECT count(*) FROM SYSTEM WHERE Topic = ?", {topic}).toInt() == 1;
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<DataModuleFixture>();
        m_dm = &m_fx->dm();
        m_settings = std::make_unique<TSysInfo>(m_dm->Database1);
    }
    void cleanup()
    {
        m_settings.reset();
        m_fx.reset();
    }

    void storeIsReachableThroughItsGlobal()
    {
        QCOMPARE(SysInfo, m_settings.get());
        m_settings.reset();
        QVERIFY(SysInfo == nullptr);
    }

    void readingAMissingTopicCreatesAnEmptyRow()
    {
        QVERIFY(!hasTopic("Recipe Import Dir"));
        QCOMPARE(m_settings->ReadSystemValue("Recipe Import Dir"), QString());
        QVERIFY(hasTopic("Recipe Import Dir"));
    }

    void writtenValuesReadBack()
    {
        m_settings->WriteSystemValue("Recipe Export Dir", "/home/cook/out.txt");
        m_settings->WriteSystemValue("Brand New Topic", "x");
        QCOMPARE(m_settings->ReadSystemValue("Recipe Export Dir"), QStringLiteral("/home/cook/out.txt"));
        TSysInfo other(m_dm->Database1);  // a second store sees what the first stored
        QCOMPARE(other.ReadSystemValue("Brand New Topic"), QStringLiteral("x"));
    }

    void newDatabaseShowsCalendarCaptionsAndHints()
    {
        for (const char *flag : {"View Calendar", "View Button Captions", "View Hints"})
            QVERIFY2(TextToBool(m_settings->ReadSystemValue(flag)), flag);
        QVERIFY(!TextToBool(m_settings->ReadSystemValue("Auto Select")));
    }

    void emptySystemTableReadsEveryFlagFalse()
    {
        QVERIFY(execSql(m_dm->Database1.connection(), "DELETE FROM SYSTEM"));
        TSysInfo fresh(m_dm->Database1);
        for (const char *flag : {"View Calendar", "View Button Captions", "View Hints", "View Cool Buttons"})
            QVERIFY2(!TextToBool(fresh.ReadSystemValue(flag)), flag);
        QCOMPARE(fresh.ReadSystemValue("Report Date"), QString());
        QVERIFY(hasTopic("Report Date"));
    }

    void flagsReadInAnyLetterCase_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("flag");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("true") << "true" << true;
        QTest::newRow("TRUE") << "TRUE" << true;
        QTest::newRow("Yes") << "Yes" << false;
        QTest::newRow("False") << "False" << false;
    }
    void flagsReadInAnyLetterCase()
    {
        QFETCH(QString, stored);
        QFETCH(bool, flag);
        m_settings->WriteSystemValue("Auto Select", stored);
        QCOMPARE(TextToBool(m_settings->ReadSystemValue("Auto Select")), flag);
    }

    void iniDefaultIsWrittenBackOnFirstRead()
    {
        QVERIFY(!QFile::exists(iniPath()));
        QCOMPARE(m_settings->ReadIniValue("Enable Nifty Forms", "True"), QStringLiteral("True"));
        QCOMPARE(readFile(iniPath()), QByteArray("[Setup]\nEnable Nifty Forms=True\n"));
        m_settings->WriteIniValue("Enable Nifty Forms", "False", "True");
        QCOMPARE(m_settings->ReadIniValue("Enable Nifty Forms", "True"), QStringLiteral("False"));
    }

    void emptyIniValueWritesTheDefault()
    {
        m_settings->WriteIniValue("Nifty Forms File", "", TSysInfo::defaultNiftyFormsFile());
        QCOMPARE(m_settings->ReadIniValue("Nifty Forms File", "other"), TSysInfo::defaultNiftyFormsFile());
        QVERIFY(TSysInfo::defaultNiftyFormsFile().endsWith("/GRAYROCK.bmp"));
    }

    void iniKeepsKeysVerbatimAndForeignLinesIntact()
    {
        QDir().mkpath(configHome() + "/Platewright");
        QVERIFY(writeFile(iniPath(), "; kept comment\r\n[Other]\r\nEnable Nifty Forms=elsewhere\r\n\r\n[setup]\r\n"
                                     "garbage line without equals\r\nenable nifty forms=False\r\nZ=1\r\n\r\n[Tail]\r\nA=b\r\n"));
        QCOMPARE(m_settings->ReadIniValue("Enable Nifty Forms", "True"), QStringLiteral("False"));
        m_settings->WriteIniValue("Enable Nifty Forms", "True", "True");
        m_settings->WriteIniValue("Nifty Forms File", "/pictures/stone tile.bmp", "x");
        QCOMPARE(readFile(iniPath()),
                 QByteArray("; kept comment\r\n[Other]\r\nEnable Nifty Forms=elsewhere\r\n\r\n[setup]\r\n"
                            "garbage line without equals\r\nEnable Nifty Forms=True\r\nZ=1\r\n"
                            "Nifty Forms File=/pictures/stone tile.bmp\r\n\r\n[Tail]\r\nA=b\r\n"));
    }

    void longIniValuesAreCutOnRead()
    {
        m_settings->WriteIniValue("Nifty Forms File", QString(5000, 'x'), "d");
        QCOMPARE(m_settings->ReadIniValue("Nifty Forms File", "d").size(), 1023);
    }

    void valuesWithLineBreaksStayOnOneLine()
    {
        m_settings->WriteIniValue("Nifty Forms File", "a\nInjected=1", "d");
        QCOMPARE(m_settings->ReadIniValue("Injected", "none"), QStringLiteral("none"));
    }

    // Rewriting the file once re-encoded every line: an 8-bit line came back as replacement
    // characters, and each rewrite dropped one byte-order mark from the first line until a
    // heading behind them surfaced and the value written was no longer the one read.
    void rewritesKeepOtherLinesByteForByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("byte-order marks before a heading") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF[Setup]");
        QTest::newRow("8-bit text") << QByteArray("[Window]\r\nTitle=K\xFC" "che\r\n");
    }
    void rewritesKeepOtherLinesByteForByte()
    {
        QFETCH(QByteArray, before);
        QDir().mkpath(configHome() + "/Platewright");
        QVERIFY(writeFile(iniPath(), before));
        for (const char *value : {"False", "True", "False"}) {
            m_settings->WriteIniValue("Enable Nifty Forms", value, "True");
            QCOMPARE(m_settings->ReadIniValue("Enable Nifty Forms", "True"), QString::fromLatin1(value));
        }
        QVERIFY(readFile(iniPath()).startsWith(before));
    }

    // Editors on other systems often save with a byte-order mark; the heading right behind it
    // must still be found, and the mark must survive a rewrite.
    void byteOrderMarkBeforeFirstHeading()
    {
        QDir().mkpath(configHome() + "/Platewright");
        QVERIFY(writeFile(iniPath(), "\xEF\xBB\xBF[Setup]\r\nEnable Nifty Forms=False\r\n"));
        QCOMPARE(m_settings->ReadIniValue("Enable Nifty Forms", "True"), QStringLiteral("False"));
        m_settings->WriteIniValue("Nifty Forms File", "/p.bmp", "d");
        QCOMPARE(readFile(iniPath()),
                 QByteArray("\xEF\xBB\xBF[Setup]\r\nEnable Nifty Forms=False\r\nNifty Forms File=/p.bmp\r\n"));
    }

    void unwritableFileRaisesUnableToWrite()
    {
        // A file where the directory should be refuses the write even to root.
        QVERIFY(writeFile(m_fx->environment().path() + "/blocker", "not a directory"));
        const QString path = m_fx->environment().path() + "/blocker/Recipe.Ini";
        TSysInfo store(m_dm->Database1, nullptr, path);
        QCOMPARE(raisedError([&] { store.WriteIniValue("Enable Nifty Forms", "True", "True"); }).message(),
                 "Unable to write to " + path);
        // A read still gives the default; the refused write-back is shown, not raised.
        ScriptedPrompter prompter;
        QCOMPARE(store.ReadIniValue("Enable Nifty Forms", "True"), QStringLiteral("True"));
        QCOMPARE(prompter.errors, QStringList{"Unable to write to " + path});
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
