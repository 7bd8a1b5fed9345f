#include "features/performance/line_tests/xdsl_bits_allocation_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/line_tests/line_test_protocol.h"
#include "features/performance/line_tests/tone_page_commands.h"
#include "features/performance/pm/pm_port_target.h"
#include "link/record_requests.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_bits_allocation_dlg.h"

namespace {

int32_t Bits(uint8_t bits)
{
    return bits;
}

} // namespace

CXdslBitsAllocationDlg::CXdslBitsAllocationDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslBitsAllocationDlg>())
{
    ui_->setupUi(this);
}

CXdslBitsAllocationDlg::~CXdslBitsAllocationDlg() = default;

void CXdslBitsAllocationDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightBitsAllocation, kAdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    page_.SetDisplay(0, {});
    page_.SetOwnsMessageLine(false);
    page_.setParent(this);
    page_.setWindowFlags(Qt::Widget);
    page_.SetTarget(GetNeId(), &GetTargetEntity());
    page_.Create();
    FitPageInto(page_, PageRect(*this));
    page_.show();
    Refresh();
}

void CXdslBitsAllocationDlg::Refresh()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightBitsAllocation, 'q') != 0)
        return;
    page_.Reset();
    const uint32_t port = GetTargetEntity().id;
    const RecordReply<BitsAllocRec> reply = CRecordRequests().Query<BitsAllocRec>(
        kReqBitsAlloc, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (const BitsAllocRec& rec : reply.records) {
        if (rec.entityId != port)
            continue;
        page_.SetValues(ToneValues(rec.upBits, Bits), ToneValues(rec.downBits, Bits));
        page_.Relayout();
        return;
    }
}

int CXdslBitsAllocationDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    return page_.CompareItems(item1, item2, flags);
}

int CXdslBitsAllocationDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CADialog::OnCommandHook(id, code);
    switch (id) {
    case kRefreshButtonId:
    case kPopupRefresh:
        Refresh();
        return 1;
    case kGraphId:
    case kPopupGraph:
        ShowToneGraph(page_, {"BITALLOC", windowTitle().toStdString(), LoadString(kStrAxisBits)});
        return 1;
    case kExportButtonId:
    case kPopupExport:
        ExportPageList(*this, page_, "xDslBits");
        return 1;
    case kPopupClose:
        EndDialog(IDCANCEL);
        return 1;
    default:
        return CADialog::OnCommandHook(id, code);
    }
}
