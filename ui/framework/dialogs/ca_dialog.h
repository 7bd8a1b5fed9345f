#pragma once
// CADialog, the base of the program's dialogs. On top of CDialog (a .ui template with controls by id and the command,
// notification and timer hooks) it gives every dialog:
//   - a target: location, NE, entity and user account, set by the opener before DoModal;
//   - an access mode (1 query, 2 modify, 4 create) and right and target checks that end the dialog when they fail
//     (a tab page ends its container);
//   - InitData, run once from timer 27594 just after the dialog is on screen: load data there, not in OnInitDialog;
//   - a message line at the bottom for information and alert texts, with up to four controls framed in red;
//   - the list machinery (CListHost): columns from column specs, sorting through CompareItems, row colours;
//   - the caption composed from the template's caption and the target (UpdateCaption);
//   - the application's dialog font and the display scaling.
//
// A new dialog is its .ui file and a small class:
//
//     class CUserListDlg : public CADialog {
//     public:
//         explicit CUserListDlg(QWidget* parent = nullptr) : CADialog(274, parent) { ui_.setupUi(this); }
//         void InitData() override
//         {
//             if (CheckRightOrClose(kRightMembers, 'q') != 0)
//                 return;
//             InitListColumnsById(10xxx);
//             ... fill list 1212 ...
//         }
//         int CompareItems(uint32_t a, uint32_t b, uint32_t flags) override;
//     };
//
// The last opened top-level dialog is the process's current dialog: status texts go to its message line and list
// sorts ask it to compare. Opening a dialog clears the message line and red frames of the one it replaces; closing it
// gives the role back.

#include "core/entity/entity_id.h"
#include "platform/dialog.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/dialogs/kind_markers.h"
#include "ui/framework/lists/list_host.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Dialog timers.
inline constexpr int kFirstShowTimer = 27594;   // 10 ms after start: OnFirstShow
inline constexpr int kSkinRepaintTimer = 31554; // 100 ms after first show of a skinned window

// Common control ids of list dialogs.
inline constexpr int kShowButtonId = 1291;
inline constexpr int kModifyButtonId = 1150;
inline constexpr int kAddButtonId = 1263;
inline constexpr int kDeleteButtonId = 1131;
inline constexpr int kRefreshButtonId = 1307;
inline constexpr int kExportButtonId = 1165;

// Change flags: what a dialog did, for its opener to read after it closed.
inline constexpr uint16_t kChangeShown = 0x1;
inline constexpr uint16_t kChangeModified = 0x2;
inline constexpr uint16_t kChangeAdded = 0x4;
inline constexpr uint16_t kChangeDeleted = 0x8;

// UpdateCaption flags.
inline constexpr uint32_t kCaptionNe = 0x01;
inline constexpr uint32_t kCaptionEntity = 0x02;
inline constexpr uint32_t kCaptionLocation = 0x04;
inline constexpr uint32_t kCaptionUser = 0x08;
inline constexpr uint32_t kCaptionText = 0x10;
inline constexpr uint32_t kCaptionNew = 0x20;
inline constexpr uint32_t kCaptionTargetFirst = 0x40;
inline constexpr uint32_t kCaptionBaseFirst = 0x80;

class CADialog : public CDialog, public CListHost {
    Q_OBJECT
public:
    static constexpr int kMaxMarkedControls = 4;
    static constexpr size_t kUserNameMax = 10;
    static constexpr size_t kMessageTextMax = 127;
    static constexpr size_t kBaseCaptionMax = 63;

    explicit CADialog(int templateId, QWidget* parent = nullptr);
    ~CADialog() override;

    uint32_t GetKindMarker() const { return kindMarker_; }
    bool IsFirstShowDone() const { return firstShowDone_; }
    bool IsInFirstShow() const { return inFirstShow_; }
    bool IsChild() const { return isChild_; }

    // Hooks.
    // The deferred data load: runs once, after the dialog is shown. Check rights and targets here.
    virtual void InitData();
    // Draws decorations on the dialog (control images); runs with every repaint of the dialog's decorations.
    virtual void DrawExtras(Dc& dc);
    // Draws the red frames of the marked controls.
    virtual void DrawFrameExtras(Dc& dc);
    // Every notification after the base's own handling; a non-zero result reports it handled.
    virtual int OnNotifyHook(const NotifyHeader& header, int* result);
    // Every command after the base's own handling.
    virtual int OnCommandHook(int id, int code);
    // The sort comparison: below, equal or above as -1, 0, 1; the low byte of flags is the compare key, 0x8000
    // descending. The base compares the item data as signed numbers.
    virtual int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags);
    int SortCompare(uint32_t item1, uint32_t item2, uint32_t param) override;

    // Target.
    int GetLocationId() const { return locationId_; }
    virtual void SetLocationId(int id) { locationId_ = id; }
    int GetNeId() const { return neId_; }
    virtual void SetNeId(int id) { neId_ = id; }
    const CEntityId& GetTargetEntity() const { return targetEntity_; }
    // Stores the NE, resets the entity to the NE itself (id 1) and copies the given entity id.
    virtual void SetTarget(int neId, const CEntityId* entity);
    const std::string& GetUserName() const { return userName_; }
    // At most 10 characters; null clears.
    virtual void SetUserName(const char* name);
    uint8_t GetAccessMode() const { return accessMode_; }
    virtual void SetAccessMode(uint8_t mode) { accessMode_ = mode; }
    uint16_t GetUserWord() const { return userWord_; }
    void SetUserWord(uint16_t value) { userWord_ = value; }
    // What the dialog changed (kChange... flags), set by the dialog and read by its opener after it closed.
    uint16_t GetChangeFlags() const { return changeFlags_; }
    void SetChangeFlags(uint16_t flags) { changeFlags_ = flags; }

    // Clears the message line, then exchanges data from the controls; false when the exchange failed.
    bool UpdateDialogData();

    // Controls by id; an id the template lacks is reported (control_id.h) and left. A 0 in a list ends it.
    void EnableControls(std::initializer_list<int> ids, bool on = true);
    void EnableControl(int id, bool on = true);
    bool IsControlEnabled(int id) const;
    void ShowControls(std::initializer_list<int> ids, bool on = true);
    void ShowControl(int id, bool on = true);
    bool IsControlVisible(int id) const;
    void SetControlsReadOnly(std::initializer_list<int> ids, bool on = true);
    void SetControlReadOnly(int id, bool on = true);
    bool IsControlReadOnly(int id) const;
    // The edit takes only what the record's text field of `fieldWidth` bytes carries (text_field_limit.h).
    void LimitTextToField(int id, size_t fieldWidth);

    // Caption.
    void SetTitleText(const QString& text);
    // Composes the target text by the flags and puts it before or after the base caption (or alone with `replace`);
    // with `keepAsBase` the target text becomes the base caption.
    void UpdateCaption(uint32_t flags, const char* text = nullptr, bool replace = false, bool keepAsBase = false);
    const std::string& GetBaseCaption() const { return baseCaption_; }

    // Red frames (n = 1..4).
    int GetMarkedControl(int n) const;
    void SetMarkedControls(int id1, int id2 = 0, int id3 = 0, int id4 = 0);

    // Message line. A focusId of 0 means id1.
    void ShowInfoText(const QString& text, int id1 = 0, int focusId = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    void ShowInfoTextById(uint32_t stringId, int id1 = 0, int focusId = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    void ShowAlertText(const QString& text, int id1 = 0, int focusId = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    void ShowAlertTextById(uint32_t stringId, int id1 = 0, int focusId = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    bool HasMessageLine() const { return hasMessageLine_; }
    void SetMessageLine(bool on) { hasMessageLine_ = on; }
    QString GetMessageText() const { return messageText_; }
    // The text of the message line (127 characters kept), colours unchanged.
    void SetStatusText(const QString& text);
    COLORREF GetMessageTextColor() const { return messageTextColor_; }
    void SetMessageTextColor(COLORREF color) { messageTextColor_ = color; }
    COLORREF GetMessageBackColor() const { return messageBackColor_; }
    void SetMessageBackColor(COLORREF color) { messageBackColor_ = color; }
    // Empties the message line and removes the red frames.
    void ClearMessageLine();
    // The message line's rectangle in dialog coordinates; empty when the dialog has none.
    QRect MessageLineRect() const;

    // Start-up layout and font.
    bool GetSkipInitLayout() const { return skipInitLayout_; }
    void SetSkipInitLayout(bool on) { skipInitLayout_ = on; }
    QFont GetFont() const { return dialogFont_.value_or(font()); }
    // The application's dialog font (null spec) or the font of a spec "face,size,flags", given to the dialog.
    void SetDialogFont(const char* spec);
    bool GetSkipScaling() const { return skipScaling_; }
    void SetSkipScaling(bool on) { skipScaling_ = on; }

    // Current-dialog chain. A dialog with the role off (modeless panels, pages) never becomes current.
    void SetOwnsMessageLine(bool on) { ownsMessageLine_ = on; }
    bool GetOwnsMessageLine() const { return ownsMessageLine_; }
    CADialog* GetPreviousCurrentDialog() const { return previousCurrentDialog_; }

    // Initial window rectangle; on a shown dialog it moves the dialog at once.
    QRect GetPlacement() const { return placement_; }
    void SetPlacement(const QRect& rect);

    // Right and target checks: 0 passed; -1 failed, with the reason on the message line. The OrClose forms also end
    // the dialog with IDCANCEL (a tab page ends its container).
    int CheckRight(int function, char letter);
    int CheckAccessRight(int function);
    int CheckTargetNe();
    int CheckRightOrClose(int function, char letter);
    int CheckAccessRightOrClose(int function);
    int CheckTargetNeOrClose();
    int CheckTargetLocationOrClose();
    int CheckTargetUserOrClose();
    int CheckRoleOrClose(int maxRole);
    // A dialog opened on an existing row of a port (anything but a creation) needs a port as its target; another
    // target is an internal fault, told, and the dialog ends.
    int CheckPortTargetOrClose();

    // The deferred first show (timer 27594): list styles, InitData, the first sort, layout and selection.
    virtual void OnFirstShow();

    // CDialog hooks.
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnTimer(int id) override;
    void OnDestroy() override;
    void OnDrawOverlay(Dc& dc) override;

protected:
    // The nearest CADialog this one is embedded in, null for a top-level dialog.
    CADialog* ParentDialog() const;

private:
    void ShowText(const QString& text, bool alert, int id1, int focusId, int id2, int id3, int id4);
    void EndOrEndContainer();
    // Empties the message line and frames of this dialog and of the dialog it is embedded in.
    void ClearMessageLines();
    void TakeCurrentRole();
    void GiveBackCurrentRole();
    // Scales the controls and the dialog by the display scale; false when there is nothing to scale.
    bool ScaleControls();
    // Keeps the template's size, caption, font and control places at the first run and puts them back at the next
    // ones.
    void RestoreTemplateLayout();
    int MessageLineTextHeight() const;

    uint32_t kindMarker_ = kDialogKindMarker;
    bool firstShowDone_ = false;
    bool inFirstShow_ = false;
    // The dialog's load ended it (a refusal): what its line then holds goes on when the window goes.
    bool endedInLoad_ = false;
    bool isChild_ = false;
    int locationId_ = 0;
    int neId_ = 0;
    CEntityId targetEntity_{1};
    std::string userName_;
    uint8_t accessMode_ = kAccessQuery;
    uint16_t userWord_ = 0;
    uint16_t changeFlags_ = 0;
    int markedControls_[kMaxMarkedControls] = {0, 0, 0, 0};
    bool skipInitLayout_ = false;
    std::optional<QFont> dialogFont_;
    bool skipScaling_ = false;
    bool hasMessageLine_ = true;
    QString messageText_;
    COLORREF messageTextColor_ = 0;
    COLORREF messageBackColor_ = 0;
    bool messageLineGrown_ = false;
    bool ownsMessageLine_ = true;
    CADialog* previousCurrentDialog_ = nullptr;
    bool tookCurrentRole_ = false;
    QRect placement_;
    std::string baseCaption_;
    struct TemplateLayout {
        QSize size;
        QString caption;
        QFont font;
        std::vector<std::pair<QPointer<QWidget>, QRect>> controls;
    };
    std::optional<TemplateLayout> templateLayout_;
};

// The process's current dialog: the last opened top-level dialog that took the role; null when none.
CADialog* GetCurrentDialog();
