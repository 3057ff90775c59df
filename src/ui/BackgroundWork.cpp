#include "ui/BackgroundWork.h"

#include "ui/UserInputBlock.h"
#include "ui/Waitbox.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <exception>
#include <memory>
#include <optional>

void runInBackground(const std::function<void()> &work, const std::function<void()> &poll, int pollIntervalMs,
                     const TWaitForm *waitBox)
{
    std::exception_ptr failure;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    std::optional<UserInputBlock> block;
    if (!waitBox || !waitBox->isVisible())
        block.emplace();
    QEventLoop loop;
    QTimer polling;
    QObject::connect(&polling, &QTimer::timeout, &loop, poll);
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    polling.start(pollIntervalMs);
    thread->start();
    loop.exec();
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
}
