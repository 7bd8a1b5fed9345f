#pragma once
// The front panel of an NE, drawn from its entity models' templates: the NE (or one of its shelves) in the template
// its alarm severity and state choose, fitted into the picture, with the component marks on top, and each child drawn
// the same way into its template rectangle, down to a depth. An absent child is drawn in its parent's CHILDVOID model,
// an empty, unknown or disconnected one in its CHILDEMPTY model. The same walk answers which entity lies under a point
// and where an entity is drawn, so that what the operator points at is what the picture shows there.
//
//     CPanelComposer composer;
//     const PanelScene scene{ne, CEntityIndex::FromLevels(1), true, {900, 600}};
//     QImage picture = composer.Compose(scene, environment);
//     CEntityIndex port = composer.HitTest(scene, {412, 230});

#include "core/config/alarm_signal_code.h"
#include "core/entity/entity_index.h"
#include "platform/dc.h"
#include "ui/shell/panel/panel_templates.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstdint>

class CEntityNode;
class CEntityType;
class CNeRecord;

// Depth of the detailed drawing and of any descent.
inline constexpr int kPanelMaxDepth = 5;

// What one composition shows: the NE, the entity the panel starts from (the NE itself or one of its shelves), the
// detail flag (1: that entity in full depth; 0: the overview of a multi-shelf NE, ROUGHLEVEL levels deep) and the
// picture's size.
struct PanelScene {
    const CNeRecord& ne;
    CEntityIndex viewEntity;
    bool detail = true;
    QSize size;
};

// What else decides the drawing.
struct PanelEnvironment {
    bool suppressed = false; // nothing is drawn: the location tree is being replaced, or the program is ending
    bool blinkPhaseOn = false;
    AlarmSignalCode flash; // entities that flash are drawn cleared while the blink phase is on
};

class CPanelComposer {
public:
    // The picture: white where no template draws.
    QImage Compose(const PanelScene& scene, const PanelEnvironment& environment);
    // The entity under a point: the view entity's index extended by the path of children whose rectangles contain the
    // point; empty when the point lies outside the drawn view entity.
    CEntityIndex HitTest(const PanelScene& scene, QPoint point);
    // Where an entity (an index below the view entity) is drawn; empty when it is not.
    DcRect GetEntityRect(const PanelScene& scene, const CEntityIndex& entity);
    // The selection mark of the template file, to be drawn around an entity's rectangle (code 0: none).
    const ShapeRecord& SelectedMark() { return templates_.SelectedMark(); }

    // Fits a template of `size` into `target` by its fit (N, X, Y, A, B); in the overview every fit but B is A, in
    // detail a fit outside 0..4 is A. Empty for a size of 0 or below, or a target too small to scale into.
    static DcRect FitTemplateRect(const CTemplateSize& size, int fit, const DcRect& target, bool detail);

private:
    // An entity as it is drawn: its node and the type it is drawn in (a substitute for an absent, empty or
    // disconnected child, which counts as planned).
    struct DrawnEntity {
        const CEntityNode* node = nullptr;
        uint32_t type = 0;
        bool substitute = false;
    };
    // The geometry of an entity drawn into a target rectangle.
    struct Placement {
        const CEntityType* model = nullptr;
        const CParsedTemplate* layout = nullptr;
        DcRect drawn;
        double scaleX = 0.0;
        double scaleY = 0.0;
        int severity = 0;
        int state = 0;
    };

    bool Place(const DrawnEntity& entity, const DcRect& target, bool detail, const PanelEnvironment* environment,
               Placement& out);
    void DrawEntity(Dc& dc, const CNeRecord& ne, const DrawnEntity& entity, const DcRect& target, int depth,
                    bool detail, const PanelEnvironment& environment);
    void DrawComponents(Dc& dc, const CNeRecord& ne, const DrawnEntity& entity, const Placement& placement);
    // The child at a position as drawn; node null when there is none.
    static DrawnEntity ChildAsDrawn(const CEntityType& parentModel, const CEntityNode& parent, int position);
    // The view entity as drawn: as its parent draws it, or the NE as it is.
    static DrawnEntity AsDrawn(const CEntityNode& node);
    static DcRect ChildRect(const Placement& placement, size_t position);
    int DepthOf(const PanelScene& scene) const;
    static const CEntityNode* ViewNode(const PanelScene& scene);

    CPanelTemplates templates_;
};

// The template coordinates of a shape moved into a drawing rectangle: anchored coordinates resolve against the
// rectangle (edges inside), plain ones are scaled and offset by its corner; lengths are scaled only.
ShapeRecord TransformShape(const ShapeRecord& shape, const DcRect& drawn, double scaleX, double scaleY);
