#pragma once
// CFrameView (form 229), the "Rack" view of the right-hand pane: the front panel of the current NE, or of one of its
// shelves, drawn from the entity models' templates with the live alarm colours. The picture is composed off screen at
// each refresh of the frame and copied to the window whole; the entity under the mouse becomes the frame's current
// entity (the menus and dialogs then act on it), framed by the selection mark and, for a port, named in a hint box,
// both drawn over the picture so that moving the mouse never composes it again. A right click pops the entity's
// context menu; its Export Frame saves the picture as a .bmp file.

#include "core/entity/entity_index.h"
#include "platform/dc.h"
#include "ui/framework/views/form_view.h"
#include "ui/shell/panel/panel_composer.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>

class CNeRecord;
class IViewHost;

class CFrameView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormTemplateId = 229;
    static constexpr int kPanelControlId = 1348;
    static constexpr int kCmdExportFrame = 33024;
    // The hint box: beside the mouse, with room around its text.
    static constexpr int kHintOffsetX = 5;
    static constexpr int kHintOffsetY = 18;
    static constexpr int kHintMargin = 3;
    static constexpr COLORREF kHintFillColor = 0xC0FFFF;

    explicit CFrameView(IViewHost& host, QWidget* parent = nullptr);
    ~CFrameView() override;

    // Form view hooks.
    void OnInitialUpdate() override;
    void RefreshData() override;
    int OnCommandHook(int id, int code) override;

    // What the panel shows: the detail flag (1: one shelf, or the NE of one shelf, in full depth), the off-screen
    // picture, the entity under the mouse, the selection mark and the hint box as last drawn.
    bool IsDetail() const { return detail_; }
    const QImage& Picture() const { return picture_; }
    const CEntityIndex& HoveredEntity() const { return hovered_; }
    QRect SelectionMarkRect() const;
    QRect HintRect() const { return hintRect_; }
    const QString& HintText() const { return hintText_; }
    // Where an entity of the current NE is drawn (an empty rectangle when it is not).
    QRect EntityRect(const CEntityIndex& index);
    // The widget the panel is drawn on; the mouse acts there.
    QWidget* Canvas() const { return canvas_; }

    // The operator's actions on the panel, at points of the canvas.
    void TrackEntityUnderMouse(QPoint point);
    void ShowPanelContextMenu(QPoint point);
    // Export Frame: asks for a file and writes the picture there; false when nothing was written (a failure is
    // reported to the operator).
    bool SavePanelBitmap();

private:
    class CPanelCanvas;

    void RefreshPanel();
    void FollowFrame();
    void ComposePanel();
    void PlaceSelectionMarkAndHint(QPoint mouse);
    void PaintPanel(Dc& dc);
    PanelScene Scene(const CNeRecord& ne) const;

    IViewHost& host_;
    QWidget* canvas_ = nullptr; // a CPanelCanvas
    CPanelComposer composer_;
    bool detail_ = false;
    bool stopRefreshWhileBusy_ = false;
    CEntityIndex hovered_;
    uint32_t hoveredNeId_ = 0;
    QImage picture_;
    DcRect markRect_;
    QRect hintRect_;
    QString hintText_;
    QString lastBitmapFile_;
};

// Lets the main frame create the view for the Rack tab.
void RegisterFrameView();
