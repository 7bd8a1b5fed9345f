#include "features/performance/connection_tests/oam_loopback_dlg.h"

#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "link/records/oam_loopback_rec.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_oam_loopback_dlg.h"

#include <QRadioButton>

#include <array>

namespace {

constexpr std::array<int, 3> kTypeIds = {COamLoopbackDlg::kSegmentId, COamLoopbackDlg::kEndToEndId,
                                         COamLoopbackDlg::kBothId};

} // namespace

COamLoopbackDlg::COamLoopbackDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::COamLoopbackDlg>())
{
    ui_->setupUi(this);
}

COamLoopbackDlg::~COamLoopbackDlg() = default;

void COamLoopbackDlg::SetPvc(uint8_t vpi, uint16_t vci)
{
    vpi_ = vpi;
    vci_ = vci;
}

void COamLoopbackDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (request.pvcVpi >= 0 && request.pvcVci >= 0)
        SetPvc(static_cast<uint8_t>(request.pvcVpi), static_cast<uint16_t>(request.pvcVci));
}

void COamLoopbackDlg::SetTarget(int neId, const CEntityId* entity)
{
    CADialog::SetTarget(neId, entity);
    const CEntityIndex index = MapDelegateSlot(FindNeById(static_cast<uint32_t>(neId)), GetTargetEntity().index);
    const CEntityId mapped(&index);
    CADialog::SetTarget(neId, &mapped);
}

void COamLoopbackDlg::InitData()
{
    if (CheckTargetNeOrClose() != 0)
        return;
    loopbackType_ = kSegment;
    UpdateCaption(kCaptionNe | kCaptionEntity);
    UpdateData(false);
}

void COamLoopbackDlg::DoDataExchange(CDataExchange& dx)
{
    QString vpi = QString::number(vpi_);
    QString vci = QString::number(vci_);
    DDX_Text(dx, kVpiId, vpi);
    DDX_Text(dx, kVciId, vci);
    for (size_t i = 0; i < kTypeIds.size(); ++i) {
        auto* radio = GetDlgItemAs<QRadioButton>(kTypeIds[i]);
        if (radio == nullptr)
            continue;
        if (!dx.IsSaving())
            radio->setChecked(loopbackType_ == static_cast<int>(i));
        else if (radio->isChecked())
            loopbackType_ = static_cast<int>(i);
    }
}

int COamLoopbackDlg::OnCommandHook(int id, int code)
{
    if (id == kTestButtonId && code == BN_CLICKED) {
        RunTest();
        return 1;
    }
    return 0;
}

void COamLoopbackDlg::RunTest()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    OamLoopbackRec rec;
    rec.portId = GetTargetEntity().id;
    rec.vpi = vpi_;
    rec.vci = vci_;
    rec.segment = loopbackType_ == kSegment || loopbackType_ == kBoth ? 1 : 0;
    rec.endToEnd = loopbackType_ == kEndToEnd || loopbackType_ == kBoth ? 1 : 0;
    const RequestOutcome outcome = CRecordRequests().Action(kReqOamLoopback, static_cast<uint32_t>(GetNeId()), rec,
                                                            {.failureTextId = kStrFailToSendLoopbackCells});
    if (outcome.Ok())
        ShowInfoTextById(kStrSendLoopbackCellsSuccessfully);
}
