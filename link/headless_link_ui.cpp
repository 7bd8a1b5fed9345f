#include "link/headless_link_ui.h"

#include "link/driver_logs.h"
#include "link/pdu_log.h"

void CHeadlessLinkUi::RunWaitDialog(CWaitContext& wait)
{
    std::optional<uint32_t> stopAfter;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++waitDialogs_;
        stopAfter = stopAfterMs_;
    }
    bool stopped = false;
    while (!wait.WaitFinished(5)) {
        if (!stopped && stopAfter && wait.ElapsedMs() >= *stopAfter) {
            stopped = true;
            WriteDriverLog(DriverLogKind::NetDrv, "wait dialog: Stop after %lu ms",
                           static_cast<unsigned long>(wait.ElapsedMs()));
            wait.Stop();
        }
    }
}

void CHeadlessLinkUi::ShowFailureMessage(uint32_t failureTextId, int code, const std::string& errorText)
{
    WriteDriverLog(DriverLogKind::NetDrv, "message box: text %lu, (%d) %s", static_cast<unsigned long>(failureTextId),
                   code, errorText.c_str());
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.push_back({failureTextId, code, errorText});
}

void CHeadlessLinkUi::AppendPduLogLines(const std::vector<std::string>& lines)
{
    std::lock_guard<std::mutex> lock(mutex_);
    pduLines_.insert(pduLines_.end(), lines.begin(), lines.end());
    if (pduLines_.size() > kPduWindowMaxLines) {
        pduLines_.erase(pduLines_.begin(),
                        pduLines_.begin() + static_cast<std::ptrdiff_t>(pduLines_.size() - kPduWindowMaxLines));
    }
}

void CHeadlessLinkUi::ShowLinkStatus(const std::string& text)
{
    WriteDriverLog(DriverLogKind::NetDrv, "status: %s", text.c_str());
    std::lock_guard<std::mutex> lock(mutex_);
    statusTexts_.push_back(text);
}

void CHeadlessLinkUi::SetStopAfter(std::optional<uint32_t> ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    stopAfterMs_ = ms;
}

std::vector<CHeadlessLinkUi::FailureMessage> CHeadlessLinkUi::FailureMessages() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return failures_;
}

std::vector<std::string> CHeadlessLinkUi::PduLogLines() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return pduLines_;
}

std::vector<std::string> CHeadlessLinkUi::StatusTexts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return statusTexts_;
}

int CHeadlessLinkUi::WaitDialogCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return waitDialogs_;
}

void CHeadlessLinkUi::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.clear();
    pduLines_.clear();
    statusTexts_.clear();
    waitDialogs_ = 0;
}
