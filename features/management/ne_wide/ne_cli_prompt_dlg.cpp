#include "features/management/ne_wide/ne_cli_prompt_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/cli_prompt_rec.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_cli_prompt_dlg.h"
#include "ui_ne_cli_prompt_dual_dlg.h"

#include <QLineEdit>

#include <optional>

namespace {

constexpr std::array<int, 2> kPromptIds{CCliPromptBaseDlg::kMasterId, CCliPromptBaseDlg::kSlaveId};

} // namespace

CCliPromptBaseDlg::CCliPromptBaseDlg(int templateId, RequestCode<CliPromptRec> code, int prompts, QWidget* parent)
    : CADialog(templateId, parent), code_(code), prompts_(prompts)
{
}

void CCliPromptBaseDlg::DoDataExchange(CDataExchange& dx)
{
    for (int i = 0; i < prompts_; ++i)
        DDX_Text(dx, kPromptIds[static_cast<size_t>(i)], texts_[static_cast<size_t>(i)]);
}

void CCliPromptBaseDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightCliPrompt) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    for (int i = 0; i < prompts_; ++i) {
        const int id = kPromptIds[static_cast<size_t>(i)];
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setMaxLength(kPromptMax);
        LimitTextToField(id, kCliPromptWidth);
    }
    const RecordReply<CliPromptRec> reply = CRecordRequests().Query<CliPromptRec>(
        code_, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        texts_[0] = QString::fromStdString(reply.records.front().masterPrompt);
        texts_[1] = QString::fromStdString(reply.records.front().slavePrompt);
    }
    UpdateData(false);
}

bool CCliPromptBaseDlg::CheckPrompt(int index)
{
    // The prompt trimmed of blanks at both ends; a bad character is selected where it stands in the edit.
    const int id = kPromptIds[static_cast<size_t>(index)];
    const std::optional<TypedNameRefusal> refused = CheckTypedName(texts_[static_cast<size_t>(index)]);
    if (!refused)
        return true;
    ShowAlertTextById(refused->stringId, id);
    SelectTypedNameFault(*this, id, *refused);
    return false;
}

void CCliPromptBaseDlg::OnOK()
{
    // The prompt is the NE's to change: an operator who may only look does not.
    if (CheckTargetNe() != 0 || CheckRight(kRightCliPrompt, 'm') != 0 || !UpdateDialogData())
        return;
    for (int i = 0; i < prompts_; ++i) {
        if (!CheckPrompt(i))
            return;
    }
    CliPromptRec rec;
    rec.masterPrompt = texts_[0].trimmed().toStdString();
    if (prompts_ > 1)
        rec.slavePrompt = texts_[1].trimmed().toStdString();
    if (!CRecordRequests()
             .Modify(code_, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    EndDialog(IDOK);
}

CNeCliPromptDlg::CNeCliPromptDlg(QWidget* parent)
    : CCliPromptBaseDlg(kTemplateId, kReqCliPrompt, 1, parent), ui_(std::make_unique<Ui::CNeCliPromptDlg>())
{
    ui_->setupUi(this);
}

CNeCliPromptDlg::~CNeCliPromptDlg() = default;

CNeCliPromptDualDlg::CNeCliPromptDualDlg(QWidget* parent)
    : CCliPromptBaseDlg(kTemplateId, kReqCliPromptDual, 2, parent), ui_(std::make_unique<Ui::CNeCliPromptDualDlg>())
{
    ui_->setupUi(this);
}

CNeCliPromptDualDlg::~CNeCliPromptDualDlg() = default;
