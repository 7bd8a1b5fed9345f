#pragma once
// The frame of the editors of one xDSL profile (the ADSL and SHDSL line profiles, the xDSL and SHDSL PM threshold
// profiles), on the server's templates of the kind (NE 0) or on an NE's profiles:
//   - the opener sets the template mode, the access mode (kAccessQuery shows, kAccessModify changes, kAccessCreate
//     adds) and the profile: as read (SetRecord, no query) or by its name (SetName, or the profile a routed request
//     names: read at the start); after OK GetRecord is the profile as written;
//   - the start checks the kind's right and, on an NE, the NE; the name edit takes 32 characters and is writable for
//     an add alone; OK is off in a show; the caption names the profile ("<new>" for an add);
//   - a profile that could not be read leaves OK off, so that no default overwrites it; one the table lacks ends the
//     editor with "No data";
//   - OK checks the NE, the room for an add and the name, runs the editor's own checks and question, and writes.
//
//     class CShdslPmThresholdProfileDlg : public CProfileEditorOf<CADialog, ShdslPmThresholdProfileRec> {
//         InitData: if (!StartEditor()) return; ... if (!recordGiven_ && !ReadProfile(body, showDefaults)) return;
//         OnOK: if (!CheckTargetOnOk() || !UpdateDialogData() || !CheckRoomAndName()) return; ... WriteAndEnd(rec);
//     };

#include "features/provisioning/profiles/profile_caption.h"
#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_write.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

template <class Base, TabledRecord Rec> class CProfileEditorOf : public Base {
    static constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

public:
    static constexpr int kNameId = 1281;
    static constexpr int kNameMax = 32;

    void SetTemplateMode(bool on) { templateMode_ = on; }
    // The profile to show or change, as read: no query at the start.
    void SetRecord(const Rec& rec)
    {
        record_ = rec;
        recordGiven_ = true;
    }
    // The profile to show or change by its name: read at the start.
    void SetName(const std::string& name) { record_.name = name; }
    const Rec& GetRecord() const { return record_; }
    // Routed (a Show of another dialog): the profile named.
    void ApplyOpenerFields(const DialogRequest& request)
    {
        if (!request.profileName.empty())
            SetName(request.profileName);
    }

    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, kNameId, name_); }

protected:
    struct Family {
        RequestCode<Rec> templateCode;
        RequestCode<Rec> neCode;
    };

    CProfileEditorOf(int templateId, ProfileKindId kind, Family family, size_t nameWidth, QWidget* parent)
        : Base(templateId, parent), kind_(GetProfileKind(kind)), family_(family), nameWidth_(nameWidth)
    {
    }

    bool IsAdding() const { return this->GetAccessMode() == kAccessCreate; }
    // The NE the requests go to: none (0) for the templates; and the code of the family.
    uint32_t RequestNeId() const { return templateMode_ ? 0 : static_cast<uint32_t>(this->GetNeId()); }
    RequestCode<Rec> FamilyCode() const { return templateMode_ ? family_.templateCode : family_.neCode; }

    // The start of InitData; false when the editor closed.
    bool StartEditor()
    {
        if (this->CheckAccessRightOrClose(kind_.right) != 0)
            return false;
        if (!templateMode_ && this->CheckTargetNeOrClose() != 0)
            return false;
        if (auto* name = this->template GetDlgItemAs<QLineEdit>(kNameId))
            name->setMaxLength(kNameMax);
        this->LimitTextToField(kNameId, nameWidth_);
        this->SetControlReadOnly(kNameId, !IsAdding());
        this->EnableControl(IDOK, this->GetAccessMode() != kAccessQuery);
        SetProfileCaption(*this, templateMode_, IsAdding() ? std::string("<new>") : record_.name);
        return true;
    }

    // Reads the profile by its name, the query's body `asked`; false when it is not to be shown: the editor ended, or
    // nothing was read (OK off, and `showDefaults` shows the editor's defaults).
    template <class Body, class ShowDefaults> bool ReadProfile(const Body& asked, ShowDefaults showDefaults)
    {
        const RecordReply<Rec> reply =
            CRecordRequests().Query(FamilyCode(), RequestNeId(), asked, {.failureTextId = kStrFailToQuery});
        if (!reply.Ok()) {
            this->EnableControl(IDOK, false);
            showDefaults();
            return false;
        }
        return TakeProfileNamed(*this, reply.records, record_);
    }

    // OK: the NE the profile goes to is known (templates need none).
    bool CheckTargetOnOk() { return templateMode_ || this->CheckTargetNe() == 0; }
    // OK: room for an add, and the name; false with the refusal shown.
    bool CheckRoomAndName()
    {
        return CheckProfileRoomAndName(*this, kind_, FamilyCode(), RequestNeId(), IsAdding(), name_, kNameId);
    }
    // OK of an editor of one page, before its record is built: the NE, the data exchange, room and name, and Yes to
    // "Are you sure to modify the data?" for a change.
    bool CheckOkOfOnePage()
    {
        return CheckTargetOnOk() && this->UpdateDialogData() && CheckRoomAndName() &&
               ConfirmChange(kStrSureToModifyData);
    }
    // OK: a change goes on after Yes to the question; an add asks none.
    bool ConfirmChange(uint32_t questionId) const
    {
        return IsAdding() || ShowMessageById(questionId, kConfirmFlags) == IDYES;
    }
    // The name as typed, without the blanks around it.
    std::string TypedName() const { return name_.trimmed().toStdString(); }
    // Adds or modifies the profile; on success it is the editor's record and the editor ends with IDOK.
    bool WriteAndEnd(const Rec& rec)
    {
        if (!WriteProfile(FamilyCode(), RequestNeId(), rec, IsAdding()))
            return false;
        record_ = rec;
        this->EndDialog(IDOK);
        return true;
    }

    bool templateMode_ = false;
    bool recordGiven_ = false;
    Rec record_;
    QString name_;

private:
    const ProfileKind& kind_;
    Family family_;
    size_t nameWidth_;
};
