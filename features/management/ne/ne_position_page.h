#pragma once
// CNePositionPage ("Position", template 329): where the NE lies, in degrees, on the map that frames its location. The
// map's bounds stand at the frame's edges and a marker shows the position; dragging the marker with the left button
// or typing a longitude or latitude moves it, always inside the map. Outside query mode the exchange takes a
// longitude of -180..180 and a latitude of -90..90 only. The page starts with the default map and its centre; the
// NE dialog gives it the map of the NE's location.

#include "features/management/ne/ne_position_map.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CNePositionPage;
}
struct CMapDef;

class CNePositionPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 329;
    static constexpr int kLongitudeId = 1380;
    static constexpr int kLatitudeId = 1384;
    static constexpr int kMaxLongitudeId = 1224;
    static constexpr int kMinLongitudeId = 1233;
    static constexpr int kMaxLatitudeId = 1226;
    static constexpr int kMinLatitudeId = 1235;
    static constexpr int kMapFrameId = 1189;
    static constexpr int kMarkerId = 1018;

    explicit CNePositionPage(QWidget* parent = nullptr);
    ~CNePositionPage() override;

    GeoPoint Position() const { return position_; }
    void SetPosition(GeoPoint position) { position_ = position; }
    const GeoBounds& Bounds() const { return bounds_; }
    // The bounds of the map, then a refresh.
    void SetMapBounds(const CMapDef& map);
    // Puts the position at the centre of the map.
    void CentrePosition() { position_ = CentreOf(bounds_); }
    // Shows the bounds, clamps the position into them (through the edits) and places the marker.
    void Refresh();
    // Places the marker where the edits say.
    void PlaceMarker();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

protected:
    // The marker follows the mouse while the left button is held; a click alone leaves it.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The position of a point of the page, when it lies in the map frame.
    void DragTo(const QPoint& at);
    // The edit's number clamped into its bounds, written back.
    void ClampEdit(int id);

    std::unique_ptr<Ui::CNePositionPage> ui_;
    GeoBounds bounds_;
    GeoPoint position_;
};
