#pragma once
// One QApplication for a whole test executable, made before the first test. Tests run on the offscreen platform
// (CTest sets it; a test started by hand gets it too). And the bounded wait for a condition the event loop brings.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <functional>

class QtTestApp : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QApplication::instance() != nullptr)
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tarvik_test";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

inline ::testing::Environment* const kQtTestApp = ::testing::AddGlobalTestEnvironment(new QtTestApp);

// Runs the event loop until the condition holds; false when it still does not after the bound (a failure, not a
// timing). The loop waits for events as the program's does, so that its idle work runs too.
inline bool PumpUntil(const std::function<bool()>& condition, int boundMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > boundMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
