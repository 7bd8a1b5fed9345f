#include "link/dispatch_effects.h"

#include <utility>

void CDispatchEffects::ShowOperatorMail(OperatorMailNotice mail)
{
    effects_.push_back([mail = std::move(mail)](IDispatchUi& ui) { ui.ShowOperatorMail(mail); });
}

void CDispatchEffects::StartLogoutTimer(uint32_t periodMs)
{
    effects_.push_back([periodMs](IDispatchUi& ui) { ui.StartLogoutTimer(periodMs); });
}

void CDispatchEffects::AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count, uint32_t recordSize)
{
    // The message's records are gone by the time the effect runs: keep a copy.
    std::vector<uint8_t> copy;
    if (records != nullptr && count != 0) {
        copy.assign(records, records + static_cast<size_t>(count) * recordSize);
    }
    effects_.push_back([neId, count, copy = std::move(copy)](IDispatchUi& ui) {
        ui.AddTrapLogRecords(neId, copy.empty() ? nullptr : copy.data(), count);
    });
}

void CDispatchEffects::RunOn(IDispatchUi* ui)
{
    auto effects = std::move(effects_);
    effects_.clear();
    if (ui == nullptr) {
        return;
    }
    for (auto& effect : effects) {
        effect(*ui);
    }
}
