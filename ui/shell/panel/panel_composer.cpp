#include "ui/shell/panel/panel_composer.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/shape/shape_coord.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"
#include "ui/framework/shapes/shape_draw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Coordinate words that are no plain template coordinates: an anchor, or a multiple of the caller's unit.
constexpr uint32_t kResolvedCoordinate = kShapeScaled | kShapeAnchorMask;

constexpr int kLevelModule = 3;
constexpr int kLevelPort = 4;

bool IsModuleOrPort(int level)
{
    return level == kLevelModule || level == kLevelPort;
}

bool Contains(const DcRect& rect, QPoint point)
{
    return point.x() >= rect.left && point.x() < rect.right && point.y() >= rect.top && point.y() < rect.bottom;
}

uint32_t Bit(unsigned number)
{
    return number < 32 ? (1u << number) : 0u;
}

int32_t PlainCoordinate(int32_t value)
{
    return ResolveShapeCoord(0, 0, 0, 0, value, 0, 0);
}

int32_t Truncate(double value)
{
    return static_cast<int32_t>(std::clamp(std::trunc(value), -1.0e9, 1.0e9));
}

bool Flashes(const AlarmSignalCode& flash, int severity)
{
    return flash.level != 0 && CompareSeverity(severity, flash.level) >= 0;
}

} // namespace

ShapeRecord TransformShape(const ShapeRecord& shape, const DcRect& drawn, double scaleX, double scaleY)
{
    // Shapes cover their edge pixels: the rectangle they resolve against ends one pixel inside the drawn one.
    const int32_t left = drawn.left;
    const int32_t top = drawn.top;
    const int32_t right = drawn.right - 1;
    const int32_t bottom = drawn.bottom - 1;
    const auto length = [&](int32_t value, int vertical) {
        if ((static_cast<uint32_t>(value) & kResolvedCoordinate) != 0)
            return ResolveShapeCoord(left, top, right, bottom, value, 0, vertical);
        return Truncate(PlainCoordinate(value) * (vertical != 0 ? scaleY : scaleX));
    };
    const auto position = [&](int32_t value, int vertical) {
        if ((static_cast<uint32_t>(value) & kResolvedCoordinate) != 0)
            return ResolveShapeCoord(left, top, right, bottom, value, 0, vertical);
        return (vertical != 0 ? top : left) + length(value, vertical);
    };

    ShapeRecord out = shape;
    for (size_t i = 0; i < out.coords.size(); ++i)
        out.coords[i] = position(out.coords[i], static_cast<int>(i % 2));
    if (ShapeSizeIsCoordinate(out.code))
        out.size = length(out.size, 0);
    if (ShapeHasTextOffsets(out.code)) {
        const int32_t dx = length(static_cast<int32_t>(ShapeLowHalf(out.extra1)), 0);
        const int32_t dy = length(static_cast<int32_t>(ShapeHighHalf(out.extra1)), 1);
        out.extra1 = PackShapeHalves(static_cast<uint16_t>(static_cast<int16_t>(std::clamp(dx, -32768, 32767))),
                                     static_cast<uint16_t>(static_cast<int16_t>(std::clamp(dy, -32768, 32767))));
    }
    return out;
}

DcRect CPanelComposer::FitTemplateRect(const CTemplateSize& size, int fit, const DcRect& target, bool detail)
{
    if (size.width <= 0 || size.height <= 0 || target.IsEmpty())
        return {};
    int mode = fit;
    if (!detail) {
        if (mode != kTemplateFitB)
            mode = kTemplateFitA;
    } else if (mode < kTemplateFitN || mode > kTemplateFitB) {
        mode = kTemplateFitA;
    }
    const int width = target.Width();
    const int height = target.Height();
    DcRect out;
    switch (mode) {
    case kTemplateFitN:
        out = {target.left, target.top, target.left + size.width, target.top + size.height};
        break;
    case kTemplateFitX:
        out = {target.left, target.top, target.right,
               target.top + Truncate(static_cast<double>(width) * size.height / size.width)};
        break;
    case kTemplateFitY:
        out = {target.left, target.top, target.left + Truncate(static_cast<double>(height) * size.width / size.height),
               target.bottom};
        break;
    case kTemplateFitB:
        out = target;
        break;
    default: {
        const double scale =
            std::min(static_cast<double>(width) / size.width, static_cast<double>(height) / size.height);
        const int fittedWidth = Truncate(size.width * scale);
        const int fittedHeight = Truncate(size.height * scale);
        const int left = target.left + (width - fittedWidth) / 2;
        const int top = target.top + (height - fittedHeight) / 2;
        out = {left, top, left + fittedWidth, top + fittedHeight};
        break;
    }
    }
    return out.IsEmpty() ? DcRect{} : out;
}

bool CPanelComposer::Place(const DrawnEntity& entity, const DcRect& target, bool detail,
                           const PanelEnvironment* environment, Placement& out)
{
    out.model = CurrentEntityModels().FindModel(entity.type);
    if (out.model == nullptr)
        return false;

    // The state the entity is drawn in.
    const CEntityNode& node = *entity.node;
    const CEntityNode* parent = node.GetParent();
    out.severity = 0;
    out.state = 0;
    if (parent != nullptr && (parent->IsEmptyOrUnknown() || !parent->IsConnected())) {
        // Below a parent that is not there nothing is current.
    } else if ((node.GetStateBits() & Bit(CurrentEntityModels().GetDisableAlarm())) != 0) {
        out.state = kTemplateStateCount - 1; // the disabled template
    } else {
        out.severity = static_cast<int>(node.GetSeverity());
        out.state = static_cast<int>(node.GetSecondaryStatus());
        if (environment != nullptr && environment->blinkPhaseOn && Flashes(environment->flash, out.severity)) {
            out.severity = 0;
            out.state = 0;
        }
    }

    out.layout = templates_.Find(*out.model, out.severity, out.state);
    if (out.layout == nullptr)
        return false;
    out.drawn = FitTemplateRect(out.layout->size, out.layout->fit, target, detail);
    if (out.drawn.IsEmpty())
        return false;
    out.scaleX = static_cast<double>(out.drawn.Width()) / out.layout->size.width;
    out.scaleY = static_cast<double>(out.drawn.Height()) / out.layout->size.height;
    return true;
}

CPanelComposer::DrawnEntity CPanelComposer::ChildAsDrawn(const CEntityType& parentModel, const CEntityNode& parent,
                                                         int position)
{
    const CEntityNode* child = parent.GetChild(position);
    if (child == nullptr)
        return {};
    if (child->GetType() == kEntityTypeAbsent)
        return {child, parentModel.GetChildVoid(position), true};
    if (child->IsEmptyOrUnknown() || (IsModuleOrPort(child->GetLevel()) && !child->IsConnected()))
        return {child, parentModel.GetChildEmpty(position), true};
    return {child, child->GetType(), false};
}

CPanelComposer::DrawnEntity CPanelComposer::AsDrawn(const CEntityNode& node)
{
    const CEntityNode* parent = node.GetParent();
    const CEntityType* parentModel =
        parent != nullptr ? CurrentEntityModels().FindModel(parent->GetModelId()) : nullptr;
    if (parentModel == nullptr)
        return {&node, node.GetType(), false};
    return ChildAsDrawn(*parentModel, *parent, node.GetPosition());
}

DcRect CPanelComposer::ChildRect(const Placement& placement, size_t position)
{
    const std::array<int32_t, 4>& rect = placement.layout->rects[position];
    const DcRect& drawn = placement.drawn;
    const auto map = [&](int32_t value, int vertical) {
        if ((static_cast<uint32_t>(value) & kResolvedCoordinate) != 0)
            return ResolveShapeCoord(drawn.left, drawn.top, drawn.right - 1, drawn.bottom - 1, value,
                                     static_cast<int32_t>(position), vertical);
        const double scale = vertical != 0 ? placement.scaleY : placement.scaleX;
        return (vertical != 0 ? drawn.top : drawn.left) + Truncate(PlainCoordinate(value) * scale);
    };
    return {map(rect[0], 0), map(rect[1], 1), map(rect[2], 0), map(rect[3], 1)};
}

void CPanelComposer::DrawEntity(Dc& dc, const CNeRecord& ne, const DrawnEntity& entity, const DcRect& target, int depth,
                                bool detail, const PanelEnvironment& environment)
{
    if (entity.node == nullptr || depth <= 0 || target.IsEmpty() || environment.suppressed)
        return;
    const CEntityNode& node = *entity.node;
    if (entity.type == kEntityTypeAbsent || (!entity.substitute && node.IsAbsent()))
        return;
    const int planState = entity.substitute ? kPlanStateAsPlanned : node.GetPlanState();
    if (IsModuleOrPort(node.GetLevel()) && (planState == kPlanStateMismatch || planState == kPlanStateMissing))
        return;
    Placement placement;
    if (!Place(entity, target, detail, &environment, placement))
        return;

    for (const ShapeRecord& shape : placement.layout->shapes)
        DrawShape(TransformShape(shape, placement.drawn, placement.scaleX, placement.scaleY), dc);
    DrawComponents(dc, ne, entity, placement);

    if (depth == 1)
        return;
    const size_t rects = std::min<size_t>(placement.layout->rects.size(), static_cast<size_t>(node.GetChildCount()));
    for (size_t i = 0; i < rects; ++i) {
        const DrawnEntity child = ChildAsDrawn(*placement.model, node, static_cast<int>(i));
        if (child.node != nullptr)
            DrawEntity(dc, ne, child, ChildRect(placement, i), depth - 1, detail, environment);
    }
}

void CPanelComposer::DrawComponents(Dc& dc, const CNeRecord& ne, const DrawnEntity& entity, const Placement& placement)
{
    const auto draw = [&](int shapeIndex) {
        const ShapeRecord& shape =
            placement.layout->components[static_cast<size_t>(shapeIndex - kTemplateOwnShapeLimit)];
        if (shape.code != kShapeNone)
            DrawShape(TransformShape(shape, placement.drawn, placement.scaleX, placement.scaleY), dc);
    };
    const CEntityModelSet& models = CurrentEntityModels();
    const CEntityNode& node = *entity.node;
    const uint32_t bits = node.GetStateBits();
    const bool disabled = (bits & Bit(models.GetDisableAlarm())) != 0;

    if (node.IsConnected()) {
        if (placement.model->GetLevel() == kLevelModule) {
            static constexpr std::array<std::pair<uint32_t, int>, 4> kFlagMarks = {
                {{kComponentVtp, kTemplateShapeVtp},
                 {kComponentVcm, kTemplateShapeVcm},
                 {kComponentTag, kTemplateShapeTag},
                 {kComponentUtg, kTemplateShapeUtg}}};
            for (const auto& [flag, shape] : kFlagMarks) {
                if ((node.componentFlags & flag) != 0)
                    draw(shape);
            }
            const CEntityNode* parent = node.GetParent();
            const CEntityType* parentModel = parent != nullptr ? models.FindModel(parent->GetModelId()) : nullptr;
            if (parentModel != nullptr && parentModel->GetChildRedundant(node.GetPosition()) != 0)
                draw((bits & Bit(models.GetSlaveAlarm())) != 0 ? kTemplateShapeSlave : kTemplateShapeActive);
        }
        for (int n = 2; n < 32; ++n) {
            if ((bits & Bit(static_cast<unsigned>(n))) != 0)
                draw(kTemplateShapeAlarm0 + n);
        }
    }

    const int planState = entity.substitute ? kPlanStateAsPlanned : node.GetPlanState();
    if (disabled)
        draw(kTemplateShapeDisable);
    else if (planState == kPlanStateUnplanned)
        draw(kTemplateShapeMiss);
    else if (planState != kPlanStateAsPlanned)
        draw(kTemplateShapeWrong);
    if (ne.planned != 0) {
        // The plan mark goes under the marks that must stay visible.
        draw(kTemplateShapePlan);
        if (planState == kPlanStateUnplanned)
            draw(kTemplateShapeMiss);
        if (disabled)
            draw(kTemplateShapeDisable);
    }
}

const CEntityNode* CPanelComposer::ViewNode(const PanelScene& scene)
{
    return scene.ne.root != nullptr ? scene.ne.root->FindChild(scene.viewEntity) : nullptr;
}

int CPanelComposer::DepthOf(const PanelScene& scene) const
{
    return scene.detail ? kPanelMaxDepth : static_cast<int>(CurrentEntityModels().GetRoughLevel());
}

QImage CPanelComposer::Compose(const PanelScene& scene, const PanelEnvironment& environment)
{
    QImage image(scene.size.expandedTo({1, 1}), QImage::Format_RGB32);
    image.fill(Qt::white);
    const CEntityNode* node = ViewNode(scene);
    if (node == nullptr || environment.suppressed)
        return image;
    QPainter painter(&image);
    Dc dc(painter);
    dc.SetBkMode(DcBkMode::Transparent);
    DrawEntity(dc, scene.ne, AsDrawn(*node), {0, 0, scene.size.width(), scene.size.height()}, DepthOf(scene),
               scene.detail, environment);
    return image;
}

CEntityIndex CPanelComposer::HitTest(const PanelScene& scene, QPoint point)
{
    const CEntityNode* node = ViewNode(scene);
    if (node == nullptr)
        return {};
    CEntityIndex index = scene.viewEntity;
    Placement placement;
    if (!Place(AsDrawn(*node), {0, 0, scene.size.width(), scene.size.height()}, scene.detail, nullptr, placement) ||
        !Contains(placement.drawn, point))
        return index;

    const int roughLevel = static_cast<int>(CurrentEntityModels().GetRoughLevel());
    const int steps = scene.detail ? kPanelMaxDepth : std::min(roughLevel, kPanelMaxDepth);
    for (int step = 0; step < steps && index.levelCount < 4; ++step) {
        if (scene.ne.planned != 0 && node->GetLevel() == 2)
            break;
        bool descended = false;
        const size_t rects =
            std::min<size_t>(placement.layout->rects.size(), static_cast<size_t>(node->GetChildCount()));
        for (size_t i = 0; i < rects; ++i) {
            const DcRect slot = ChildRect(placement, i);
            if (!Contains(slot, point))
                continue;
            const DrawnEntity child = ChildAsDrawn(*placement.model, *node, static_cast<int>(i));
            if (child.node == nullptr || child.node->GetType() == kEntityTypeAbsent ||
                (IsModuleOrPort(child.node->GetLevel()) && !node->IsConnected()))
                break;
            Placement childPlacement;
            // Inside its slot but outside what is drawn of it: the child is not hit.
            if (!Place(child, slot, scene.detail, nullptr, childPlacement) || !Contains(childPlacement.drawn, point))
                break;
            index.levels[index.levelCount++] = static_cast<uint8_t>(i + 1);
            node = child.node;
            placement = childPlacement;
            descended = true;
            break;
        }
        if (!descended)
            break;
    }
    if (!scene.detail)
        index = index.Truncated(scene.viewEntity.GetLevel() + roughLevel - 1);
    return index;
}

DcRect CPanelComposer::GetEntityRect(const PanelScene& scene, const CEntityIndex& entity)
{
    const CEntityNode* node = ViewNode(scene);
    const int first = scene.viewEntity.GetLevel();
    if (node == nullptr || entity.GetLevel() < first || entity.Truncated(first) != scene.viewEntity)
        return {};
    Placement placement;
    if (!Place(AsDrawn(*node), {0, 0, scene.size.width(), scene.size.height()}, scene.detail, nullptr, placement))
        return {};
    const int roughLevel = static_cast<int>(CurrentEntityModels().GetRoughLevel());
    const int levels = scene.detail ? kPanelMaxDepth : roughLevel;
    if (levels <= 0 || entity.GetLevel() - first >= levels)
        return {};
    for (int level = first + 1; level <= entity.GetLevel(); ++level) {
        const size_t position = entity.At(level) - 1;
        if (position >= placement.layout->rects.size())
            return {};
        const DrawnEntity child = ChildAsDrawn(*placement.model, *node, static_cast<int>(position));
        if (child.node == nullptr)
            return {};
        Placement childPlacement;
        if (!Place(child, ChildRect(placement, position), scene.detail, nullptr, childPlacement))
            return {};
        node = child.node;
        placement = childPlacement;
    }
    return placement.drawn;
}
