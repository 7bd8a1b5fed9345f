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
// It is CProfileEditor (xdsl_profile_editor.h: where the profile lives, the open, the caption and the write) with the
// name edit, the read by name and OK's question.
//
//     class CShdslPmThresholdProfileDlg : public CProfileEditorOf<CADialog, ShdslPmThresholdProfileRec> {
//         InitData: if (!StartEditor()) return; ... if (!recordGiven_ && !ReadProfile(body, showDefaults)) return;
//         OnOK: if (!TargetStillThere() || !UpdateDialogData() || !CheckRoomAndName()) return; ... WriteAndEnd(rec);
//     };

#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/xdsl_profile_editor.h"
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

template <class Base, TabledRecord Rec> class CProfileEditorOf : public CProfileEditor<Base, Rec> {
    using Frame = CProfileEditor<Base, Rec>;
    static constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

public:
    static constexpr int kNameId = 1281;
    static constexpr int kNameMax = 32;

    // The profile to show or change by its name: read at the start.
    void SetName(const std::string& name) { this->record_.name = name; }
    // Routed (a Show of another dialog): the profile named.
    void ApplyOpenerFields(const DialogRequest& request)
    {
        if (!request.profileName.empty())
            SetName(request.profileName);
    }

    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, kNameId, name_); }

protected:
    CProfileEditorOf(int templateId, ProfileKindId kind, size_t nameWidth, QWidget* parent)
        : Frame(kind, templateId, parent), nameWidth_(nameWidth)
    {
    }

    // The start of InitData; false when the editor closed.
    bool StartEditor()
    {
        if (!this->OpenEditor())
            return false;
        this->SetUpNameAndOk(kNameId, kNameMax);
        this->LimitTextToField(kNameId, nameWidth_);
        this->SetEditorCaption(this->record_.name);
        return true;
    }

    // Reads the profile by its name, the query's body `asked`; false when it is not to be shown: the editor ended, or
    // nothing was read (OK off, and `showDefaults` shows the editor's defaults).
    template <class Body, class ShowDefaults> bool ReadProfile(const Body& asked, ShowDefaults showDefaults)
    {
        const RecordReply<Rec> reply =
            CRecordRequests().Query(this->KindCode(), this->RequestNeId(), asked, {.failureTextId = kStrFailToQuery});
        if (!reply.Ok()) {
            this->EnableControl(IDOK, false);
            showDefaults();
            return false;
        }
        return TakeProfileNamed(*this, reply.records, this->record_);
    }

    // OK: room for an add, and the name as typed; false with the refusal shown.
    bool CheckRoomAndName() { return Frame::CheckRoomAndName(name_, kNameId); }
    // OK: the name as typed; false with the refusal shown.
    bool CheckName() { return CheckProfileName(*this, name_, kNameId, this->IsAdding()); }
    // OK of an editor of one page, before its record is built: the NE, the data exchange, room and name, and Yes to
    // "Are you sure to modify the data?" for a change.
    bool CheckOkOfOnePage()
    {
        return this->TargetStillThere() && this->UpdateDialogData() && CheckRoomAndName() &&
               ConfirmChange(kStrSureToModifyData);
    }
    // OK: a change goes on after Yes to the question; an add asks none.
    bool ConfirmChange(uint32_t questionId) const
    {
        return this->IsAdding() || ShowMessageById(questionId, kConfirmFlags) == IDYES;
    }
    // The name as typed, without the blanks around it.
    std::string TypedName() const { return name_.trimmed().toStdString(); }
    // Adds or modifies the profile; on success it is the editor's record and the editor ends with IDOK.
    bool WriteAndEnd(const Rec& rec)
    {
        if (!this->WriteRecord(rec))
            return false;
        this->record_ = rec;
        this->EndDialog(IDOK);
        return true;
    }

    QString name_;

private:
    size_t nameWidth_;
};
