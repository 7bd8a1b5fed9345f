#pragma once
// The frame as far as the offscreen view benchmarks ask of it: a selection, an active pane, one icon for every
// image and one of three state icons by the NE's id, moved on by its severity as the tables keep it.

#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "ui/shell/frame/view_host.h"

#include <QPixmap>

#include <cstdint>
#include <string>

class CBenchViewHost : public IViewHost {
public:
    explicit CBenchViewHost(uint32_t locationId = 0) : locationId_(locationId) {}

    void SetCurrentEntity(uint32_t neId, const CEntityIndex* index) override
    {
        neId_ = neId;
        entity_ = CEntityId(index);
    }
    const CEntityId& GetCurrentEntity() override { return entity_; }
    uint32_t GetCurrentNeId() const override { return neId_; }
    void SetCurrentLocation(uint32_t locationId) override { locationId_ = locationId; }
    uint32_t GetCurrentLocationId() const override { return locationId_; }
    void SetKeyText(const std::string& text) override { key_ = text; }
    const std::string& GetKeyText() const override { return key_; }
    void SetActivePane(uint8_t pane) override { pane_ = pane; }
    uint8_t GetActivePane() const override { return pane_; }
    void SelectView(int kind, int) override { kind_ = kind; }
    void PostRefreshNow() override {}
    void SetSplitterPaneSize(int, int, int, int) override {}
    void PostFrameCommand(int) override {}
    bool RouteCommand(int) override { return false; }
    QPixmap GetListIcon(int) const override { return icon_; }
    int GetEntityStateIcon(uint32_t neId, int) const override
    {
        const CNeRecord* ne = FindNeById(neId);
        return static_cast<int>((neId + (ne != nullptr ? ne->neSeverity : 0)) % 3);
    }
    int GetEntityIcon(uint32_t, int, int) const override { return 0; }
    COLORREF GetTreeTextColor(int) const override { return 0; }
    COLORREF GetEntityTextColor(uint32_t) const override { return 0; }
    COLORREF GetNeTextColor(const CNeRecord*) const override { return 0; }
    int GetNeKeptStateIcon(const CNeRecord& ne) const override { return GetEntityStateIcon(ne.neId, 0); }
    COLORREF GetNeKeptTextColor(const CNeRecord&) const override { return 0; }
    COLORREF GetItemBackColor(bool) const override { return 0xFFFFFF; }
    int GetSelectedKind() const override { return kind_; }
    bool IsBlinkPhaseOn() const override { return false; }
    bool GetLocationIndicatorFlag() const override { return false; }
    bool GetPortTipFlag() const override { return false; }
    bool GetFocusFrameFlag() const override { return false; }
    void UpdateLocationIndicator(double, double, int) override {}

private:
    uint32_t neId_ = 0;
    CEntityId entity_;
    uint32_t locationId_;
    std::string key_;
    uint8_t pane_ = 0;
    int kind_ = -1;
    QPixmap icon_{16, 16};
};
