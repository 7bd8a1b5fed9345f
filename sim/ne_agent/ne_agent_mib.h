#pragma once
// The simulated NE's MIB: the MIB-II system group, the snmp group's input counters and the private tables of the
// request-code map, with the GET, GET-NEXT, GETBULK and SET semantics of SNMP v1 and v2c. Single-threaded.

#include "link/records/entity_state_rec.h"
#include "link/records/record_codec.h"
#include "link/snmp/snmp_message.h"
#include "link/snmp/snmp_request_map.h"
#include "sim/ne_agent/ne_agent_pm_tables.h"
#include "sim/ne_agent/ne_agent_scenario.h"
#include "sim/ne_agent/shared_map.h"
#include "sim/pm/adsl_line_tests.h"
#include "sim/seed/ne_file_system.h"
#include "sim/seed/pvc_rules.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CEntityModelSet;
struct PvcRowStatusRec;

enum class AgentAccess : uint8_t { None, ReadOnly, ReadWrite };

struct NeAgentCounters {
    uint32_t inPackets = 0;
    uint32_t badVersions = 0;
    uint32_t badCommunityNames = 0;
    uint32_t asnParseErrors = 0;
};

class CNeAgentMib {
public:
    // Builds the NE from the scenario and, when given, the entity models (shelves, boards, alarm definitions).
    void Build(const NeAgentScenario& scenario, const CEntityModelSet* models);

    // The access a community has: its row in the community table, in service.
    AgentAccess Authorize(const std::string& community) const;

    // Answers a GetRequest, GetNextRequest, GetBulkRequest or SetRequest. The response carries no size limit;
    // the server cuts GETBULK responses to fit. A read-only community does not see the secret cells: a GET of one
    // is refused with noAccess, GET-NEXT and GETBULK pass over them.
    void Handle(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response);

    NeAgentCounters& Counters() { return counters_; }
    uint32_t UpTimeTicks() const;
    const CSnmpOid& SysObjectId() const { return sysObjectId_; }

    // Toggles the next alarm of the generator's round: the entity's new state (also appended to the alarm log);
    // nullopt when the NE has no alarm to raise.
    std::optional<EntityStateRec> GenerateAlarm();
    // The states of every entity with an alarm set (what an alarm synchronisation re-sends).
    std::vector<EntityStateRec> AlarmedStates() const;
    // True once after a SET of the alarm synchronisation action.
    bool TakeSyncRequest();

    size_t RowCount(uint16_t objectCode) const;
    // What the count of code `countCode` answers: the rows of the table it counts, `counted` (ne_agent_counts.cpp).
    size_t CountOf(uint16_t countCode, uint16_t counted) const;

private:
    struct Object {
        enum class Kind : uint8_t { System, Counter, MapScalar, Action, Cell, RowStatus, Count } kind = Kind::System;
        uint16_t code = 0; // map code of MapScalar, Action, Cell, RowStatus; the table a Count counts
        uint32_t id = 0;   // system or counter object number, column, or a Count's own code
        CSnmpOid index;    // row of Cell and RowStatus
    };
    struct Table {
        const SnmpRequestEntry* entry = nullptr;
        CSharedMap<CSnmpOid, std::vector<uint8_t>> rows; // the rows held, by index
        // Rows the table has without holding them: one for every index madeFirst..madeLast (one sub-identifier)
        // that no held row replaces, made from its index when asked for (MadeRow). They are never destroyed: such a
        // table has no RowStatus.
        uint32_t madeFirst = 1;
        uint32_t madeLast = 0;
    };
    // A table as GET-NEXT walks it: its cells are entry.column.index, by column, then by index.
    struct TableShape {
        CSnmpOid entryOid;
        uint16_t code = 0;
        std::vector<uint32_t> columns; // ascending, the RowStatus column last where the table has one
    };
    struct Candidate {
        uint32_t entityId = 0;
        uint8_t alarm = 0;
        uint32_t severity = 0;
    };

    void AddRow(uint16_t code, const std::vector<uint8_t>& record);
    void RemoveRow(uint16_t code, CSnmpOid index);
    // The objects other than the tables' cells (system and snmp groups, scalars, actions, counts), which are the same
    // for every NE; and the tables in the order of their entries' OIDs. A table's cells are found in its rows, so
    // that a row costs no more than itself.
    static const std::map<CSnmpOid, Object>& Registry();
    static const std::vector<TableShape>& Shapes();
    // The object at the OID: a registry object, or a cell or RowStatus of a row the NE has.
    std::optional<Object> Find(const CSnmpOid& oid) const;
    // The table's row of the index, held or made (into `made`); none when the table has no such row.
    const std::vector<uint8_t>* RowAt(const Table& table, const CSnmpOid& index, std::vector<uint8_t>* made) const;
    bool HasRow(const Table& table, const CSnmpOid& index) const;
    // The first index of the table's rows at or above `from` (or above it only), none past the last row.
    std::optional<CSnmpOid> IndexFrom(const Table& table, const CSnmpOid& from, bool inclusive) const;
    std::vector<uint8_t> MadeRow(uint16_t code, uint32_t index) const;
    // The first cell of the table above the OID that the access sees, none past the table.
    std::optional<SnmpVarBind> TableNext(const TableShape& shape, const CSnmpOid& oid, AgentAccess access) const;
    // Whether a cell of the table lies under the OID.
    bool HasCellUnder(const TableShape& shape, const CSnmpOid& prefix) const;
    bool Visible(const Object& object, AgentAccess access) const;
    void RefreshDynamic();
    // The readings of the NE's modules as they are now (request 337).
    void RefreshHardwareReadings();
    std::optional<SnmpValue> Read(const Object& object) const;
    SnmpType MissingKind(const CSnmpOid& oid) const;
    void HandleGet(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response);
    void HandleGetNext(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response);
    void HandleGetBulk(AgentAccess access, const SnmpPdu& request, SnmpPdu* response);
    void HandleSet(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response);
    std::optional<SnmpVarBind> Next(const CSnmpOid& oid, AgentAccess access) const;
    // The first cell of a computed PM table above the OID, none past the table.
    std::optional<SnmpVarBind> ComputedNext(const SnmpRequestEntry& entry, const CSnmpOid& entryOid,
                                            const CSnmpOid& oid) const;
    std::optional<SnmpValue> ComputedRead(const CSnmpOid& oid) const;
    std::vector<LongTermPmItemRec> LongTermPmItems() const;
    // What the PM tables read of this NE.
    CNeAgentPmTables::Source PmSource() const;
    // The NE's ADSL ports, which the PM tables serve too.
    std::vector<uint32_t> FindAdslPorts();

    // The NE's ADSL lines (ne_agent_lines.cpp): the port records of its ADSL ports (their defaults where the
    // scenario gave none) and the rows of their line status, bits, power state and line tests, which show what the
    // lines and their tests are now. A write of a test's command to its control row starts or stops the test, one of
    // a power state to the port's row takes the line there; the check answers a status of the SET, or kSnmpNoError.
    using RowWrites = std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>;

    void AddLineRows(const std::vector<uint32_t>& adslPorts);
    void RefreshLines();
    int32_t CheckLineWrites(const RowWrites& rows) const;
    void ApplyLineWrites(const RowWrites& rows);
    // Puts a record into the row of its port, which the table has already.
    template <class Rec> void ShowRow(uint16_t code, const Rec& rec);
    bool LineProfileUsable(const std::string& name) const;
    // The clock of the line tests: milliseconds since the agent started.
    uint64_t LineClockMs() const;
    // The trunk side's defaults where the scenario gave none of a table or setting (ne_agent_trunk.cpp).
    void AddTrunkDefaults(const std::vector<uint32_t>& adslPorts);
    uint32_t NowSeconds() const;

    // The SHDSL line cards' upgrades (ne_agent_shdsl_upgrade.cpp): a write of a card's id to the upgrade action
    // starts one, and the card's row then shows its stages as time passes. The check answers a status of the SET,
    // or kSnmpNoError with the card added to `cards`.
    int32_t CheckShdslUpgrade(const SnmpValue& value, std::vector<uint32_t>* cards) const;
    void RefreshShdslUpgrades();
    bool HasShdslCard(uint32_t cardId) const;

    // The NE's file system (ne_agent_file_system.cpp): its files are the rows of the file table, a write of the
    // action 1 deletes one, the format and copy scalars format a partition and start a copy.
    void BuildFileSystem();
    // The file table and the copy's state as the file system has them now.
    void ShowFileSystem();
    // The NE's spoofed MAC addresses (ne_agent_mac_spoof.cpp): the spoofing table shows the filtering database's
    // entries found in more than one place; a written action permits or denies one address, a written check passes.
    void ShowMacSpoofing();
    void ApplyMacSpoofWrites(const std::map<uint16_t, std::vector<uint8_t>>& scalars);
    // Whether the written records can be done: a status of the SET, or kSnmpNoError.
    int32_t
    CheckFileSystemWrites(const std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>& rows,
                          const std::map<uint16_t, std::vector<uint8_t>>& scalars) const;
    // Does them; the file table then shows the outcome.
    void ApplyFileSystemWrites(const std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>& rows,
                               const std::map<uint16_t, std::vector<uint8_t>>& scalars);

    // The NE's clock, NE-wide and layer-2 settings (ne_agent_settings.cpp): their values before anything is written,
    // what the scenario gives of them, what the NE reports of them now, the write the NE refuses (the code of a
    // setting out of its range, none when it takes them all), and whether an action can be done now (a
    // synchronisation needs a standby control module, a time adjustment a time server that serves).
    void SetSettingDefaults();
    void TakeSettingRows(const NeAgentScenario& scenario);
    void RefreshSettings();
    std::optional<uint16_t>
    RefusedSetting(const std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>& rows,
                   const std::map<uint16_t, std::vector<uint8_t>>& scalars) const;
    bool ActionPossible(uint16_t code) const;
    // Whether an ADSL or SHDSL port of the NE has the entity id (a line port a reset may name).
    bool HasLinePort(uint32_t entityId) const;

    // The NE's PVCs (ne_agent_pvcs.cpp): what its PVC rules read of it, the verdicts of its checks as they are read
    // back, the PVC a write creates, the writes it refuses (a status of the SET, or kSnmpNoError) and what a write of
    // PVCs, row states and source MACs changes beside them.
    using RowChanges = std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>;
    const std::map<CSnmpOid, std::vector<uint8_t>>& TableRows(uint16_t code) const;
    // A table's rows decoded as its records, in index order; a row that does not decode is left out.
    template <class Rec> std::vector<Rec> TableRecords(uint16_t code) const
    {
        return DecodeEach<Rec>(
            TableRows(code), [](const auto& row) -> const auto& { return row.second; });
    }
    SimPvcWorld PvcWorld() const;
    // What the checks read: the stamps of the tables and the bytes of the records; whether they are as the checks
    // last left them.
    struct PvcCheckInputs {
        std::vector<std::pair<const void*, uint64_t>> tables;
        std::vector<std::vector<uint8_t>> scalars;
    };
    std::pair<const void*, uint64_t> PvcCheckTableStamp(uint16_t code) const;
    const std::vector<uint8_t>& PvcCheckScalar(uint16_t code) const;
    bool PvcChecksCurrent() const;
    void RefreshPvcChecks();
    std::optional<std::vector<uint8_t>> NewRowOnWrite(uint16_t objectCode, const CSnmpOid& index) const;
    int32_t CheckPvcWrites(const RowChanges& rows) const;
    void ApplyPvcWrites(const RowChanges& rows);
    void TakeWrittenPvc(const PvcRec& written);
    void ForgetPvc(const CSnmpOid& pvcIndex);
    void SetPvcOperState(const PvcRowStatusRec& row, uint32_t operState);
    void TakeSourceMac(const AclEntryRec& added);

    // The port hub (ne_agent_port_hub.cpp): every filter and filter group of the ADSL cards from the start, the
    // writes of ports, filters, groups and static filtering-database entries the NE refuses (a status of the SET, or
    // kSnmpNoError), and what it adds to a static entry once written.
    void AddPortHubDefaults(const std::vector<uint32_t>& adslPorts);
    int32_t CheckPortHubWrites(const RowChanges& rows) const;
    void ApplyPortHubWrites(const RowChanges& rows);
    void AppendLog(const EntityStateRec& state);
    uint32_t ModelOf(const EntityStateRec& state) const;
    int32_t SeverityOf(const EntityStateRec& state) const;

    const CEntityModelSet* models_ = nullptr;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    CSnmpOid sysObjectId_;
    std::string sysDescr_, sysContact_, sysName_, sysLocation_;
    uint32_t sysServices_ = 2;
    uint32_t neModel_ = 2;
    int64_t clockOffset_ = 0;
    NeAgentCounters counters_;
    std::map<uint16_t, std::vector<uint8_t>> scalarRecords_; // by map code
    std::map<uint16_t, Table> tables_;                       // by object code
    size_t maxTableRows_ = 0;
    bool syncRequested_ = false;
    uint32_t lastLogNo_ = 0;
    std::vector<Candidate> candidates_;
    uint32_t highestMacLimit_ = 0;                // of one VLAN
    std::map<uint16_t, uint32_t> committedUnits_; // by VLAN ID
    // SHDSL line cards told to upgrade, and when.
    std::map<uint32_t, std::chrono::steady_clock::time_point> shdslUpgrades_;
    size_t nextCandidate_ = 0;
    CNeFileSystem fileSystem_;
    uint32_t fileSystemShown_ = 0; // the file system's version the file table shows
    CNeAgentPmTables pm_;
    std::vector<uint32_t> adslPorts_;
    CAdslLineTests lineTests_;
    // What the line rows show now: each test's state by port, each line's power state.
    std::map<std::pair<uint32_t, LineTest>, uint32_t> testsShown_;
    std::map<uint32_t, uint32_t> powerShown_;
    bool linesSettled_ = false; // shown as they are, and no test running
    // What the boards' and the modules' readings show: the up time, and the inputs of the readings.
    struct HardwareShown {
        std::pair<const void*, uint64_t> boards;
        std::vector<uint8_t> thresholds;
        uint32_t seconds = 0;
    };
    std::optional<uint32_t> boardsUpTimeShown_;
    std::optional<HardwareShown> hardwareShown_;
    // What the PVC checks' verdicts were last worked out of.
    std::optional<PvcCheckInputs> pvcChecksShown_;
};
