#include "features/management/ne_fs/ne_fs_copy_base_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/common/name_chars.h"
#include "features/management/ne_fs/ne_fs_copy_progress_dlg.h"
#include "features/management/ne_fs/ne_fs_copy_watch.h"
#include "features/management/ne_fs/ne_fs_partition.h"
#include "link/record_requests.h"
#include "link/records/ne_fs_copy_record.h"
#include "platform/message_box_runner.h"
#include "platform/notify_codes.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr int kErrorBox = static_cast<int>(MB_OK | MB_ICONEXCLAMATION);
constexpr int kInfoBox = static_cast<int>(MB_OK | MB_ICONASTERISK);
constexpr int kNameMax = 32;
constexpr uint32_t kSourceFileMissing = 5;

} // namespace

CNeFsCopyBaseDlg::CNeFsCopyBaseDlg(int templateId, std::vector<Destination> destinations, QWidget* parent)
    : CADialog(templateId, parent), destinations_(std::move(destinations))
{
}

void CNeFsCopyBaseDlg::SetSource(uint32_t partition, const std::string& name)
{
    sourcePartition_ = partition;
    sourceName_ = name;
}

bool CNeFsCopyBaseDlg::IsChecked(int checkId) const
{
    const auto* box = GetDlgItemAs<QAbstractButton>(checkId);
    return box != nullptr && box->isChecked();
}

void CNeFsCopyBaseDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeFileSystemCopy) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const uint32_t otherPartition =
        sourcePartition_ == kNeFsPartitionOpCodeA ? kNeFsPartitionOpCodeB : kNeFsPartitionOpCodeA;
    if (auto* partition = GetDlgItemAs<QLineEdit>(kSourcePartitionId))
        partition->setText(NeFsPartitionText(sourcePartition_ == kNeFsPartitionOpCodeA ? kNeFsPartitionOpCodeA
                                                                                       : kNeFsPartitionOpCodeB));
    if (auto* name = GetDlgItemAs<QLineEdit>(kSourceNameId))
        name->setText(QString::fromStdString(sourceName_));
    for (const Destination& destination : destinations_) {
        if (auto* name = GetDlgItemAs<QLineEdit>(destination.nameId)) {
            name->setMaxLength(kNameMax);
            name->setText(QString::fromStdString(sourceName_));
        }
        // The master's other partition is where a copy usually goes.
        if (auto* box = GetDlgItemAs<QAbstractButton>(destination.checkId))
            box->setChecked(destination.module == 1 && destination.partition == otherPartition);
    }
    UpdateCaption(kCaptionNe | kCaptionLocation);
    UpdateDestinationControls();
}

void CNeFsCopyBaseDlg::UpdateDestinationControls()
{
    bool any = false;
    for (const Destination& destination : destinations_) {
        const bool checked = IsChecked(destination.checkId);
        SetControlReadOnly(destination.nameId, !checked);
        any = any || checked;
    }
    EnableControl(IDOK, any);
}

int CNeFsCopyBaseDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    for (const Destination& destination : destinations_) {
        if (destination.checkId == id) {
            UpdateDestinationControls();
            return 1;
        }
    }
    return 0;
}

bool CNeFsCopyBaseDlg::CheckNames()
{
    for (const Destination& destination : destinations_) {
        if (!IsChecked(destination.checkId))
            continue;
        auto* edit = GetDlgItemAs<QLineEdit>(destination.nameId);
        // An empty name is the NE's to take.
        if (const int bad = FirstBadNameChar(edit != nullptr ? edit->text() : QString()); bad >= 0) {
            ShowAlertTextById(kStrValidNameCharacters, destination.nameId);
            edit->setFocus();
            edit->setSelection(bad, 1);
            return false;
        }
    }
    return true;
}

void CNeFsCopyBaseDlg::OnOK()
{
    if (!IsControlEnabled(IDOK) || CheckTargetNe() != 0 || !UpdateDialogData() || !CheckNames())
        return;
    if (ShowMessageById(kStrSureToCopyFile, kConfirmFlags) != IDYES)
        return;
    RunCopies();
}

void CNeFsCopyBaseDlg::RunCopies()
{
    for (const Destination& destination : destinations_) {
        if (IsChecked(destination.checkId) && !RunCopy(destination))
            return;
    }
    ShowMessageById(kStrCompleteCopyFile, kInfoBox);
    resultState_ = kAllCopiesDone;
    EndDialog(IDOK);
}

bool CNeFsCopyBaseDlg::RunCopy(const Destination& destination)
{
    const auto* edit = GetDlgItemAs<QLineEdit>(destination.nameId);
    NeFsCopyRecord copy;
    copy.sourcePartition = sourcePartition_;
    copy.sourceName = sourceName_;
    copy.destPartition = destination.partition;
    copy.destName = edit != nullptr ? edit->text().toStdString() : std::string();
    copy.destModule = destination.module;
    if (!CRecordRequests()
             .Modify(kReqNeFsCopy, static_cast<uint32_t>(GetNeId()), copy, {.failureTextId = kStrFailToQuery})
             .Ok())
        return false;
    CNeFsCopyProgressDlg progress(this);
    progress.SetTarget(GetNeId(), nullptr);
    if (progress.DoModal() != IDOK)
        return false;
    if (const std::optional<uint32_t> failure = CopyFailureTextId(progress.GetFinalState())) {
        ShowMessageById(*failure, kErrorBox);
        if (ClearsCopiedDestinations()) {
            if (progress.GetFinalState() == kSourceFileMissing)
                ShowAlertTextById(*failure, kSourcePartitionId, 0, kSourceNameId);
            else
                ShowAlertTextById(*failure, destination.checkId);
        }
        return false;
    }
    if (ClearsCopiedDestinations()) {
        if (auto* box = GetDlgItemAs<QAbstractButton>(destination.checkId))
            box->setChecked(false);
        UpdateDestinationControls();
    }
    return true;
}
