#include "DataModuleFixture.h"
#include "data/KeyGenerator.h"

#include <QProcess>
#include <QSet>
#include <QtTest>

namespace {

qlonglong storedCounter(TDatabase &db, const QString &table, const QString &field)
{
    const QVariant counter = sqlValue(db.connection(),
                                      "SELECT \"Next_Value\" FROM \"Key\" WHERE \"Table_Name\" = ? AND \"Field_Name\" = ?",
                                      {table, field});
    return counter.isValid() ? counter.toLongLong() : -1;
}

// Run as a child process: draws keys from the database of the environment and prints them.
int drawKeys(int count)
{
    TDatabase db;
    db.open();
    QTextStream out(stdout);
    for (int i = 0; i < count; ++i)
        out << GetNextKey(db, "Recipe", "Recipe_ID") << '\n';
    return 0;
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT
    std::unique_ptr<DataModuleFixture> m_fx;
    TdmMain1 *m_dm = nullptr;

private slots:
    void init()
    {
        m_fx = std::make_unique<DataModuleFixture>();
        m_dm = &m_fx->dm();
    }
    void cleanup() { m_fx.reset(); }

    void newCounterStartsAtZero()
    {
        TDatabase &db = m_dm->Database1;
        QCOMPARE(storedCounter(db, "Fresh", "Fresh_ID"), -1);
        QCOMPARE(GetNextKey(db, "Fresh", "Fresh_ID"), QStringLiteral("0"));
        QCOMPARE(storedCounter(db, "Fresh", "Fresh_ID"), 1);
        QCOMPARE(GetNextKey(db, "Fresh", "Fresh_ID"), QStringLiteral("1"));
    }

    void countersAreKeptPerTableAndField()
    {
        TDatabase &db = m_dm->Database1;
        QCOMPARE(TableKeyName(db, "Recipe.DB", "Recipe_ID"), QStringLiteral("0"));
        QCOMPARE(TableKeyName(db, "Recipe.DB", "Recipe_ID"), QStringLiteral("1"));
        QCOMPARE(TableKeyName(db, "INGREDIE.DB", "Ingredient_ID"), QStringLiteral("0"));
        QCOMPARE(TableKeyName(db, "Recipe", "Other_ID"), QStringLiteral("0"));  // no "." in the name
        QCOMPARE(storedCounter(db, "Recipe", "Recipe_ID"), 2);
        QCOMPARE(storedCounter(db, "INGREDIE", "Ingredient_ID"), 1);
    }

    void newRecipesGetKeysAndCancelledInsertsLeaveGaps()
    {
        TTable &recipes = m_dm->tblRecipe;
        recipes.insert();
        QCOMPARE(recipes.fieldByName("Recipe_ID").asString(), QStringLiteral("0"));
        QVERIFY(!recipes.isModified());  // a key alone does not make the record worth storing
        recipes.fieldByName("Name").setAsString("Soup");
        recipes.post();
        recipes.insert();
        recipes.cancel();
        recipes.insert();
        QCOMPARE(recipes.fieldByName("Recipe_ID").asString(), QStringLiteral("2"));
        recipes.cancel();
        QCOMPARE(recipes.recordCount(), 1);
    }

    void suppliedKeyIsNeverOverwritten()
    {
        TTable &recipes = m_dm->tblRecipe;
        recipes.onNewRecord = [](TDataSet &ds) {
            ds.fieldByName("Recipe_ID").setAsString("preset");
            AssignNewKey(static_cast<TTable &>(ds), "Recipe_ID");
        };
        recipes.insert();
        QCOMPARE(recipes.fieldByName("Recipe_ID").asString(), QStringLiteral("preset"));
        recipes.cancel();
        QCOMPARE(storedCounter(m_dm->Database1, "Recipe", "Recipe_ID"), 0);
    }

    void bothIngredientViewsShareOneCounter()
    {
        TTable picker(m_dm->Database1);
        picker.setTableName("INGREDIE.DB");
        picker.setIndexFieldNames("Ingredient");
        picker.onNewRecord = [&picker](TDataSet &) { AssignNewKey(picker, "Ingredient_ID"); };
        picker.open();

        m_dm->tblIngredientLookup.insert();
        QCOMPARE(m_dm->tblIngredientLookup.fieldByName("Ingredient_ID").asString(), QStringLiteral("0"));
        m_dm->tblIngredientLookup.cancel();
        picker.insert();
        QCOMPARE(picker.fieldByName("Ingredient_ID").asString(), QStringLiteral("1"));
        picker.cancel();
    }

    void twoConnectionsNeverShareAKey()
    {
        TDatabase other;
        other.open();
        QSet<QString> keys;
        for (int i = 0; i < 50; ++i) {
            keys << GetNextKey(m_dm->Database1, "Recipe", "Recipe_ID");
            keys << GetNextKey(other, "Recipe", "Recipe_ID");
        }
        QCOMPARE(keys.size(), 100);
        QCOMPARE(storedCounter(other, "Recipe", "Recipe_ID"), 100);
    }

    void keyDrawnInsideATransactionIsReturnedOnRollback()
    {
        TDatabase &db = m_dm->Database1;
        {
            TTransaction transaction(db);
            QCOMPARE(GetNextKey(db, "Recipe", "Recipe_ID"), QStringLiteral("0"));
        }
        QCOMPARE(GetNextKey(db, "Recipe", "Recipe_ID"), QStringLiteral("0"));
    }

    // The counter's row lost, or an older copy of "Key.db" restored: the keys already stored
    // are skipped and the counter is set past the highest of them.
    void counterBehindTheStoredKeysSkipsThem_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("damage");
        const QString deleted = "DELETE FROM Key WHERE Table_Name = '%1'";
        const QString behind = "UPDATE Key SET Next_Value = 1 WHERE Table_Name = '%1'";
        QTest::newRow("recipe counter lost") << "Recipe" << "Recipe_ID" << deleted;
        QTest::newRow("recipe counter restored older") << "Recipe" << "Recipe_ID" << behind;
        QTest::newRow("ingredient counter lost") << "INGREDIE" << "Ingredient_ID" << deleted;
        QTest::newRow("ingredient counter restored older") << "INGREDIE" << "Ingredient_ID" << behind;
    }
    void counterBehindTheStoredKeysSkipsThem()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, damage);
        TDatabase &db = m_dm->Database1;
        for (const QString key : {"0", "1", "2", "9", "10"})
            QVERIFY(execSql(db.connection(), QStringLiteral("INSERT INTO %1 (%2) VALUES ('%3')").arg(table, field, key)));
        QVERIFY(execSql(db.connection(), damage.arg(table)));
        QCOMPARE(GetNextKey(db, table, field), QStringLiteral("11"));
        QCOMPARE(storedCounter(db, table, field), 12);
        QCOMPARE(GetNextKey(db, table, field), QStringLiteral("12"));
    }

    void twoProcessesNeverShareAKey()
    {
        const int perProcess = 300;
        QList<QProcess *> children;
        for (int i = 0; i < 2; ++i) {
            auto *child = new QProcess(this);
            child->start(QCoreApplication::applicationFilePath(), {"--draw-keys", QString::number(perProcess)});
            children << child;
        }
        QSet<QString> keys;
        for (QProcess *child : children) {
            QVERIFY(child->waitForFinished(120000));
            QCOMPARE(child->exitCode(), 0);
            const auto lines = QString::fromUtf8(child->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), perProcess);
            for (const auto &line : lines)
                keys << line;
        }
        QCOMPARE(keys.size(), 2 * perProcess);
        QCOMPARE(storedCounter(m_dm->Database1, "Recipe", "Recipe_ID"), 2 * perProcess);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--draw-keys") == 0)
        return drawKeys(QByteArray(argv[2]).toInt());
    TestKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keys.moc"
