#pragma once
// One QApplication for a whole test executable, made before the first test. Tests run on the offscreen platform
// (CTest sets it; a test started by hand gets it too).

#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

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
