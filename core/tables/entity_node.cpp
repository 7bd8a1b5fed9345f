#include "core/tables/entity_node.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <unordered_map>

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

// A block of nodes: a head, then the nodes side by side, each at the index of its position. A node finds the head,
// and so its parent, from its own address and position: a parent link in every node would be a quarter of its size.
// A root's block is a root head (the tree's table of alarm details, then the head) and the root alone.
struct CEntityNode::BlockHead {
    CEntityNode* parent = nullptr;
};

class CEntityNode::CDetailTable : public std::unordered_map<const CEntityNode*, CEntityAlarmDetail> {};

struct CEntityNode::RootHead {
    CDetailTable* details = nullptr;
    BlockHead head;
};

// Tens of thousands of NEs keep about a hundred nodes each: a node that grows is felt in the workstation's memory.
static_assert(sizeof(void*) != 8 || sizeof(CEntityNode) <= 32);

namespace {

// The head before the first node of a block.
template <class Head, class Node>
Head* HeadBefore(Node* first)
{
    return reinterpret_cast<Head*>(reinterpret_cast<std::conditional_t<std::is_const_v<Node>, const char, char>*>(first) -
                                   sizeof(Head));
}

} // namespace

CEntityNode* CEntityNode::NewRoot(int level, uint32_t type, uint32_t plannedType)
{
    static_assert(sizeof(BlockHead) % alignof(CEntityNode) == 0 && sizeof(RootHead) % alignof(CEntityNode) == 0);
    static_assert(offsetof(RootHead, head) + sizeof(BlockHead) == sizeof(RootHead));
    void* block = ::operator new(sizeof(RootHead) + sizeof(CEntityNode));
    new (block) RootHead();
    auto* root = new (static_cast<char*>(block) + sizeof(RootHead)) CEntityNode();
    root->Place(0, level, type, plannedType);
    return root;
}

void CEntityNode::operator delete(void* root)
{
    RootHead* head = HeadBefore<RootHead>(static_cast<char*>(root));
    delete head->details;
    head->~RootHead();
    ::operator delete(head);
}

void CEntityNode::Place(int position, int level, uint32_t type, uint32_t plannedType)
{
    position_ = static_cast<uint8_t>(position);
    level_ = static_cast<uint8_t>(level);
    type_ = type;
    plannedType_ = plannedType;
}

CEntityNode::~CEntityNode()
{
    FreeChildren();
    if (hasDetail_) {
        if (CDetailTable* details = Details(false))
            details->erase(this);
    }
}

CEntityNode* CEntityNode::NewChildren(int count)
{
    void* block = ::operator new(sizeof(BlockHead) + static_cast<size_t>(count) * sizeof(CEntityNode));
    new (block) BlockHead{this};
    auto* first = reinterpret_cast<CEntityNode*>(static_cast<char*>(block) + sizeof(BlockHead));
    for (int i = 0; i < count; ++i)
        new (first + i) CEntityNode();
    children_ = first;
    childCount_ = static_cast<uint8_t>(count);
    return first;
}

void CEntityNode::FreeChildren()
{
    if (children_ == nullptr)
        return;
    CEntityNode* first = children_;
    const int count = childCount_;
    children_ = nullptr;
    childCount_ = 0;
    // The children look for the tree's details through this node while they go: its links stay until then.
    for (int i = count - 1; i >= 0; --i)
        first[i].~CEntityNode();
    BlockHead* head = HeadBefore<BlockHead>(first);
    head->~BlockHead();
    ::operator delete(head);
}

std::unique_ptr<CEntityNode> CEntityNode::BuildEntityTree(uint32_t neModelId)
{
    return BuildEntityTree(neModelId, CurrentEntityModels());
}

std::unique_ptr<CEntityNode> CEntityNode::BuildEntityTree(uint32_t neModelId, const CEntityModelSet& models)
{
    std::unique_ptr<CEntityNode> root(NewRoot(kEntityLevelNe, neModelId, neModelId));
    root->BuildChildren(models);
    return root;
}

void CEntityNode::BuildChildren(const CEntityModelSet& models)
{
    FreeChildren();
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
                                     std::numeric_limits<uint8_t>::max()});
    if (count <= 0) {
        return;
    }
    CEntityNode* children = NewChildren(count);
    for (int i = 0; i < count; ++i) {
        CEntityNode& child = children[i];
        const uint32_t fixedType = model->GetChildFixedType(i);
        if (fixedType == kEntityTypeAbsent) {
            child.Place(i, childLevel, kEntityTypeAbsent, kEntityTypeAbsent);
            continue;
        }
        child.Place(i, childLevel, kEntityTypeUnknown, fixedType);
        child.BuildChildren(models);
    }
}

std::unique_ptr<CEntityNode> CEntityNode::Clone() const
{
    std::unique_ptr<CEntityNode> copy(NewRoot(level_, type_, plannedType_));
    CopyInto(*copy);
    return copy;
}

void CEntityNode::CopyInto(CEntityNode& copy) const
{
    copy.stateBits = stateBits;
    copy.severity = severity;
    copy.alarmMasked = alarmMasked;
    copy.connected = connected;
    copy.componentFlags = componentFlags;
    if (hasDetail_)
        copy.SetAlarmDetail(GetAlarmDetail());
    copy.FreeChildren();
    if (childCount_ == 0)
        return;
    CEntityNode* copies = copy.NewChildren(childCount_);
    for (int i = 0; i < childCount_; ++i) {
        const CEntityNode& child = children_[i];
        CEntityNode& childCopy = copies[i];
        childCopy.Place(child.position_, child.level_, child.type_, child.plannedType_);
        child.CopyInto(childCopy);
    }
}

CEntityNode* CEntityNode::GetParent() const
{
    return HeadBefore<const BlockHead>(this - position_)->parent;
}

CEntityNode::CDetailTable* CEntityNode::Details(bool make) const
{
    RootHead* head = HeadBefore<RootHead>(const_cast<CEntityNode*>(GetRoot()));
    if (head->details == nullptr && make)
        head->details = new CDetailTable();
    return head->details;
}

const CEntityAlarmDetail& CEntityNode::GetAlarmDetail() const
{
    static const CEntityAlarmDetail kNone;
    const CDetailTable* details = hasDetail_ ? Details(false) : nullptr;
    if (details == nullptr)
        return kNone;
    const auto found = details->find(this);
    return found != details->end() ? found->second : kNone;
}

void CEntityNode::SetAlarmDetail(CEntityAlarmDetail detail)
{
    if (detail.IsEmpty()) {
        if (hasDetail_) {
            if (CDetailTable* details = Details(false))
                details->erase(this);
            hasDetail_ = false;
        }
        return;
    }
    (*Details(true))[this] = std::move(detail);
    hasDetail_ = true;
}

CEntityNode* CEntityNode::GetRoot()
{
    CEntityNode* node = this;
    while (CEntityNode* parent = node->GetParent()) {
        node = parent;
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
    return children_ + i;
}

CEntityIndex CEntityNode::GetIndex() const
{
    CEntityIndex index;
    index.levelCount = static_cast<uint32_t>(level_);
    for (const CEntityNode* node = this; node != nullptr; node = node->GetParent()) {
        // The NE's own number is always 1.
        index.levels[static_cast<size_t>(node->level_ - 1)] =
            static_cast<uint8_t>(node->level_ == kEntityLevelNe ? 1 : node->position_ + 1);
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
    for (const CEntityNode* node = this; node != nullptr; node = node->GetParent()) {
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
    for (const CEntityNode* node = this; node != nullptr; node = node->GetParent()) {
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
    for (const CEntityNode* node = this; node != nullptr; node = node->GetParent()) {
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
    return IsMasked() ? 0 : GetAlarmDetail().alarmClass;
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
