#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class Prompter;
class QCoreApplication;
class TTable;
class TdmMain1;

// What every fuzzed input runs against: the application object (made here when the caller has
// none), a data module on a fresh database in a scratch directory, and a quiet prompter. It is
// made on first use and lives until release(), so a fuzzing process opens the database once.
class FuzzEnvironment {
public:
    static FuzzEnvironment &instance();
    static void release();

    TdmMain1 &dataModule() { return *m_dataModule; }
    // A view of the day table with filtering on: the filter's date and number literals.
    TTable &dayView() { return *m_dayView; }
    QString scratchFile(const QString &name) const { return m_directory.filePath(name); }

    ~FuzzEnvironment();
    FuzzEnvironment(const FuzzEnvironment &) = delete;
    FuzzEnvironment &operator=(const FuzzEnvironment &) = delete;

private:
    FuzzEnvironment();

    std::unique_ptr<QCoreApplication> m_application;
    QTemporaryDir m_directory;
    std::unique_ptr<Prompter> m_prompter;
    Prompter *m_previousPrompter = nullptr;
    std::unique_ptr<TdmMain1> m_dataModule;
    std::unique_ptr<TTable> m_dayView;
};
