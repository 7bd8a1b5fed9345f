#pragma once
// The list page of one kind of xDSL profile, a tab of the Profile List (CProfileListDlg): the profiles of the
// container's NE, or the server's templates of the kind in template mode. The page holds no buttons; the container's
// Show 1291, Modify 1150, Add 1263, Delete 1131, Refresh 1307, Export 1165, Save All as Templates 1310 and Download
// to NEs 1144 run on the page of its current tab, and the list's context menu (GENERIC_ALL_LIST) offers the common
// ones. A double click, Enter or OK shows the selected profile.
//
// Every kind's page is a CProfileListPageOf<Rec> with the kind's editor, its columns and its titles:
//   - Refresh reads the kind's profiles (the NE's with its NE code, the templates with its template code at NE 0);
//   - Show and Modify open the editor on the row's profile as it was read (the record given, not queried again;
//     RecordOfRow: a kind may make it again from the row's texts), Add on a new one; after OK the row shows the
//     record as written, an added one's row found by its name or appended and scrolled into view (the selection
//     stays as it was);
//   - Delete asks first and deletes the row's profile;
//   - Save All as Templates drops the kind's templates and adds the list's profiles in their place
//     (profile_save_all.h);
//   - Download to NEs hands the selected profile, as a write of the kind's NE code, to the template download dialog,
//     which sends it to the NEs the operator ticks.
// Each row keeps its profile's record whole; a profile whose status is not 1 (enabled) shows image 34, and grey text
// on the pages that grey disabled profiles (all but those that call KeepDisabledRowsBlack).
// The page checks the operator's right for Delete ('d', on the kind's right item or the one DeleteRight names), Save
// All and Download ('m'); Show, Modify and Add leave it to the editor they open, which checks the letter of its mode.

#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_save_all.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/list_page.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/lists/list_columns.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What Download to NEs hands the template download dialog: the title line, the records of the prepared write and
// the question it asks before it sends.
struct ProfileDownload {
    QString title;
    uint16_t neCode = 0;
    uint32_t recordSize = 0;
    std::vector<uint8_t> record;
    uint32_t confirmTextId = 0;
};

class CProfileListPage : public CAListPage {
    Q_OBJECT
public:
    static constexpr int kSaveAllButtonId = 1310;
    static constexpr int kDownloadButtonId = 1144;

    CProfileListPage(int templateId, const ProfileKind& kind, QWidget* parent = nullptr);
    ~CProfileListPage() override;

    const ProfileKind& Kind() const { return kind_; }
    bool GetTemplateMode() const { return templateMode_; }
    // Set by the container before the page is created.
    void SetTemplateMode(bool on) { templateMode_ = on; }

    void InitData() override;
    bool OnCommand(int id, int code) override;
    int OnCommandHook(int id, int code) override;
    void OnExport() override;

protected:
    // The NE the page's requests go to: none (0) for the templates.
    uint32_t RequestNeId() const;
    // Columns, images and the grey of disabled profiles; once, before the first fill.
    void PrepareList();
    // A disabled profile's row is drawn as an enabled one's; before the first fill.
    void KeepDisabledRowsBlack() { greyDisabledRows_ = false; }
    // The keys of the rows in the order the list shows them.
    std::vector<uint32_t> KeysInListOrder() const;
    // The template download dialog, modally, for the prepared write.
    void OpenDownload(const ProfileDownload& download);
    // "Are you sure to save all profiles as templates?"; true for Yes.
    bool ConfirmSaveAll() const;
    // The download dialog's title line for a profile of the name: the kind's title, " : ", the name.
    QString DownloadTitleOf(const std::string& name) const;

    // The right item Delete checks ('d'): the kind's, unless the page names another.
    virtual int DeleteRight() const { return kind_.right; }
    virtual uint32_t ColumnSpecId() const = 0;
    // The title the export writes above the list.
    virtual uint32_t ExportTitleId() const = 0;
    virtual void SaveAllAsTemplates() = 0;
    virtual void DownloadToNes() = 0;

private:
    // Delete: the right, the NE unless templates, then the selected row (OnDeleteRecord asks and deletes).
    void DeleteSelected();

    const ProfileKind& kind_;
    bool templateMode_ = false;
    bool listPrepared_ = false;
    bool greyDisabledRows_ = true;
};

// The page of a kind whose profiles are records of type Rec.
template <class Rec> class CProfileListPageOf : public CProfileListPage {
public:
    struct Family {
        RequestCode<Rec> templateCode;
        RequestCode<Rec> neCode;
    };

    CProfileListPageOf(int templateId, const ProfileKind& kind, Family family, std::vector<ListColumn<Rec>> columns,
                       QWidget* parent = nullptr)
        : CProfileListPage(templateId, kind, parent), family_(family), rows_(*this, std::move(columns))
    {
        rows_.QueryOnFill([this] {
            return CRecordRequests().Query<Rec>(FamilyCode(), RequestNeId(), {.failureTextId = kStrFailToQuery});
        });
        rows_.SetTies(ListTies::kArrival);
    }

    void RefreshList() override
    {
        PrepareList();
        RefillList();
    }

    // The profiles the list shows, in its order, each as its row hands it on (RecordOfRow).
    std::vector<Rec> ListedRecords() const
    {
        std::vector<Rec> records;
        for (uint32_t key : KeysInListOrder()) {
            if (const Rec* rec = rows_.Find(key))
                records.push_back(RecordOfRow(*rec));
        }
        return records;
    }

protected:
    // The kind's editor on the record in the access mode (kAccessQuery, kAccessModify, kAccessCreate); true after
    // its OK, with the record as written. RunProfileEditor runs an editor that takes the record and its mode so.
    virtual bool RunEditor(Rec& rec, uint8_t accessMode) = 0;
    virtual std::string NameOf(const Rec& rec) const { return rec.name; }
    // What Show, Modify, Save All and Download hand on of a row that keeps `listed`: the record itself, unless the
    // kind makes it again from the row's texts.
    virtual Rec RecordOfRow(const Rec& listed) const { return listed; }
    // The download dialog's title line for the profile.
    virtual QString DownloadTitle(const Rec& rec) const { return DownloadTitleOf(NameOf(rec)); }
    // The question the download dialog asks before it sends.
    virtual uint32_t DownloadConfirmTextId() const { return kStrSureToDownloadTemplate; }
    // What a delete sends of the profile: its name, the other fields 0.
    virtual Rec DeleteKeyOf(const Rec& rec) const
    {
        Rec key{};
        key.name = rec.name;
        return key;
    }

    RequestCode<Rec> FamilyCode() const { return GetTemplateMode() ? family_.templateCode : family_.neCode; }
    // The editor on the page's templates or NE: a dialog with SetTemplateMode, SetRecord (a profile as read, not
    // given for an add) and GetRecord (the profile as written after its OK).
    template <class Editor> bool RunProfileEditor(Rec& rec, uint8_t accessMode)
    {
        Editor dlg(this);
        dlg.SetTemplateMode(GetTemplateMode());
        dlg.SetNeId(GetNeId());
        dlg.SetAccessMode(accessMode);
        if (accessMode != kAccessCreate)
            dlg.SetRecord(rec);
        if (dlg.DoModal() != IDOK)
            return false;
        rec = dlg.GetRecord();
        return true;
    }
    CIndexedRecordList<Rec>& Rows() { return rows_; }

    void OnShowRecord(uint32_t key) override { RunEditorOnRow(key, kAccessQuery); }
    void OnModifyRecord(uint32_t key) override { RunEditorOnRow(key, kAccessModify); }

    void OnAddRecord(std::optional<uint32_t> /*selected*/) override
    {
        Rec rec;
        if (!RunEditor(rec, kAccessCreate))
            return;
        const std::string name = NameOf(rec);
        std::optional<uint32_t> key;
        for (uint32_t shown : KeysInListOrder()) {
            if (const Rec* listed = rows_.Find(shown); listed != nullptr && NameOf(*listed) == name)
                key = shown;
        }
        if (key)
            rows_.Replace(*key, rec);
        else
            key = rows_.Append(rec);
        ScrollToItemData(*key);
    }

    void OnDeleteRecord(uint32_t key) override
    {
        const Rec* rec = rows_.Find(key);
        if (rec == nullptr || !ConfirmDelete())
            return;
        if (CRecordRequests()
                .Delete(FamilyCode(), RequestNeId(), DeleteKeyOf(*rec), {.failureTextId = kStrFailToDelete})
                .Ok())
            rows_.Remove(key);
    }

    void SaveAllAsTemplates() override;
    void DownloadToNes() override
    {
        if (CheckRight(Kind().right, 'm') != 0)
            return;
        const std::optional<uint32_t> key = RequireSelectedItemData();
        const Rec* listed = key ? rows_.Find(*key) : nullptr;
        if (listed == nullptr)
            return;
        const Rec rec = RecordOfRow(*listed);
        const auto bytes = EncodeRecord(rec);
        OpenDownload({DownloadTitle(rec), family_.neCode, kRecordSize<Rec>,
                      std::vector<uint8_t>(bytes.begin(), bytes.end()), DownloadConfirmTextId()});
    }

private:
    void RunEditorOnRow(uint32_t key, uint8_t accessMode)
    {
        const Rec* listed = rows_.Find(key);
        if (listed == nullptr)
            return;
        Rec rec = RecordOfRow(*listed);
        if (RunEditor(rec, accessMode) && accessMode == kAccessModify)
            rows_.Replace(key, rec);
    }

    Family family_;
    CIndexedRecordList<Rec> rows_;
};

template <class Rec> void CProfileListPageOf<Rec>::SaveAllAsTemplates()
{
    if (CheckRight(Kind().right, 'm') != 0 || !ConfirmSaveAll())
        return;
    SaveProfilesAsTemplates(family_.templateCode, ListedRecords(), Kind());
}
