#include "app/Startup.h"

#include "calendar/Main.h"
#include "calendar/MonthCalendar.h"
#include "data/dmmain.h"
#include "exchange_ui/impexptb.h"
#include "reports_ui/Report.h"
#include "ui/AbsBase.h"
#include "ui/AbsRegular.h"
#include "ui/Application.h"
#include "ui/CommandGuard.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/Waitbox.h"
#include "ui/about.h"

#include <QDir>
#include <QIcon>
#include <cstdlib>

namespace {

// Creates one of the run-long objects and publishes it through its global.
template <typename T>
void create(std::unique_ptr<T> &owner, T *&global)
{
    owner = std::make_unique<T>();
    global = owner.get();
}

template <typename T>
void destroy(std::unique_ptr<T> &owner, T *&global)
{
    owner.reset();
    global = nullptr;
}

// Puts the message-box prompter in place for the run and the previous one back afterwards.
class PrompterInstallation {
public:
    explicit PrompterInstallation(Prompter &prompter) : m_previous(Prompter::install(&prompter)) {}
    ~PrompterInstallation() { Prompter::install(m_previous); }
    PrompterInstallation(const PrompterInstallation &) = delete;
    PrompterInstallation &operator=(const PrompterInstallation &) = delete;

private:
    Prompter *m_previous;
};

// Every size the build rendered of the program's icon and built into the program.
QIcon programIcon()
{
    QIcon icon;
    const QDir pictures(QStringLiteral(":/icons"));
    for (const QString &name : pictures.entryList({QStringLiteral("platewright-*.png")}))
        icon.addFile(pictures.filePath(name));
    return icon;
}

} // namespace

Startup::Startup() = default;

Startup::~Startup()
{
    destroy(m_waitForm, WaitForm);
    destroy(m_aboutForm, AboutForm);
    destroy(m_mainForm, MainForm);
    destroy(m_dataModule, dmMain1);
    destroy(m_absRegularForm, AbsRegularForm);
    destroy(m_absBaseForm, AbsBaseForm);
}

bool Startup::createObjects()
{
    return runGuarded([this] { createInOrder(); });
}

// The order is binding: regular windows look up the manager of AbsBaseForm when they are made,
// and the main window needs the open tables of the data module.
void Startup::createInOrder()
{
    create(m_absBaseForm, AbsBaseForm);
    create(m_absRegularForm, AbsRegularForm);
    create(m_dataModule, dmMain1);
    create(m_mainForm, MainForm);
    m_mainForm->reportWizardWindow = [](QWidget &owner) {
        TReportForm wizard(&owner);
        wizard.RunReportWizard(MainForm->Calendar1->date());
    };
    m_mainForm->importExportWindow = [](QWidget &owner) {
        TImportExportTableForm dialog(&owner);
        dialog.RunImportExport();
    };
    create(m_aboutForm, AboutForm);
    create(m_waitForm, WaitForm);
}

void Startup::showMainWindow()
{
    m_mainForm->show();
}

int Startup::runProgram(int &argc, char **argv)
{
    Application application(argc, argv);
    Application::setWindowIcon(programIcon());
    Application::setDesktopFileName(QStringLiteral("platewright"));
    MessageBoxPrompter prompter;
    PrompterInstallation installation(prompter);
    Startup startup;
    if (!startup.createObjects())
        return EXIT_FAILURE;
    startup.showMainWindow();
    return application.exec();
}
