// The link's user interface without windows: the wait dialog only waits (or presses Stop after a set time),
// message boxes and PDU log lines are kept and written to NetDrv.log.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/link_ui.h"

class CHeadlessLinkUi : public ILinkUi {
public:
    struct FailureMessage {
        uint32_t failureTextId = 0;
        int code = 0;
        std::string errorText;
    };

    void RunWaitDialog(CWaitContext& wait) override;
    void ShowFailureMessage(uint32_t failureTextId, int code, const std::string& errorText) override;
    void AppendPduLogLines(const std::vector<std::string>& lines) override;
    void ShowLinkStatus(const std::string& text) override;

    // Presses Stop once a wait dialog has been open this long; nullopt never presses it.
    void SetStopAfter(std::optional<uint32_t> ms);

    std::vector<FailureMessage> FailureMessages() const;
    std::vector<std::string> PduLogLines() const;
    std::vector<std::string> StatusTexts() const;
    int WaitDialogCount() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::optional<uint32_t> stopAfterMs_;
    std::vector<FailureMessage> failures_;
    std::vector<std::string> pduLines_;
    std::vector<std::string> statusTexts_;
    int waitDialogs_ = 0;
};
