#include "core/tables/entity_node.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"

#include <algorithm>
#include <limits>

namespace {

bool IsModelId(uint32_t type)
{
    return type >= kEntityModelIdMin && type <= kEntityModelIdMax;
}

bool IsValidSeverity(uint32_t severity)
{
    return severity >= 1 && severity <= 5;
}

// The graver of two severities, ignoring values that are not alarm severities.
uint32_t Graver(uint32_t a, uint32_t b)
{
    if (!IsValidSeverity(b)) {
        return a;
    }
    if (!IsValidSeverity(a)) {
        return b;
    }
    return CompareSeverity(static_cast<int>(b), static_cast<int>(a)) > 0 ? b : a;
}

// Gravest severity of a node that is connected, present and unmasked, and of its children that are too.
uint32_t ConnectedSubtreeSeverity(const CEntityNode& node)
{
    uint32_t gravest = IsValidSeverity(node.severity) ? node.severity : 0;
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const CEntityNode* child = node.GetChild(i);
        if (child->connected && child->GetType() != kEntityTypeAbsent && child->alarmMasked == 0) {
            gravest = Graver(gravest, ConnectedSubtreeSeverity(*child));
        }
    }
    return gravest;
}

} // namespace

// Tens of thousands of NEs keep dozens of nodes each: a node that grows is felt in the workstation's memory.
static_assert(sizeof(void*) != 8 || sizeof(CEntityNode) <= 80);

CEntityNode::CEntityNode(CEntityNode* parent, int position, int level, uint32_t type, uint32_t plannedType)
{
    Place(parent, position, level, type, plannedType);
}

void CEntityNode::Place(CEntityNode* parent, int position, int level, uint32_t type, uint32_t plannedType)
{
    parent_ = parent;
    position_ = static_cast<uint16_t>(position);
    level_ = static_cast<uint8_t>(level);
    type_ = type;
    plannedType_ = plannedType;
}

CEntityNode::~CEntityNode() = default;

std::unique_ptr<CEntityNode> CEntityNode::BuildEntityTree(uint32_t neModelId)
{
    return BuildEntityTree(neModelId, CurrentEntityModels());
}

std::unique_ptr<CEntityNode> CEntityNode::BuildEntityTree(uint32_t neModelId, const CEntityModelSet& models)
{
    std::unique_ptr<CEntityNode> root(new CEntityNode(nullptr, 0, kEntityLevelNe, neModelId, neModelId));
    root->BuildChildren(models);
    return root;
}

void CEntityNode::BuildChildren(const CEntityModelSet& models)
{
    children_.reset();
    childCount_ = 0;
    if (level_ >= kEntityLevelFifth) {
        return;
    }
    const CEntityType* model = models.FindModel(GetModelId());
    if (model == nullptr) {
        return;
    }
    const int childLevel = level_ + 1;
    // Positions above the level's maximum cannot be addressed by any entity id, so they get no node.
    const int count = std::min<int>({model->GetChildCount(), static_cast<int>(models.GetMaxEntityLevel(childLevel)),
                                     std::numeric_limits<uint16_t>::max()});
    if (count <= 0) {
        return;
    }
    children_.reset(new CEntityNode[static_cast<size_t>(count)]);
    childCount_ = static_cast<uint16_t>(count);
    for (int i = 0; i < count; ++i) {
        CEntityNode& child = children_[static_cast<size_t>(i)];
        const uint32_t fixedType = model->GetChildFixedType(i);
        if (fixedType == kEntityTypeAbsent) {
            child.Place(this, i, childLevel, kEntityTypeAbsent, kEntityTypeAbsent);
            continue;
        }
        child.Place(this, i, childLevel, kEntityTypeUnknown, fixedType);
        child.BuildChildren(models);
    }
}

std::unique_ptr<CEntityNode> CEntityNode::Clone() const
{
    std::unique_ptr<CEntityNode> copy(new CEntityNode(nullptr, position_, level_, type_, plannedType_));
    CopyInto(*copy);
    return copy;
}

void CEntityNode::CopyInto(CEntityNode& copy) const
{
    copy.stateBits = stateBits;
    copy.severity = severity;
    copy.secondaryStatus = secondaryStatus;
    copy.alarmClass = alarmClass;
    copy.alarmMasked = alarmMasked;
    copy.ackFlag = ackFlag;
    copy.ackTime = ackTime;
    copy.ackPerson = ackPerson;
    copy.occurTime = occurTime;
    copy.receiveTime = receiveTime;
    copy.connected = connected;
    copy.componentFlags = componentFlags;
    copy.childCount_ = childCount_;
    copy.children_.reset(childCount_ > 0 ? new CEntityNode[static_cast<size_t>(childCount_)] : nullptr);
    for (int i = 0; i < childCount_; ++i) {
        const CEntityNode& child = children_[static_cast<size_t>(i)];
        CEntityNode& childCopy = copy.children_[static_cast<size_t>(i)];
        childCopy.Place(&copy, child.position_, child.level_, child.type_, child.plannedType_);
        child.CopyInto(childCopy);
    }
}

CEntityNode* CEntityNode::GetRoot()
{
    CEntityNode* node = this;
    while (node->parent_ != nullptr) {
        node = node->parent_;
    }
    return node;
}

const CEntityNode* CEntityNode::GetRoot() const
{
    return const_cast<CEntityNode*>(this)->GetRoot();
}

CEntityNode* CEntityNode::GetChild(int i) const
{
    if (i < 0 || i >= childCount_) {
        return nullptr;
    }
    return &children_[static_cast<size_t>(i)];
}

CEntityIndex CEntityNode::GetIndex() const
{
    CEntityIndex index;
    index.levelCount = static_cast<uint32_t>(level_);
    for (const CEntityNode* node = this; node != nullptr; node = node->parent_) {
        // The NE's own number is always 1.
        index.levels[static_cast<size_t>(node->level_ - 1)] =
            static_cast<uint8_t>(node->parent_ == nullptr ? 1 : node->position_ + 1);
    }
    return index;
}

uint32_t CEntityNode::GetEntityId() const
{
    return EntityIdFromIndexValue(GetIndex());
}

CEntityNode* CEntityNode::FindChild(const CEntityIndex& index)
{
    if (index.levelCount == 0 || index.levelCount > static_cast<uint32_t>(kEntityLevelCount)) {
        return nullptr;
    }
    CEntityNode* node = GetRoot();
    for (int level = kEntityLevelShelf; level <= index.GetLevel() && node != nullptr; ++level) {
        const unsigned number = index.At(level);
        if (number == 0) {
            return nullptr;
        }
        node = node->GetChild(static_cast<int>(number) - 1);
    }
    return node;
}

CEntityNode* CEntityNode::FindById(uint32_t entityId)
{
    if (entityId == 0) {
        return nullptr;
    }
    return FindChild(EntityIndexFromId(entityId));
}

uint32_t CEntityNode::GetModelId() const
{
    if (IsModelId(type_)) {
        return type_;
    }
    return IsModelId(plannedType_) ? plannedType_ : 0;
}

uint32_t CEntityNode::GetTypeAt(const CEntityIndex& index)
{
    const CEntityNode* node = FindChild(index);
    return node == nullptr || node->IsAbsent() ? kEntityTypeAbsent : node->type_;
}

uint32_t CEntityNode::GetTypeById(uint32_t entityId)
{
    const CEntityNode* node = FindById(entityId);
    return node == nullptr || node->IsAbsent() ? kEntityTypeAbsent : node->type_;
}

uint32_t CEntityNode::GetTypeById(const CNeRecord* ne, uint32_t entityId)
{
    if (ne == nullptr || ne->root == nullptr) {
        return kEntityTypeAbsent;
    }
    return ne->root->GetTypeById(entityId);
}

bool CEntityNode::SetType(uint32_t type, uint32_t plannedType)
{
    if (plannedType == kPlannedTypeSame) {
        plannedType = type;
    }
    if (IsAbsent() || type == kEntityTypeAbsent || plannedType == kEntityTypeAbsent) {
        return false;
    }
    const uint32_t oldModel = GetModelId();
    type_ = type;
    plannedType_ = plannedType;
    if (GetModelId() != oldModel) {
        BuildChildren(CurrentEntityModels());
    }
    return true;
}

bool CEntityNode::SetTypeById(uint32_t entityId, uint32_t type, uint32_t plannedType)
{
    CEntityNode* node = FindById(entityId);
    return node != nullptr && node->SetType(type, plannedType);
}

bool CEntityNode::IsAbsent() const
{
    for (const CEntityNode* node = this; node != nullptr; node = node->parent_) {
        if (node->type_ == kEntityTypeAbsent) {
            return true;
        }
    }
    return false;
}

bool CEntityNode::IsEmptyOrUnknown() const
{
    return type_ == kEntityTypeEmpty || type_ == kEntityTypeUnknown || IsAbsent();
}

bool CEntityNode::IsEmptyOrUnknownById(uint32_t entityId)
{
    const CEntityNode* node = FindById(entityId);
    return node == nullptr || node->IsEmptyOrUnknown();
}

bool CEntityNode::IsConnected() const
{
    for (const CEntityNode* node = this; node != nullptr; node = node->parent_) {
        if (!node->connected || node->type_ == kEntityTypeAbsent) {
            return false;
        }
    }
    return true;
}

bool CEntityNode::IsConnectedById(uint32_t entityId)
{
    const CEntityNode* node = FindById(entityId);
    return node != nullptr && node->IsConnected();
}

int CEntityNode::GetPlanState() const
{
    if (IsAbsent()) {
        return kPlanStateUnplanned;
    }
    if (IsModelId(plannedType_)) {
        if (!IsModelId(type_)) {
            return kPlanStateMissing;
        }
        return type_ == plannedType_ ? kPlanStateAsPlanned : kPlanStateMismatch;
    }
    return IsModelId(type_) ? kPlanStateUnplanned : kPlanStateAsPlanned;
}

bool CEntityNode::IsMasked() const
{
    for (const CEntityNode* node = this; node != nullptr; node = node->parent_) {
        if (node->alarmMasked != 0) {
            return true;
        }
    }
    return false;
}

void CEntityNode::SetStateBits(uint32_t bits)
{
    stateBits = bits;
    connected = (bits & (1u << CurrentEntityModels().GetOfflineAlarm())) == 0;
}

uint32_t CEntityNode::GetStateBits() const
{
    if (IsMasked()) {
        return 0;
    }
    return connected ? stateBits : stateBits | (1u << CurrentEntityModels().GetOfflineAlarm());
}

uint32_t CEntityNode::GetSeverity() const
{
    return IsMasked() ? 0 : severity;
}

uint32_t CEntityNode::GetTertiaryStatus() const
{
    return IsMasked() ? 0 : alarmClass;
}

uint32_t CEntityNode::GetSummarySeverity() const
{
    if (IsAbsent() || IsMasked()) {
        return 0;
    }
    if (!IsConnected()) {
        // Below a disconnected node nothing is current: only the node's own alarm counts.
        return IsValidSeverity(severity) ? severity : 0;
    }
    return ConnectedSubtreeSeverity(*this);
}

uint32_t CEntityNode::GetSummarySeverityById(const CNeRecord* ne, uint32_t entityId)
{
    if (ne == nullptr || ne->root == nullptr) {
        return 0;
    }
    const CEntityNode* node = ne->root->FindById(entityId);
    return node == nullptr ? 0 : node->GetSummarySeverity();
}
