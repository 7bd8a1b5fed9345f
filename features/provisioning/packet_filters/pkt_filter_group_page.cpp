#include "features/provisioning/packet_filters/pkt_filter_group_page.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_pkt_filter_group_page.h"

#include <QLineEdit>

namespace {

bool IsKnownFilter(uint32_t number)
{
    return number >= kKnownFilters.front() && number <= kKnownFilters.back();
}

} // namespace

CPktFilterGroupPage::CPktFilterGroupPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CPktFilterGroupPage>())
{
    ui_->setupUi(this);
    ui_->nameEdit->setMaxLength(kFilterNameCharacters);
}

CPktFilterGroupPage::~CPktFilterGroupPage() = default;

void CPktFilterGroupPage::Load(const PktFilterGroupRec& group)
{
    group_ = group;
    state_ = group.state == 1 ? 0 : 1;
    name_ = QString::fromStdString(group.name);
    const bool upstream = group.direction == kFilterUpstream;
    for (size_t row = 0; row < kRowFilters.size(); ++row) {
        members_[row] = (group.memberMask >> (kRowFilters[row] - 1)) & 1u;
        const bool offered = upstream || !IsKnownFilter(kRowFilters[row]);
        EnableControls({kFirstMemberId + static_cast<int>(row), kFirstStateId + static_cast<int>(row),
                        kFirstFilterNameId + static_cast<int>(row)},
                       offered);
    }
    ui_->groupFrame->setTitle(
        LoadQString(upstream ? kStrUpstreamFilterGroupTitle : kStrDownstreamFilterGroupTitle).arg(group.groupNumber));
    ui_->filtersFrame->setTitle(LoadQString(upstream ? kStrUpstreamPacketFilters : kStrDownstreamPacketFilters));
}

void CPktFilterGroupPage::ShowFilters(const PktFilterSet& filters)
{
    const auto& side = group_.direction == kFilterUpstream ? filters.upstream : filters.downstream;
    for (size_t row = 0; row < kRowFilters.size(); ++row) {
        const PktFilterRec& filter = side[kRowFilters[row] - 1];
        GetDlgItemAs<QLineEdit>(kFirstStateId + static_cast<int>(row))
            ->setText(LoadQString(filter.state == 1 ? kStrValueEnabled : kStrValueDisabled));
        GetDlgItemAs<QLineEdit>(kFirstFilterNameId + static_cast<int>(row))
            ->setText(QString::fromStdString(filter.name));
    }
}

PktFilterGroupRec CPktFilterGroupPage::Group() const
{
    PktFilterGroupRec group = group_;
    group.state = state_ == 0 ? 1 : 2;
    group.name = name_.trimmed().toStdString();
    uint32_t mask = 0;
    for (size_t row = 0; row < kRowFilters.size(); ++row) {
        if (members_[row] != 0)
            mask |= 1u << (kRowFilters[row] - 1);
    }
    group.memberMask = WrittenGroupMask(group.direction, mask);
    return group;
}

void CPktFilterGroupPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, state_);
    DDX_Text(dx, kNameId, name_);
    for (size_t row = 0; row < members_.size(); ++row)
        DDX_Check(dx, kFirstMemberId + static_cast<int>(row), members_[row]);
}
