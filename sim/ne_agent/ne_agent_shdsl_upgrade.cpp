// The simulated NE's SHDSL line card upgrades: a write of a card's id (a Gauge32) to the upgrade table's action starts
// the card's upgrade, and the card's row then shows it taking the image in, burning it and finishing.

#include "sim/ne_agent/ne_agent_mib.h"

#include "link/records/request_codes.h"
#include "link/records/shdsl_card_status_record.h"

#include <climits>

namespace {

// How long each stage lasts, and the states the card reports.
constexpr std::chrono::seconds kShdslUpgradeStage{2};
constexpr uint32_t kShdslInTransmission = 2;
constexpr uint32_t kShdslInBurning = 3;
constexpr uint32_t kShdslFinished = 4;

} // namespace

int32_t CNeAgentMib::CheckShdslUpgrade(const SnmpValue& value, std::vector<uint32_t>* cards) const
{
    if (value.type != SnmpType::Gauge32)
        return kSnmpWrongType;
    if (value.number > UINT32_MAX || !HasShdslCard(static_cast<uint32_t>(value.number)))
        return kSnmpInconsistentValue;
    cards->push_back(static_cast<uint32_t>(value.number));
    return kSnmpNoError;
}

void CNeAgentMib::RefreshShdslUpgrades()
{
    const auto now = std::chrono::steady_clock::now();
    for (auto& [index, bytes] : tables_[kReqShdslCardUpgrade].rows.Write()) {
        ShdslCardStatusRecord card;
        if (!DecodeRecord(bytes.data(), bytes.size(), &card))
            continue;
        const auto started = shdslUpgrades_.find(card.cardId);
        if (started == shdslUpgrades_.end())
            continue;
        const auto stage = (now - started->second) / kShdslUpgradeStage;
        card.status = stage == 0 ? kShdslInTransmission : stage == 1 ? kShdslInBurning : kShdslFinished;
        EncodeRecord(card, bytes.data());
    }
}

bool CNeAgentMib::HasShdslCard(uint32_t cardId) const
{
    const auto table = tables_.find(kReqShdslCardUpgrade);
    return table != tables_.end() &&
           table->second.rows.count(
               EncodeSnmpRowIndex(*table->second.entry, EncodeRecord(ShdslCardStatusRecord{cardId, 0, 0}).data())) != 0;
}
