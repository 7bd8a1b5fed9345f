#pragma once
// The pages of the xDSL Packet Filter dialog, one row per filter with its state (Enabled/Disabled radios), name and
// action (match-forward, match-drop, unmatch-drop), and the criteria of its kind: CPktFilterEtherTypePage
// ("Ether-Type-Only", template 470; filters 3 and 4, an Ether type in hexadecimal), CPktFilterKnownPage ("Known",
// template 472; filters 5..9, a packet type fixed by the row) and CPktFilterFullPage ("Fully Configured", template
// 471; filters 1 and 2: Ether type, IP protocol and source or destination port with their prefix bits, each criterion
// chosen by its check box). Each block holds the upstream rows, then the downstream rows. The pages hold values; the
// dialog loads them from the NE's records and reads them back.

#include "features/provisioning/packet_filters/pkt_filter_values.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class CPktFilterEtherTypePage;
class CPktFilterKnownPage;
class CPktFilterFullPage;
} // namespace Ui

// The controls of one filter's row; 0 where the row has no such control.
struct PktFilterRowIds {
    uint32_t direction = 0;
    uint32_t number = 0;
    int enabled = 0;
    int disabled = 0;
    int name = 0;
    int action = 0;
    int etherCheck = 0;
    int etherType = 0;
    int protocolCheck = 0;
    int protocol = 0;
    int portCheck = 0;
    int sourcePort = 0;
    int sourcePrefix = 0;
    int sourcePrefixSpin = 0;
    int destinationPort = 0;
    int destinationPrefix = 0;
    int destinationPrefixSpin = 0;
};

class CPktFilterPage : public CADialog {
    Q_OBJECT
public:
    const std::vector<PktFilterRowIds>& Rows() const { return rows_; }
    // The rows from the set, and back into it.
    void Load(const PktFilterSet& set);
    void Store(PktFilterSet& set) const;

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    // A fully configured filter without a criterion is disabled and keeps its state radios off; a criterion's fields
    // are on only while its check box is.
    void ApplyStateRule();

protected:
    CPktFilterPage(int templateId, std::vector<PktFilterRowIds> rows, QWidget* parent);
    // Pairs each row's state radios and wires the Ether type edits to their typing and leaving rules; once the
    // template is set up.
    void WireRows();

private:
    struct RowValues {
        int state = 1; // 0 Enabled, 1 Disabled
        QString name;
        int action = 0;
        QString etherType = QStringLiteral("0800");
        int etherOn = 0;
        int protocolOn = 0;
        uint32_t protocol = 0;
        int portOn = 0;
        uint32_t sourcePort = 0;
        uint32_t sourcePrefix = 16;
        uint32_t destinationPort = 0;
        uint32_t destinationPrefix = 16;
    };

    // The IP protocol, port and prefix bits fields of the fully configured rows.
    bool IsNumberField(int id) const;

    std::vector<PktFilterRowIds> rows_;
    std::vector<RowValues> values_;
};

class CPktFilterEtherTypePage : public CPktFilterPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 470;
    explicit CPktFilterEtherTypePage(QWidget* parent = nullptr);
    ~CPktFilterEtherTypePage() override;

private:
    std::unique_ptr<Ui::CPktFilterEtherTypePage> ui_;
};

class CPktFilterKnownPage : public CPktFilterPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 472;
    explicit CPktFilterKnownPage(QWidget* parent = nullptr);
    ~CPktFilterKnownPage() override;

private:
    std::unique_ptr<Ui::CPktFilterKnownPage> ui_;
};

class CPktFilterFullPage : public CPktFilterPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 471;
    explicit CPktFilterFullPage(QWidget* parent = nullptr);
    ~CPktFilterFullPage() override;

private:
    std::unique_ptr<Ui::CPktFilterFullPage> ui_;
};

// The rows of the pages, as their templates place them.
std::vector<PktFilterRowIds> EtherTypePageRows();
std::vector<PktFilterRowIds> KnownPageRows();
std::vector<PktFilterRowIds> FullPageRows();
