#pragma once
// The Location Indicator (dialog 238): a small modeless panel that shows where the operator is: the current NE and
// its shelf, slot and port with the entity model, or, on the map, the longitude and latitude under the cursor and the
// zoom ratio. The main frame creates it hidden and feeds it. It never takes the current-dialog role, so that status
// texts keep reaching the dialogs the operator opens and the views keep their refresh.

#include "core/entity/entity_index.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class CLocationIndicatorDlg;
}

class CLocationIndicatorDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 238;
    // Labels.
    static constexpr int kShelfLabelId = 1348;
    static constexpr int kSlotLabelId = 1349;
    static constexpr int kPortLabelId = 1350;
    static constexpr int kLongitudeLabelId = 1351;
    static constexpr int kLatitudeLabelId = 1352;
    static constexpr int kRatioLabelId = 1353;
    static constexpr int kModelLabelId = 1354;
    // Values.
    static constexpr int kNeValueId = 1149;
    static constexpr int kShelfValueId = 1322;
    static constexpr int kSlotValueId = 1253;
    static constexpr int kPortValueId = 1273;
    static constexpr int kModelValueId = 1250;
    static constexpr int kLongitudeValueId = 1380;
    static constexpr int kLatitudeValueId = 1384;
    static constexpr int kRatioValueId = 1292;

    static constexpr size_t kNeNameMax = 20;
    static constexpr size_t kModelNameMax = 80;

    explicit CLocationIndicatorDlg(QWidget* parent = nullptr);
    ~CLocationIndicatorDlg() override;

    // The NE's name (empty when it is not in the NE table) and its model; the shelf, slot and port are cleared.
    void SetNe(uint32_t neId);
    // The shelf, slot and port labels of the entity of the last NE and the model of its deepest level; shows the
    // entity fields instead of the map fields.
    void SetEntity(const CEntityIndex& index);
    // Shows the map fields instead of the entity fields. A longitude outside -180..180 or a latitude outside -90..90
    // changes nothing.
    void SetPosition(double longitude, double latitude, int ratio);

    // What the panel shows, for the frame's current-entity text.
    const std::string& GetNeText() const { return neText_; }
    const std::string& GetShelfText() const { return shelfText_; }
    const std::string& GetSlotText() const { return slotText_; }
    const std::string& GetPortText() const { return portText_; }

    bool OnInitDialog() override;
    // Closing the panel only hides it; the frame owns it.
    void OnCancel() override;

private:
    // Writes the control only when the text differs from the one it shows.
    void ShowText(int id, std::string& shown, const std::string& text);
    void ShowEntityFields(bool on);

    std::unique_ptr<Ui::CLocationIndicatorDlg> ui_;
    uint32_t neId_ = 0;
    std::string neText_;
    std::string shelfText_;
    std::string slotText_;
    std::string portText_;
    std::string modelText_;
    std::string longitudeText_;
    std::string latitudeText_;
    std::string ratioText_;
};
