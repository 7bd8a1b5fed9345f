// One NE of the simulated server: its key record, its entity tree built from the entity models and its boards, the
// settings of its boards, the alarm definition values written to it, its own configuration (its system group and
// management addresses) and the modules that report hardware readings with its temperature thresholds.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/tables/entity_node.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_key_record.h"
#include "sim/seed/hardware_readings.h"
#include "sim/seed/ne_file_system.h"

class CSimNe {
public:
    // Builds the tree of the key record's model: shelves and the model's fixed boards present, the given boards in
    // their slots, other slots empty, and every port of a present board present. Without a configuration the NE
    // describes its model, and its uplink takes the NE's address.
    CSimNe(const NeKeyRecord& key, const std::vector<BoardSettingRec>& boards,
           const std::optional<NeConfigRecord>& config = std::nullopt);

    const NeKeyRecord& Key() const { return key_; }
    uint32_t Id() const { return key_.neId; }
    // Replaces the key record; a new model rebuilds the tree with the boards kept.
    void SetKey(const NeKeyRecord& key);

    // The node of a packed id, or null.
    const CEntityNode* FindEntity(uint32_t entityId) const;
    // Every node that is not absent, the NE first, parents before children.
    std::vector<const CEntityNode*> Entities() const;
    // Changes whenever the entity tree does, and no two trees of the process get the same one; a copy of the NE
    // keeps it with the tree it copies. What is made from the tree alone can be kept under it.
    uint64_t TreeStamp() const { return treeStamp_; }
    // Present entities below the NE that can raise an alarm (a defined alarm other than the offline one).
    std::vector<const CEntityNode*> AlarmTargets() const;

    // One record per slot of the NE.
    std::vector<BoardSettingRec> BoardSettings() const;
    // As many as BoardSettings gives, without making them.
    size_t SlotCount() const;
    // Writes a board's settings and plans the slot for the type written; the type of the card in it stays. False
    // when the slot does not exist or cannot be planned so.
    bool WriteBoardSetting(const BoardSettingRec& rec);

    // The NE's configuration as it reports it at `now` (its up time counts from its first report).
    NeConfigRecord Config(uint32_t now);
    // The configuration as written, without its up time.
    const NeConfigRecord& StoredConfig() const { return config_; }
    // What a write changes: the contact, the system name, the place and the management addresses.
    void WriteConfig(const NeConfigRecord& rec);

    // The alarm definitions of every model of the NE's tree, with the values written to the NE.
    std::vector<AlarmDefRec> AlarmDefs() const;
    // False when the model or the alarm index is not defined.
    bool WriteAlarmDef(const AlarmDefRec& rec);
    // The severity of an alarm of a model (as written to the NE, else as defined); 0 when undefined.
    uint32_t AlarmSeverity(uint32_t modelId, uint32_t bit) const;
    // The lowest alarm bit other than the offline one that the model defines and reports; -1 when none.
    int FirstAlarmBit(uint32_t modelId) const;

    // The NE's flash file system; the slave control module follows the model.
    CNeFileSystem& FileSystem() { return fileSystem_; }
    // The modules present in the NE, which report hardware readings (request 337).
    std::vector<HardwareModule> HardwareModules() const;
    const HwMonThresholdRec& TemperatureThresholds() const { return temperature_; }
    void SetTemperatureThresholds(const HwMonThresholdRec& thresholds) { temperature_ = thresholds; }

private:
    void BuildTree();
    BoardSettingRec DefaultBoard(const CEntityNode& slot) const;

    // The entity tree. A copy of the NE (a database backup of the server) shares it until one of them changes it:
    // only then is it copied whole, so that a copy costs nothing while neither writes a board.
    class Tree {
    public:
        Tree& operator=(std::unique_ptr<CEntityNode> root)
        {
            root_ = std::move(root);
            return *this;
        }
        const CEntityNode* operator->() const { return root_.get(); }
        const CEntityNode& operator*() const { return *root_; }
        // The tree to change, no longer shared with a copy.
        CEntityNode& Mutable()
        {
            if (root_.use_count() > 1)
                root_ = root_->Clone();
            return *root_;
        }

    private:
        std::shared_ptr<CEntityNode> root_;
    };

    NeKeyRecord key_;
    Tree root_;
    uint64_t treeStamp_ = 0;
    std::map<uint32_t, BoardSettingRec> boards_; // by slot id
    std::map<std::pair<uint32_t, uint8_t>, AlarmDefRec> writtenDefs_;
    NeConfigRecord config_;
    uint32_t bootTime_ = 0; // 0 until the first report
    CNeFileSystem fileSystem_;
    HwMonThresholdRec temperature_ = kDefaultTemperatureThresholds;
};
