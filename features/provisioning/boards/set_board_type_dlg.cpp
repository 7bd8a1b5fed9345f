#include "features/provisioning/boards/set_board_type_dlg.h"

#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_set_board_type_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134;
constexpr uint32_t kTaggedOnly = 1;
constexpr uint32_t kUntaggedOnly = 2;
// The slot's state bit that fixes its tagged mode.
constexpr uint32_t kTaggedModeFixed = 0x10;

} // namespace

CSetBoardTypeDlg::CSetBoardTypeDlg(QWidget* parent)
    : CBoardDlgBase(kTemplateId, parent), ui_(std::make_unique<Ui::CSetBoardTypeDlg>())
{
    ui_->setupUi(this);
}

CSetBoardTypeDlg::~CSetBoardTypeDlg() = default;

void CSetBoardTypeDlg::DoDataExchange(CDataExchange& dx)
{
    CBoardDlgBase::DoDataExchange(dx);
    DDX_Radio(dx, {kTaggedOnlyId, kUntaggedOnlyId}, taggedIndex_);
}

void CSetBoardTypeDlg::InitData()
{
    if (!LoadBoard())
        return;
    taggedIndex_ = loadedTaggedIndex_ = RadioIndex(record_.taggedMode);
    const CEntityNode* slot = Ne()->root->FindById(record_.entityId);
    if (slot != nullptr && (slot->stateBits & kTaggedModeFixed) != 0)
        EnableControls({kTaggedOnlyId, kUntaggedOnlyId}, false);
    UpdateData(false);
}

void CSetBoardTypeDlg::OnOK()
{
    const uint32_t planned = StartOk();
    if (planned == 0)
        return;
    if (taggedIndex_ != loadedTaggedIndex_ &&
        ShowMessageById(taggedIndex_ == 1 ? kStrSureToRebootForUntagged : kStrSureToRebootForTagged, kConfirmFlags) !=
            IDYES)
        return;
    // Fields the dialog does not set go back as they were read; this kind of board carries no PVC settings.
    BoardSettingRec board = record_;
    board.plannedType = planned;
    board.aal5Encapsulation = 0;
    board.vlanTagPassThrough = 0;
    board.taggedMode = taggedIndex_ == 0 ? kTaggedOnly : kUntaggedOnly;
    if (WriteBoard(board))
        EndDialog(IDOK);
}
