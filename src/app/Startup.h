#pragma once

#include <memory>

class TAboutForm;
class TAbsBaseForm;
class TAbsRegularForm;
class TMainForm;
class TWaitForm;
class TdmMain1;

// The objects that live for the whole run, created in a fixed order and destroyed in the
// reverse order. Each is also reachable through its global of the same name.
class Startup {
public:
    Startup();
    ~Startup();
    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

    // Creates the base windows, the data module, the main window, the about box and the wait
    // box, none of them shown. On a failure (the database cannot be reached, say) the message
    // has been shown through the prompter, nothing after the failing step exists, and the
    // result is false.
    bool createObjects();
    void showMainWindow();

    // The whole program: application object, message boxes, start-up, event loop, shutdown.
    static int runProgram(int &argc, char **argv);

private:
    void createInOrder();

    std::unique_ptr<TAbsBaseForm> m_absBaseForm;
    std::unique_ptr<TAbsRegularForm> m_absRegularForm;
    std::unique_ptr<TdmMain1> m_dataModule;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TAboutForm> m_aboutForm;
    std::unique_ptr<TWaitForm> m_waitForm;
};
