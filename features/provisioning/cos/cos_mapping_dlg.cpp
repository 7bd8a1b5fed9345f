#include "features/provisioning/cos/cos_mapping_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/cos_mapping_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_cos_mapping_dlg.h"

#include <QComboBox>
#include <QStringList>

namespace {

constexpr int kPriorities = static_cast<int>(kUserPriorityCount);
constexpr std::array<uint8_t, kUserPriorityCount> kDefaultQueues = {3, 1, 2, 4, 5, 6, 7, 8};
// The codes of the DSCP choices in their order: Expedited Forwarding, AF11 .. AF43, Best Effort.
constexpr std::array<uint32_t, 14> kDscpCodes = {13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0};
constexpr uint32_t kBestEffort = 0;

} // namespace

CCosMappingDlg::CCosMappingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CCosMappingDlg>())
{
    ui_->setupUi(this);
}

CCosMappingDlg::~CCosMappingDlg() = default;

void CCosMappingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, stateRadio_);
}

void CCosMappingDlg::FillCombos()
{
    const QStringList dscp = LoadQString(kStrDscpChoices).split('|');
    for (int p = 0; p < kPriorities; ++p) {
        auto* queue = GetDlgItemAs<QComboBox>(kFirstQueueComboId + p);
        queue->clear();
        for (int q = 1; q <= 8; ++q)
            queue->addItem(QString::number(q), q);
        queue->setCurrentIndex(kDefaultQueues[static_cast<size_t>(p)] - 1);
        auto* code = GetDlgItemAs<QComboBox>(kFirstDscpComboId + p);
        code->clear();
        for (size_t i = 0; i < kDscpCodes.size(); ++i)
            code->addItem(dscp.value(static_cast<int>(i)), kDscpCodes[i]);
        SelectDscp(p, kBestEffort);
    }
}

bool CCosMappingDlg::SelectDscp(int priority, uint32_t code)
{
    auto* combo = GetDlgItemAs<QComboBox>(kFirstDscpComboId + priority);
    const int index = combo->findData(code);
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}

void CCosMappingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightCosMapping) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    FillCombos();
    UpdateData(false);
    const RecordReply<CosMappingRec> reply = CRecordRequests().Query<CosMappingRec>(
        kReqCosMapping, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const CosMappingRec& rec = reply.records.front();
    for (int p = 0; p < kPriorities; ++p) {
        const uint8_t queue = rec.queues[static_cast<size_t>(p)];
        if (queue >= 1 && queue <= 8)
            GetDlgItemAs<QComboBox>(kFirstQueueComboId + p)->setCurrentIndex(queue - 1);
        SelectDscp(p, rec.dscp[static_cast<size_t>(p)]);
    }
    stateRadio_ = rec.dscpRemapping == 1 ? 0 : 1;
    UpdateData(false);
}

void CCosMappingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightCosMapping, 'm') != 0 || !UpdateDialogData())
        return;
    CosMappingRec rec;
    for (int p = 0; p < kPriorities; ++p) {
        const auto index = static_cast<size_t>(p);
        rec.queues[index] =
            static_cast<uint8_t>(GetDlgItemAs<QComboBox>(kFirstQueueComboId + p)->currentData().toUInt());
        rec.dscp[index] = GetDlgItemAs<QComboBox>(kFirstDscpComboId + p)->currentData().toUInt();
    }
    rec.dscpRemapping = stateRadio_ == 0 ? 1 : 0;
    if (!CRecordRequests()
             .Modify(kReqCosMapping, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
