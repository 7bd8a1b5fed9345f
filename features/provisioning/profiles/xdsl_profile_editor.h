#pragma once
// What the editors of every profile kind share (the line and PM threshold editors through CProfileEditorOf in
// profile_editor.h, which adds their name edit and read by name): where the profile lives (an NE's, or the server's
// templates of its kind, asked with NE 0 and the kind's template code), the record they were given or read, how they
// open (the kind's right, then an NE still there unless a template), their caption and their write. `Base` is the
// editor's dialog base, `Rec` its profile record.
//
//     class CXdslIpTrafficProfileDlg : public CNamedProfileEditor<CADialog, IpTrafficProfileRec> {
//         CXdslIpTrafficProfileDlg(QWidget* parent) : CNamedProfileEditor(ProfileKindId::kIpTraffic, kTemplateId,
//                                                                         parent) ...
//     };
//     void InitData() { if (!OpenEditor()) return; ... }
//     void OnOK() { if (!TargetStillThere() || !UpdateDialogData() || !CheckRoomAndName(name_, kNameId)) return; ...
//                   if (!WriteRecord(rec)) return; ... }

#include "features/provisioning/profiles/profile_caption.h"
#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_write.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <string>
#include <utility>

template <class Base, class Rec> class CProfileEditor : public Base {
public:
    template <class... BaseArgs>
    explicit CProfileEditor(ProfileKindId kind, BaseArgs&&... baseArgs)
        : Base(std::forward<BaseArgs>(baseArgs)...), kind_(GetProfileKind(kind))
    {
    }

    void SetTemplateMode(bool on) { templateMode_ = on; }
    // The profile as read: the editor does not read it again.
    void SetRecord(const Rec& rec)
    {
        record_ = rec;
        recordGiven_ = true;
    }
    const Rec& GetRecord() const { return record_; }

protected:
    bool IsAdding() const { return this->GetAccessMode() == kAccessCreate; }
    // The NE the requests go to: none (0) for a template.
    uint32_t RequestNeId() const { return templateMode_ ? 0 : TargetNeId(); }
    // The NE of the editor's target, in either mode: the count before an add and the NE's rule checks go there.
    uint32_t TargetNeId() const { return static_cast<uint32_t>(this->GetNeId()); }
    // The kind's family where the profile lives.
    RequestCode<Rec> KindCode() const { return RequestCode<Rec>{templateMode_ ? kind_.templateCode : kind_.neCode}; }
    // The kind's right, then the NE unless a template; false when the editor closes.
    bool OpenEditor()
    {
        if (this->CheckAccessRightOrClose(kind_.right) != 0)
            return false;
        return templateMode_ || this->CheckTargetNeOrClose() == 0;
    }
    // The name edit takes `nameMax` characters and is writable for an add alone; OK is off in a show.
    void SetUpNameAndOk(int nameId, int nameMax)
    {
        if (auto* name = this->template GetDlgItemAs<QLineEdit>(nameId))
            name->setMaxLength(nameMax);
        this->SetControlReadOnly(nameId, !IsAdding());
        this->EnableControl(IDOK, this->GetAccessMode() != kAccessQuery);
    }
    // OK's first check: the NE is still there (a template has none).
    bool TargetStillThere() { return templateMode_ || this->CheckTargetNe() == 0; }
    // "<new>" while adding, else what the profile is known by; then the NE, or the templates.
    void SetEditorCaption(const std::string& shown)
    {
        SetProfileCaption(*this, templateMode_, IsAdding() ? "<new>" : shown);
    }
    // Room for an add; false with the refusal shown.
    bool CheckRoom() { return CheckProfileRoomForAdd(*this, kind_, TargetNeId(), IsAdding()); }
    // Room for an add, then the name as typed; false with the refusal shown.
    bool CheckRoomAndName(const QString& name, int nameId)
    {
        return CheckProfileRoomAndName(*this, kind_, TargetNeId(), IsAdding(), name, nameId);
    }
    // Adds or modifies the profile; false when the request failed (its box shown).
    bool WriteRecord(const Rec& rec) { return WriteProfile(KindCode(), RequestNeId(), rec, IsAdding()); }

    const ProfileKind& kind_;
    bool templateMode_ = false;
    bool recordGiven_ = false;
    Rec record_;
};

// How reading a profile ended.
enum class ProfileRead : uint8_t {
    kRead,
    kFailed,  // the request failed (its box shown): OK is off, there is nothing to write
    kMissing, // the kind has no such profile: "No data", and the editor has ended
};

// The editors of the kinds known by their names, which other dialogs also open on a name (a PVC's or a port's
// profile).
template <class Base, class Rec> class CNamedProfileEditor : public CProfileEditor<Base, Rec> {
public:
    using CProfileEditor<Base, Rec>::CProfileEditor;

    void SetName(const std::string& name) { this->record_.name = name; }
    void ApplyOpenerFields(const DialogRequest& request)
    {
        if (!request.recordName.empty())
            SetName(request.recordName);
        else if (!request.profileName.empty())
            SetName(request.profileName);
    }

protected:
    // Reads the profile of the record's name into the record.
    ProfileRead ReadNamedProfile()
    {
        Rec key;
        key.name = this->record_.name;
        const RecordReply<Rec> reply =
            CRecordRequests().Query(this->KindCode(), this->RequestNeId(), key, {.failureTextId = kStrFailToQuery});
        if (!reply.Ok()) {
            this->EnableControl(IDOK, false);
            return ProfileRead::kFailed;
        }
        return TakeProfileNamed(*this, reply.records, this->record_) ? ProfileRead::kRead : ProfileRead::kMissing;
    }
    // Reads the profile of the record's name; when the request failed, the name field still shows the name asked
    // for (nothing else was read: the defaults are no profile to write). True when the profile was read.
    bool ReadNamedProfileShowingName(QString& nameField)
    {
        const ProfileRead read = ReadNamedProfile();
        if (read == ProfileRead::kFailed) {
            nameField = QString::fromStdString(this->record_.name);
            this->UpdateData(false);
        }
        return read == ProfileRead::kRead;
    }
};
