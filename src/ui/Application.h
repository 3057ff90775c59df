#pragma once

#include <QApplication>

// The application object. Every event is delivered inside the command guard, the last resort
// for a handler that let a failure escape: it is shown (or dropped when it is the silent
// abort) and the program keeps running.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
