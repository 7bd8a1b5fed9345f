#pragma once
// CNeAutoSyncPage ("Auto-sync", template 330): how the server and the NE bring their configurations together when the
// NE comes back: not at all, the server's to the NE, or the NE's to the server. One radio group; the page holds the
// choice for its container.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CNeAutoSyncPage;
}

class CNeAutoSyncPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 330;
    static constexpr int kFirstRadioId = 1061; // then 1062 and 1063

    // The radios in their order.
    static constexpr int kDisabled = 0;
    static constexpr int kServerToNe = 1;
    static constexpr int kNeToServer = 2;

    explicit CNeAutoSyncPage(QWidget* parent = nullptr);
    ~CNeAutoSyncPage() override;

    int Choice() const { return choice_; }
    void SetChoice(int choice) { choice_ = choice; }

    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CNeAutoSyncPage> ui_;
    int choice_ = kDisabled;
};

// The NE's auto-synchronisation value and the radio that shows it: 0 disabled, 1 NE-to-Server, any other value
// Server-to-NE.
int AutoSyncChoiceOf(uint32_t value);
uint32_t AutoSyncValueOf(int choice);
