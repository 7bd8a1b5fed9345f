// Jobs of requests away from the UI thread: the job runs on the worker's thread, its result comes back on the UI
// thread once the event loop gets to it, one job at a time; an abandoned job's result never arrives; the failure box
// its request asks for shows on the UI thread.

#include "tests/ui/framework/framework_test_support.h"

#include "link/driver_result.h"
#include "link/records/request_codes.h"
#include "platform/scripted_runners.h"
#include "ui/framework/link_ui/qt_link_ui.h"
#include "ui/framework/link_ui/request_worker.h"
#include "ui/framework/messages/string_ids.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace {

class RequestWorkerTest : public ::testing::Test {
protected:
    void SetUp() override { LoadProgramStrings(); }
};

TEST_F(RequestWorkerTest, TheJobRunsAwayAndItsResultComesBackOnTheUiThread)
{
    CRequestWorker worker;
    std::atomic<bool> release{false};
    std::thread::id ranOn;
    std::optional<int> result;
    QThread* resultOn = nullptr;
    ASSERT_TRUE(worker.Run<int>(
        [&](const CRecordRequests&) {
            ranOn = std::this_thread::get_id();
            while (!release.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return 7;
        },
        [&](int value) {
            result = value;
            resultOn = QThread::currentThread();
        }));
    EXPECT_TRUE(worker.IsBusy());
    EXPECT_FALSE(worker.Run<int>([](const CRecordRequests&) { return 0; }, [](int) {})) << "one job at a time";
    release = true;
    EXPECT_TRUE(PumpUntil([&] { return result.has_value(); }));
    EXPECT_EQ(result, 7);
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_EQ(resultOn, QCoreApplication::instance()->thread());
    EXPECT_FALSE(worker.IsBusy());
    EXPECT_TRUE(worker.Run<int>([](const CRecordRequests&) { return 1; }, [&](int value) { result = value; }));
    EXPECT_TRUE(PumpUntil([&] { return result == 1; }));
}

TEST_F(RequestWorkerTest, AnAbandonedJobsResultNeverArrives)
{
    CRequestWorker worker;
    bool arrived = false;
    ASSERT_TRUE(worker.Run<int>([](const CRecordRequests&) { return 1; }, [&](int) { arrived = true; }));
    worker.Abandon();
    EXPECT_FALSE(worker.IsBusy());
    PumpUntil([] { return false; }, 50);
    EXPECT_FALSE(arrived);
}

TEST_F(RequestWorkerTest, AFailedRequestsBoxShowsOnTheUiThread)
{
    CQtLinkUi ui;
    ScopedLinkUi registered(ui);
    ScriptedModalRunner runner;
    QString shown;
    QThread* shownOn = nullptr;
    runner.Push([&](QDialog& box) {
        shown = qobject_cast<QPlainTextEdit*>(FindControl(&box, 1348))->toPlainText();
        shownOn = QThread::currentThread();
        return IDOK;
    });
    CRequestWorker worker;
    std::optional<int> result;
    // No driver is logged in: the request fails, and its failure text asks for the box.
    ASSERT_TRUE(worker.Run<int>(
        [](const CRecordRequests& requests) {
            return requests.Query(kReqMcChannel, 1, {.failureTextId = kStrFailToQuery}).result;
        },
        [&](int value) { result = value; }));
    EXPECT_TRUE(PumpUntil([&] { return result.has_value() && !shown.isEmpty(); }));
    EXPECT_NE(result, kDrvOk);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Fail to query"))) << shown.toStdString();
    EXPECT_EQ(shownOn, QCoreApplication::instance()->thread());
}

} // namespace
