#pragma once
// One node of an NE's entity tree: the NE itself, a shelf, a slot (module), a port or a fifth-level entity. The tree
// follows the entity model: each child position of a node's model is a child node, absent positions included. Nodes
// keep model ids, not model pointers, so that a reloaded entity model serves the same trees.

#include "core/entity/entity_index.h"
#include "core/entity/entity_type_ids.h"

#include <cstdint>
#include <memory>
#include <string>

class CEntityModelSet;
class CNeRecord;

// Bits of the component-flag word.
inline constexpr uint32_t kComponentVtp = 0x01;      // VLAN tag pass-through
inline constexpr uint32_t kComponentVcm = 0x02;      // VC multiplexed encapsulation
inline constexpr uint32_t kComponentTag = 0x04;      // tagged mode
inline constexpr uint32_t kComponentUtg = 0x08;      // untagged mode
inline constexpr uint32_t kComponentImageShift = 20; // bits 20..27: the list image last shown for the entity
inline constexpr uint32_t kComponentImageMask = 0xFFu << kComponentImageShift;
inline constexpr uint32_t kComponentNewOrMoved = 0x80000000u; // on the NE's node: new or moved on the map

// Plan states.
inline constexpr int kPlanStateAsPlanned = 0;
inline constexpr int kPlanStateMismatch = 1;  // another type than planned
inline constexpr int kPlanStateUnplanned = 2; // present but not planned; also an absent position
inline constexpr int kPlanStateMissing = 3;   // planned but empty

// What an alarm state carries besides its bits and severity: few nodes have any of it, so a node keeps none of it
// itself (see CEntityNode::GetAlarmDetail).
struct CEntityAlarmDetail {
    uint32_t secondaryStatus = 0; // stored as received; GetSecondaryStatus answers 0
    uint32_t alarmClass = 0;      // 1 equipment, 2 communication, 3 environment, other non-zero other
    uint32_t ackFlag = 0;         // non-zero: acknowledged
    uint32_t ackTime = 0;
    uint32_t occurTime = 0;
    uint32_t receiveTime = 0;
    std::string ackPerson;

    bool IsEmpty() const { return *this == CEntityAlarmDetail{}; }
    bool operator==(const CEntityAlarmDetail&) const = default;
};

// An NE keeps a node for each position of its model, about a hundred of them, and a workstation tens of thousands of
// NEs: a node is 32 bytes. The members are ordered so that nothing is padded, positions and counts are kept in a byte
// (an entity id numbers at most 99 positions a level), a node finds its parent in the head of its parent's block of
// children (see entity_node.cpp), and the rarely set alarm details live in a table of the tree's root.
class CEntityNode {
private:
    uint32_t type_ = kEntityTypeUnknown;
    uint32_t plannedType_ = kEntityTypeUnknown;

public:
    // Alarm state, kept current by the server message dispatcher.
    uint32_t stateBits = 0;      // bit i: alarm definition i active
    uint32_t componentFlags = 0; // kComponent* bits

private:
    uint8_t position_ = 0;
    uint8_t childCount_ = 0;
    uint8_t level_ = 1;
    bool hasDetail_ = false;

public:
    bool connected = false;
    uint8_t severity = 0;     // 0 none, 1 critical .. 5 info
    bool alarmMasked = false; // alarms of this node and its descendants are masked

    // The tree of an NE model: the root (level 1, type and planned type the NE model) and, below it, a node per child
    // position of each model down to level 4 (level 5 where a model declares children there). An absent position is
    // a node of the absent type without children; any other position is planned with its fixed type and of unknown
    // type until the NE says otherwise, with the children of its planned model. An unknown NE model gives the root
    // alone.
    static std::unique_ptr<CEntityNode> BuildEntityTree(uint32_t neModelId);
    static std::unique_ptr<CEntityNode> BuildEntityTree(uint32_t neModelId, const CEntityModelSet& models);

    CEntityNode(const CEntityNode&) = delete;
    CEntityNode& operator=(const CEntityNode&) = delete;
    ~CEntityNode();
    // A root is freed with its block (the unique_ptr of a tree deletes its root).
    static void operator delete(void* root);

    // A deep copy of this node and its subtree, as a root of its own (at position 0).
    std::unique_ptr<CEntityNode> Clone() const;

    // Tree links.
    CEntityNode* GetParent() const;
    CEntityNode* GetRoot();
    const CEntityNode* GetRoot() const;
    int GetLevel() const { return level_; }       // 1 NE .. 5
    int GetPosition() const { return position_; } // among the parent's children, from 0
    int GetChildCount() const { return childCount_; }
    CEntityNode* GetChild(int i) const;
    // The node's path below the NE, and its packed id.
    CEntityIndex GetIndex() const;
    uint32_t GetEntityId() const;

    // Lookups in this node's tree, from its root: the NE's own node for level 1; null for id 0, an empty or invalid
    // index and a missing position.
    CEntityNode* FindChild(const CEntityIndex& index);
    CEntityNode* FindById(uint32_t entityId);
    const CEntityNode* FindById(uint32_t entityId) const { return const_cast<CEntityNode*>(this)->FindById(entityId); }

    // Types.
    uint32_t GetType() const { return type_; }
    uint32_t GetPlannedType() const { return plannedType_; }
    // The model the children follow: the current type when it is a model, else the planned type when it is one,
    // else 0.
    uint32_t GetModelId() const;
    // The current type of the node there; kEntityTypeAbsent when it is missing or absent.
    uint32_t GetTypeAt(const CEntityIndex& index);
    uint32_t GetTypeById(uint32_t entityId);
    static uint32_t GetTypeById(const CNeRecord* ne, uint32_t entityId);
    // Sets the current and planned type (kPlannedTypeSame: the same as the type). A node whose model changes gets
    // its children rebuilt from the new model. False, and nothing changed, on an absent node and for the absent type,
    // which only the model gives.
    bool SetType(uint32_t type, uint32_t plannedType);
    bool SetTypeById(uint32_t entityId, uint32_t type, uint32_t plannedType);

    // The node or an ancestor has the absent type.
    bool IsAbsent() const;
    // Absent, empty (1) or unknown (0x7FFFFFFF).
    bool IsEmptyOrUnknown() const;
    // The same for the node at an id; true when it is missing.
    bool IsEmptyOrUnknownById(uint32_t entityId);
    // The node and all its ancestors are connected and none is absent.
    bool IsConnected() const;
    bool IsConnectedById(uint32_t entityId);
    // kPlanState*: 0 as planned, 1 another type than planned, 2 present but not planned (also when absent), 3 planned
    // but empty.
    int GetPlanState() const;

    // The node's alarm details; all zero and empty unless set.
    const CEntityAlarmDetail& GetAlarmDetail() const;
    // Replaces them; details all zero and empty take no room.
    void SetAlarmDetail(CEntityAlarmDetail detail);

    // Alarms are masked on the node or an ancestor.
    bool IsMasked() const;
    // Sets the state bits and the connected flag, which is the offline alarm's bit clear.
    void SetStateBits(uint32_t bits);
    // The alarm state bits, the offline bit also while disconnected; 0 when masked.
    uint32_t GetStateBits() const;
    // Own severity 0..5; 0 when masked.
    uint32_t GetSeverity() const;
    // The alarm class; 0 when masked.
    uint32_t GetTertiaryStatus() const;
    uint32_t GetSecondaryStatus() const { return 0; }
    // The gravest severity (1..5) of the node and its connected descendants; 0 when none, or the node is absent or
    // masked.
    uint32_t GetSummarySeverity() const;
    // The same for the node at an id of an NE; 0 when the NE or the node is missing.
    static uint32_t GetSummarySeverityById(const CNeRecord* ne, uint32_t entityId);

private:
    struct BlockHead;
    struct RootHead;
    class CDetailTable;

    CEntityNode() = default;
    // A root of its own (position 0), in a block with the root's head.
    static CEntityNode* NewRoot(int level, uint32_t type, uint32_t plannedType);
    void Place(int position, int level, uint32_t type, uint32_t plannedType);
    // Replaces the children by those of the node's model.
    void BuildChildren(const CEntityModelSet& models);
    // Gives the node a block of `count` children, each placed at its position with the level below.
    CEntityNode* NewChildren(int count);
    void FreeChildren();
    // Copies the values and the subtree (not the links) into a node placed already.
    void CopyInto(CEntityNode& copy) const;
    // The table of the tree's alarm details; null while it has none, unless `make`.
    CDetailTable* Details(bool make) const;

    // A node's children lie side by side in one block, after a head that names their parent.
    CEntityNode* children_ = nullptr;
};
