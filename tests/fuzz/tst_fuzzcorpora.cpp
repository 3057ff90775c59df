// Replays every input of the fuzzing corpora (fuzz/corpus/<target>/) through the same entry
// points the fuzzers call, so that the inputs that once crashed, hung or broke a promise of
// the importers, the filter or the settings file stay fixed in the ordinary build.

#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <typeinfo>

namespace {

using EntryPoint = int (*)(const uint8_t *, size_t);

const QList<QPair<QString, EntryPoint>> &entryPoints()
{
    static const QList<QPair<QString, EntryPoint>> all{
        {QStringLiteral("native_import"), fuzzNativeImport},
        {QStringLiteral("mealmaster_import"), fuzzMealMasterImport},
        {QStringLiteral("filter"), fuzzFilter},
        {QStringLiteral("settings"), fuzzSettings},
    };
    return all;
}

EntryPoint entryPointFor(const QString &target)
{
    for (const auto &[name, entry] : entryPoints())
        if (name == target)
            return entry;
    return nullptr;
}

QDir corpora()
{
    return QDir(QStringLiteral(PLATEWRIGHT_FUZZ_CORPORA));
}

} // namespace

class TestFuzzCorpora : public QObject {
    Q_OBJECT
private slots:
    void everyCorpusBelongsToATarget()
    {
        const QStringList directories = corpora().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &directory : directories)
            QVERIFY2(entryPointFor(directory), qPrintable("no entry point for the corpus " + directory));
        for (const auto &[name, entry] : entryPoints()) {
            const QDir corpus(corpora().filePath(name));
            QVERIFY2(!corpus.entryList(QDir::Files).isEmpty(), qPrintable("the corpus " + name + " is empty"));
        }
    }

    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("fileName");
        for (const auto &[name, entry] : entryPoints()) {
            const QDir corpus(corpora().filePath(name));
            for (const QString &file : corpus.entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(name + u'/' + file)) << name << corpus.filePath(file);
        }
    }
    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QString, fileName);
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        try {
            entryPointFor(target)(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        } catch (const FuzzInvariantBroken &broken) {
            QFAIL(qPrintable(QStringLiteral("broken promise: ") + QString::fromUtf8(broken.what())));
        } catch (const std::exception &error) {
            QFAIL(qPrintable(QStringLiteral("unexpected %1: %2").arg(QString::fromLatin1(typeid(error).name()),
                                                                      QString::fromUtf8(error.what()))));
        } catch (...) {
            QFAIL("an exception of an unexpected type");
        }
    }

    void cleanupTestCase() { releaseFuzzEnvironment(); }
};

QTEST_GUILESS_MAIN(TestFuzzCorpora)
#include "tst_fuzzcorpora.moc"
