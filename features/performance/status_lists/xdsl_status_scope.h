#pragma once
// The Shelf, Slot and Port combos of the xDSL status lists: the line card and port whose entries a list shows, the
// port combo led by " <ALL>" (every port of the card). One shelf is no choice; a shelf change refills the slot and
// port combos, a slot change the port combo; neither refreshes the list. Where a card is chosen without a port, the
// slots follow only a shelf typed into the Shelf combo's edit (a drop-down list has none, so a choice there leaves
// them). A list that offers the control and uplink
// module among the cards names its slot "GE" and offers its trunk ports, all of them, in a port combo that is no
// choice.
//
//     CXdslStatusScope scope_{*this};
//     InitData:              scope_.Fill(GetNeRecord(), GetTargetEntity().index);
//     OnCommandHook:         if (scope_.OnComboChange(id, code)) return 1;
//     Refresh:               const std::optional<CEntityId> chosen = scope_.Chosen(); // a slot or a port
//     or, for a list of the records of the ports chosen:  scope_.Feed(rows_, kReqFdb, &FdbQueryRec::entityId);
//     InitData:              if (CXdslStatusScope::VlanColumnHidden(ne)) SetColumnHidden(kVlanColumn, true);

#include "core/entity/entity_id.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/port_combos.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/messages/string_ids.h"

#include <functional>
#include <optional>
#include <type_traits>

class CNeRecord;

class CXdslStatusScope {
public:
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kXdslLinePorts = 9;
    static constexpr int kTrunkPorts = 6;

    enum class Combos : uint8_t {
        kShelfSlotPort,
        kShelfSlot,      // a card, no port; a shelf change shows in the Slot combo only when the shelf is typed
        kSlotPort,       // no Shelf combo: the target's shelf
        kShelfSlotPortGe // the kind offers the control and uplink module too, as "GE"
    };

    // `kind`: the entity kind of the cards and ports offered (9: xDSL line cards).
    explicit CXdslStatusScope(CADialog& dialog, int kind = kXdslLinePorts, Combos combos = Combos::kShelfSlotPort);

    void Fill(const CNeRecord* ne, const CEntityIndex& target);
    // True when the notification was a change of one of the combos, which it has followed.
    bool OnComboChange(int id, int code);
    // The slot (" <ALL>" ports) or port chosen; none without a slot.
    std::optional<CEntityId> Chosen() const;

    // The list asks `code` at each fill for the card or port chosen, named by the query's `entity` field, and keeps
    // the records of that entity and those below it that `keep` (when given) also takes; nothing without a choice.
    template <class Rec, class Query>
    void Feed(CIndexedRecordList<Rec>& rows, RequestCode<Rec> code, uint32_t Query::*entity,
              std::type_identity_t<std::function<bool(const Rec&)>> keep = {})
    {
        rows.QueryOnFill([this, code, entity] {
            const std::optional<CEntityId> chosen = Chosen();
            if (!chosen || dialog_.CheckTargetNe() != 0)
                return RecordReply<Rec>{};
            Query key;
            key.*entity = chosen->id;
            return CRecordRequests().Query(code, static_cast<uint32_t>(dialog_.GetNeId()), key,
                                           {.failureTextId = kStrFailToQuery});
        });
        rows.SetIntake([this, keep](Rec& rec) { return Holds(rec.portId) && (!keep || keep(rec)); });
    }
    // True when the port is the one chosen or lies on the card chosen.
    bool Holds(uint32_t portId) const;

    // True when the NE's control module runs untagged: its entries carry no VLAN id worth a column then.
    static bool VlanColumnHidden(const CNeRecord* ne);
    // True when the entity lies on the NE's control and uplink module.
    static bool OnUplinkModule(const CNeRecord* ne, const CEntityIndex& index);

private:
    // The "GE" slot's name, and the port combo of the slot chosen.
    void ShowUplink(const CNeRecord* ne);

    CADialog& dialog_;
    CPortCombos combos_;
    Combos shown_;
};
