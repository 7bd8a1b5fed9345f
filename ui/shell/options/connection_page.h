#pragma once
// CConnectionPage ("Connection", template 334), the second page of Client Options: the server's port, the local port
// for its notifications, how long a request waits and how often the keep-alive goes. The ports may be changed only
// where SYSTEM/CHANGEPORT allows it; the new values take effect at the next connection.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CConnectionPage;
}

class CConnectionPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 334;
    static constexpr int kServerPortId = 1334;
    static constexpr int kServerPortSpinId = 1335;
    static constexpr int kTrapPortId = 1358;
    static constexpr int kTrapPortSpinId = 1359;
    static constexpr int kWaitId = 1311;
    static constexpr int kWaitSpinId = 1312;
    static constexpr int kHelloId = 1313;
    static constexpr int kHelloSpinId = 1314;

    explicit CConnectionPage(QWidget* parent = nullptr);
    ~CConnectionPage() override;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

    // Writes what the controls hold into the settings and the LINK section of the configuration file.
    void Save();

private:
    struct Range {
        int edit;
        int spin;
        uint32_t minimum;
        uint32_t maximum;
    };
    static const Range kRanges[4];

    std::unique_ptr<Ui::CConnectionPage> ui_;
    uint32_t serverPort_ = 0;
    uint32_t trapPort_ = 0;
    uint32_t waitSeconds_ = 0;
    uint32_t helloSeconds_ = 0;
};
