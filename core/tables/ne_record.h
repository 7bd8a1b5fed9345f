#pragma once
// The client's record of one NE: its key values as the server keeps them, the map view's working state, and the
// tree of its shelves, slots and ports. The name, the address and the port of a record in the NE table are its keys
// and change only through CNeTable, which keeps its indexes.

#include "core/tables/entity_node.h"
#include "core/util/ip_address.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CLocationTree;

// Auto-synchronisation values.
inline constexpr uint32_t kAutoSyncOff = 0;
inline constexpr uint32_t kAutoSyncNeToServer = 1;
inline constexpr uint32_t kAutoSyncServerToNe = 2;

// SNMP version values.
inline constexpr uint32_t kSnmpVersion1 = 0;
inline constexpr uint32_t kSnmpVersion2c = 1;

// Top bit of the state word: set on the record of the NE reached by a direct login.
inline constexpr uint32_t kNeStateDirectLogin = 0x80000000u;

class CNeRecord {
public:
    // Widths of the texts, in characters.
    static constexpr size_t kNameMax = 20;
    static constexpr size_t kLoginMax = 16;
    static constexpr size_t kCommunityMax = 20;

    uint32_t neId = 0;
    uint32_t locationId = 0;
    std::string name;
    uint32_t planned = 0; // 1 = a planned NE
    uint32_t inScope = 1; // 0 = outside the operator's location scope
    uint32_t inUse = 1;
    uint32_t neModelId = kEntityTypeUnknown; // the NE's entity model ("shelf type")
    uint32_t usedChildCount = 0;             // shelves of the NE model that exist
    IpAddress address{};
    uint16_t port = 161;
    IpAddress secondAddress{}; // carried for the server, 0.0.0.0 when unused
    IpAddress thirdAddress{};
    std::string loginUser; // FTP login
    std::string loginPassword;
    std::string community; // SNMP community
    uint32_t snmpVersion = kSnmpVersion1;
    uint32_t autoSync = kAutoSyncServerToNe;
    float longitude = 0.0F; // degrees, as the NE's key values carry them
    float latitude = 0.0F;
    float workLongitude = 0.0F; // where the map view shows the NE; moved by the operator
    float workLatitude = 0.0F;
    float storedLongitude = 0.0F; // as last received
    float storedLatitude = 0.0F;
    uint32_t newOrMoved = 0;    // the second new-or-moved flag (the first is kComponentNewOrMoved on the root)
    uint32_t savePending = 0;   // the working position waits for Save Topology
    uint32_t changeCounter = 0; // raised whenever the record, its scope or its alarm state changes
    uint32_t stateWord = 0;
    uint32_t neSeverity = 0; // the NE-level alarm severity 0..5
    std::unique_ptr<CEntityNode> root;

    CNeRecord() = default;
    // Copies carry the entity tree whole and are linked to no table; assigning keeps the record's own link.
    CNeRecord(const CNeRecord& other);
    CNeRecord& operator=(const CNeRecord& other);
    ~CNeRecord();

    // The next NE in name order, or null after the last.
    CNeRecord* GetNext() const { return next_; }

    // (Re)builds the entity tree from the NE model and counts the shelves that exist.
    void BuildEntityTree();

    // The address as dotted text.
    std::string GetIpText() const;
    // Name of the NE's location; empty when it is not in the tree.
    std::string GetLocationName(const CLocationTree& tree) const;
    std::string GetLocationName() const;

    // Alarm severity of the entity at a packed id; 0 when it is missing or absent. For the NE itself, the graver of
    // the NE-level severity and the root's own.
    uint32_t GetSeverityAt(uint32_t entityId) const;
    uint32_t GetSecondaryStatusAt(uint32_t /*entityId*/) const { return 0; }

    void SetPlanned(uint32_t flag) { planned = flag != 0 ? 1 : 0; }
    // Each cut to kLoginMax characters.
    void SetLoginUser(std::string_view text);
    void SetLoginPassword(std::string_view text);

private:
    friend class CNeTable;
    CNeRecord* next_ = nullptr;
};
