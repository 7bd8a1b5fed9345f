#pragma once
// One QApplication for a whole test executable, made before the first test. Tests run on the offscreen platform
// (CTest sets it; a test started by hand gets it too). A dialog that asks for a control its template lacks fails the
// test that made it ask. And the bounded wait for a condition the event loop brings.

#include "platform/control_id.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <functional>

class QtTestApp : public ::testing::Environment {
public:
    void SetUp() override
    {
        SetMissingControlReporter(
            [](const QWidget& window, int id) { ADD_FAILURE() << DescribeMissingControl(window, id).toStdString(); });
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

// For a test of the lookup itself: the missing-control reports of its lifetime are noted instead of failing.
class MissingControlReports {
public:
    MissingControlReports()
        : previous_(SetMissingControlReporter(
              [this](const QWidget& window, int id) { texts.push_back(DescribeMissingControl(window, id)); }))
    {
    }
    ~MissingControlReports() { SetMissingControlReporter(previous_); }
    MissingControlReports(const MissingControlReports&) = delete;
    MissingControlReports& operator=(const MissingControlReports&) = delete;

    QStringList texts;

private:
    MissingControlReporter previous_;
};

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
