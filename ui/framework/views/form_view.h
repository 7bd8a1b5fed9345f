#pragma once
// CAFormView, the base of the program's views: a pane of the main frame laid out from a form template (a .ui file whose
// controls carry their ids), with the target, list and control services the dialog base gives dialogs, but no right
// checks, access mode, message line, caption or scaling.
//
// Start-up: OnInitialUpdate (called by the frame when it creates the view, or at the first show) binds the controls,
// sets the view's font and starts timer 27574; 10 ms later the first-show routine prepares the lists and runs
// InitData once, so that a view that opens a request has its window on screen first; 100 ms after that timer 31544
// draws the decorations (DrawExtras), which are drawn again with every paint once the first show is done. The frame's
// refresh tick calls RefreshData.
//
// Commands of the view's controls go to OnCommandHook; those it leaves (result 0) go on to the main window, whose
// command routing handles the frame's commands. List sorts compare through the frame's active view.

#include "core/entity/entity_id.h"
#include "platform/notify_codes.h"
#include "platform/window_timers.h"
#include "ui/framework/dialogs/kind_markers.h"
#include "ui/framework/lists/list_host.h"

#include <QFont>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

class CommandRelay;
class Dc;

// View timers.
inline constexpr int kViewFirstShowTimer = 27574;  // 10 ms after the initial update: the first show
inline constexpr int kViewDecorationTimer = 31544; // 100 ms after the first show: the decorations

class CAFormView : public QWidget, public CommandTarget, public CListHost {
    Q_OBJECT
public:
    static constexpr size_t kUserNameMax = 10;

    explicit CAFormView(int formTemplateId, QWidget* parent = nullptr);
    ~CAFormView() override;

    int GetTemplateId() const { return templateId_; }
    uint32_t GetKindMarker() const { return kindMarker_; }
    bool IsInitialUpdateDone() const { return initialUpdateDone_; }
    bool IsFirstShowDone() const { return firstShowDone_; }
    bool IsInFirstShow() const { return inFirstShow_; }

    // Hooks.
    // The view's data load, once, from the first-show routine.
    virtual void InitData();
    // The view's decorations, drawn above its controls.
    virtual void DrawExtras(Dc& dc);
    // Notifications the base does not handle; a non-zero result reports one handled.
    virtual int OnNotifyHook(const NotifyHeader& header, int* result);
    // Commands after the base's handling; 0 passes the command on to the main window.
    virtual int OnCommandHook(int id, int code);
    // The sort comparison (see CADialog::CompareItems).
    virtual int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags);
    // The periodic refresh from the main frame's tick; empty in the base.
    virtual void RefreshData();

    // Target.
    int GetLocationId() const { return locationId_; }
    virtual void SetLocationId(int id) { locationId_ = id; }
    int GetNeId() const { return neId_; }
    virtual void SetNeId(int id) { neId_ = id; }
    const CEntityId& GetTargetEntity() const { return targetEntity_; }
    // Stores the NE and copies the entity id; null clears it.
    virtual void SetTarget(int neId, const CEntityId* entity);
    const std::string& GetUserName() const { return userName_; }
    virtual void SetUserName(const char* name);

    // Controls by id; absent controls are ignored. A 0 in a list ends it.
    QWidget* GetDlgItem(int id) const;
    template <class T> T* GetDlgItemAs(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    void EnableControls(std::initializer_list<int> ids, bool on = true);
    void EnableControl(int id, bool on = true);
    void ShowControls(std::initializer_list<int> ids, bool on = true);
    void ShowControl(int id, bool on = true);
    void SetControlsReadOnly(std::initializer_list<int> ids, bool on = true);
    void SetControlReadOnly(int id, bool on = true);

    // Font.
    bool GetSkipInitLayout() const { return skipInitLayout_; }
    void SetSkipInitLayout(bool on) { skipInitLayout_ = on; }
    QFont GetFont() const { return viewFont_.value_or(font()); }
    // The application's dialog font (null) or the font of a spec "face,size,flags", given to the view and its
    // controls.
    void SetDialogFont(const char* spec);

    int SetTimer(int id, int milliseconds) { return timers_->SetTimer(id, milliseconds); }
    bool KillTimer(int id) { return timers_->KillTimer(id); }
    const CWindowTimers& Timers() const { return *timers_; }

    // Start-up and life.
    virtual void OnInitialUpdate();
    virtual void OnFirstShow();
    virtual void OnTimer(int id);
    virtual void OnDestroy();
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    int SortCompare(uint32_t item1, uint32_t item2, uint32_t param) override;

    // Repaints the decorations.
    void InvalidateExtras();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void PaintExtras(Dc& dc);

    int templateId_;
    uint32_t kindMarker_ = kViewKindMarker;
    bool initialUpdateDone_ = false;
    bool firstShowDone_ = false;
    bool inFirstShow_ = false;
    bool forwarding_ = false;
    int locationId_ = 0;
    int neId_ = 0;
    CEntityId targetEntity_;
    std::string userName_;
    bool skipInitLayout_ = false;
    std::optional<QFont> viewFont_;
    QWidget* decorations_ = nullptr;
    std::unique_ptr<CWindowTimers> timers_;
    std::unique_ptr<CommandRelay> relay_;
};

// The main frame's active view, through which the views' list sorts compare; the frame sets it as the active pane
// changes. Null when none.
CAFormView* GetActiveFormView();
void SetActiveFormView(CAFormView* view);
