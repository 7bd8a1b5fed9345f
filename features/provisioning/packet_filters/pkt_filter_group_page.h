#pragma once
// CPktFilterGroupPage (template 474), one page of the xDSL Packet Filter Group dialog: a group's state (radios 1162
// Enabled, 1134 Disabled), name (1257) and member filters, a check box per filter (1059..1067) beside the filter's
// state (1069..1077) and name (1079..1087) as the card has them. A downstream group offers no known filter. The page
// holds values; the dialog loads it and reads it back.

#include "features/provisioning/packet_filters/pkt_filter_values.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <array>
#include <memory>

namespace Ui {
class CPktFilterGroupPage;
}

class CPktFilterGroupPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 474;
    static constexpr int kEnabledId = 1162;
    static constexpr int kDisabledId = 1134;
    static constexpr int kNameId = 1257;
    static constexpr int kFirstMemberId = 1059;
    static constexpr int kFirstStateId = 1069;
    static constexpr int kFirstFilterNameId = 1079;
    // The filter number of each row: Ether-Type-Only 1, 2, Known 1..5, Fully Configured 1, 2.
    static constexpr std::array<uint32_t, 9> kRowFilters{3, 4, 5, 6, 7, 8, 9, 1, 2};

    explicit CPktFilterGroupPage(QWidget* parent = nullptr);
    ~CPktFilterGroupPage() override;

    // The group shown, its titles and rows; the filters' states and names of its direction.
    void Load(const PktFilterGroupRec& group);
    void ShowFilters(const PktFilterSet& filters);
    // The group as the operator left it (after the page's data exchange).
    PktFilterGroupRec Group() const;
    const QString& Name() const { return name_; }

    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CPktFilterGroupPage> ui_;
    PktFilterGroupRec group_;
    int state_ = 1; // 0 Enabled, 1 Disabled
    QString name_;
    std::array<int, 9> members_{};
};
