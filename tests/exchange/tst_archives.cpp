#include "ArchiveReference.h"
#include "exchange/ExchangeError.h"
#include "exchange/MealMasterExporter.h"
#include "exchange/MealMasterImporter.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QtTest>

namespace {

QString mealMasterDir()
{
    return mealMasterArchive(QString());
}

// The 8-bit archive was written in a DOS code page, so its accented letters read differently
// from those of its UTF-8 copy; everything else must agree.
QString withoutAccents(QStringList parts)
{
    QString text = parts.join(u'|');
    for (QChar &c : text)
        if (c.unicode() > 127)
            c = u'?';
    return text;
}

} // namespace

class TestArchives : public QObject {
    Q_OBJECT
    std::unique_ptr<ExchangeFixture> m_fx;

private slots:
    void init() { m_fx = std::make_unique<ExchangeFixture>(); }
    void cleanup() { m_fx.reset(); }

    void realArchives_data()
    {
        SKIP_WITHOUT_TESTDATA();
        QTest::addColumn<QString>("path");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QStringList>("texts");
        const auto row = [](const char *file, TextEncoding encoding, const QStringList &texts) {
            QTest::newRow(file) << mealMasterDir() + QLatin1String(file) << encoding << texts;
        };
        row("gitpan_MealMaster/0222-1.TXT", TextEncoding::Cp437, {u"350°F oven"_qs});
        row("gitpan_MealMaster/31000.mmf", TextEncoding::Cp437, {});
        row("JJ_perl6-recipes-apress/apetizer.mmf", TextEncoding::Cp437,
            {u"Frosted Liver Paté"_qs, u"325°F."_qs, u"in 1¼ cup warm"_qs, u"  ½     tsp"_qs});
        row("JJ_perl6-recipes-apress/apetizer_utf8_lf.mmf", TextEncoding::Utf8, {u"Frosted Liver Paté"_qs});
    }
    // Every real archive imports without an error, and at least 99% of its recipes come in
    // whole: title, first category, servings, every ingredient line and the directions. Its
    // text is read in the code page it was written in.
    void realArchives()
    {
        QFETCH(QString, path);
        const QList<ExpectedRecipe> expected = readArchive(readFile(path));
        QVERIFY2(expected.size() > 100, qPrintable(path));
        ImportSummary summary;
        try {
            summary = MealMasterImporter(m_fx->dm()).importFile(path);
        } catch (const ExchangeError &e) {
            QFAIL(qPrintable(e.message()));
        }
        QCOMPARE(summary.recipesRead, expected.size());
        QFETCH(TextEncoding, encoding);
        QCOMPARE(summary.encoding.value_or(TextEncoding::Automatic), encoding);
        const QList<StoredRecipe> stored = m_fx->recipes();
        QFETCH(QStringList, texts);
        QString storedText;
        for (const StoredRecipe &r : stored)
            storedText += r.name + u'\n' + r.instructions.join(u'\n') + u'\n';
        for (const QString &text : texts)
            QVERIFY2(storedText.contains(text), qPrintable(text));
        QCOMPARE(stored.size(), expected.size());
        int complete = 0;
        for (int i = 0; i < expected.size(); ++i) {
            const QString diff = differences(expected[i], stored[i]);
            if (diff.isEmpty())
                ++complete;
            else
                qInfo("recipe at line %d (%s) differs in its %s", expected[i].line, qPrintable(expected[i].title), qPrintable(diff));
        }
        qInfo("%s: %lld recipes, %d stored, %d complete, %d records dropped", qPrintable(QFileInfo(path).fileName()),
              qlonglong(expected.size()), summary.recipesStored, complete, summary.recordsDropped);
        QVERIFY2(complete * 100 >= expected.size() * 99, qPrintable(QString::number(complete)));
        m_fx->verifyNothingHalfDone();
    }

    void mealMasterExportReadsBack_data()
    {
        SKIP_WITHOUT_TESTDATA();
        QTest::addColumn<QString>("path");
        QDirIterator files(mealMasterDir(), {"*.mmf", "*.MMF", "*.txt", "*.TXT"}, QDir::Files, QDirIterator::Subdirectories);
        QStringList paths;
        while (files.hasNext())
            paths << files.next();
        paths.sort();
        for (const QString &path : std::as_const(paths))
            QTest::newRow(qPrintable(path.mid(mealMasterDir().size()))) << path;
    }
    // Every recipe an archive gives, written as Meal-Master and read again, comes back with
    // the same name, category, servings, ingredient lines and directions.
    void mealMasterExportReadsBack()
    {
        QFETCH(QString, path);
        try {
            MealMasterImporter(m_fx->dm()).importFile(path);
        } catch (const ExchangeError &) {
            // A fixture that stops part-way keeps the recipes before the fault: those go round.
        }
        const QList<StoredRecipe> imported = m_fx->recipes();
        QStringList keys;
        for (const StoredRecipe &r : imported)
            keys << r.id;
        QCOMPARE(MealMasterExporter(m_fx->dm()).exportKeys(m_fx->path("out.mmf"), keys), imported.size());
        QCOMPARE(MealMasterImporter(m_fx->dm()).importFile(m_fx->path("out.mmf")).recipesStored, imported.size());
        const QList<StoredRecipe> all = m_fx->recipes();
        QCOMPARE(all.size(), 2 * imported.size());
        for (int i = 0; i < imported.size(); ++i) {
            const StoredRecipe &before = imported[i];
            const StoredRecipe &after = all[imported.size() + i];
            const QStringList was{before.name, before.category, before.servings};
            QCOMPARE((QStringList{after.name, after.category, after.servings}), was);
            QCOMPARE(linesOf(after), linesOf(before));
            QCOMPARE(after.instructions, before.instructions);
        }
    }

    void bothEncodingsOfAnArchiveGiveTheSameRecipes()
    {
        SKIP_WITHOUT_TESTDATA();
        MealMasterImporter importer(m_fx->dm());
        importer.importFile(mealMasterDir() + "JJ_perl6-recipes-apress/apetizer.mmf");
        importer.importFile(mealMasterDir() + "JJ_perl6-recipes-apress/apetizer_utf8_lf.mmf");
        const QList<StoredRecipe> stored = m_fx->recipes();
        QCOMPARE(stored.size() % 2, 0);
        const int half = int(stored.size() / 2);
        for (int i = 0; i < half; ++i) {
            QCOMPARE(withoutAccents({headerOf(stored[half + i])}), withoutAccents({headerOf(stored[i])}));
            QCOMPARE(withoutAccents(linesOf(stored[half + i])), withoutAccents(linesOf(stored[i])));
            QCOMPARE(stored[half + i].instructions.size(), stored[i].instructions.size());
        }
    }

    void fixtures_data()
    {
        SKIP_WITHOUT_TESTDATA();
        QTest::addColumn<QString>("path");
        const QDir dir(mealMasterDir() + QStringLiteral("anymeal_fixtures"));
        for (const QString &file : dir.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(file)) << dir.filePath(file);
    }
    // Small files in many shapes: each imports, or stops with an error naming one of its
    // lines, and leaves nothing half done.
    void fixtures()
    {
        QFETCH(QString, path);
        const int lineCount = int(archiveLines(readFile(path)).size());
        QElapsedTimer timer;
        timer.start();
        QString outcome;
        try {
            const ImportSummary summary = MealMasterImporter(m_fx->dm()).importFile(path);
            outcome = QStringLiteral("%1 recipe(s) stored").arg(summary.recipesStored);
        } catch (const ExchangeError &e) {
            QVERIFY2(e.lineNumber() >= 1 && e.lineNumber() <= lineCount, qPrintable(e.message()));
            QVERIFY(e.message().startsWith(QStringLiteral("Line %1: ").arg(e.lineNumber())));
            outcome = e.message();
        }
        QVERIFY(timer.elapsed() < 10000);
        qInfo("%s: %s", qPrintable(QFileInfo(path).fileName()), qPrintable(outcome));
        m_fx->verifyNothingHalfDone();
    }
};

QTEST_GUILESS_MAIN(TestArchives)
#include "tst_archives.moc"
