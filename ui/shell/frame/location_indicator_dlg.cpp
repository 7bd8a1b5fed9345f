#include "ui/shell/frame/location_indicator_dlg.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "ui/shell/frame/coordinate_text.h"
#include "ui_location_indicator_dlg.h"

#include <QLabel>

namespace {

std::string Cut(const std::string& text, size_t max)
{
    return text.size() <= max ? text : text.substr(0, max);
}

std::string ModelNameOf(uint32_t modelId)
{
    const CEntityType* model = FindEntityModel(modelId);
    return model != nullptr ? Cut(model->GetDisplayName(), CLocationIndicatorDlg::kModelNameMax) : std::string();
}

} // namespace

CLocationIndicatorDlg::CLocationIndicatorDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CLocationIndicatorDlg>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // A panel beside the frame: what is reported goes to the dialogs the operator opens, never to its own line.
    SetOwnsMessageLine(false);
}

CLocationIndicatorDlg::~CLocationIndicatorDlg() = default;

bool CLocationIndicatorDlg::OnInitDialog()
{
    CADialog::OnInitDialog();
    ShowEntityFields(true);
    return true;
}

void CLocationIndicatorDlg::OnCancel()
{
    hide();
}

void CLocationIndicatorDlg::ShowText(int id, std::string& shown, const std::string& text)
{
    if (shown == text)
        return;
    shown = text;
    if (auto* label = GetDlgItemAs<QLabel>(id))
        label->setText(QString::fromStdString(text));
}

void CLocationIndicatorDlg::ShowEntityFields(bool on)
{
    ShowControls({kShelfLabelId, kSlotLabelId, kPortLabelId, kShelfValueId, kSlotValueId, kPortValueId}, on);
    ShowControls(
        {kLongitudeLabelId, kLatitudeLabelId, kRatioLabelId, kLongitudeValueId, kLatitudeValueId, kRatioValueId}, !on);
}

void CLocationIndicatorDlg::SetNe(uint32_t neId)
{
    neId_ = neId;
    const CNeRecord* ne = neId != 0 ? FindNeById(neId) : nullptr;
    ShowText(kNeValueId, neText_, ne != nullptr ? Cut(ne->name, kNeNameMax) : std::string());
    ShowText(kShelfValueId, shelfText_, {});
    ShowText(kSlotValueId, slotText_, {});
    ShowText(kPortValueId, portText_, {});
    ShowText(kModelValueId, modelText_, ne != nullptr ? ModelNameOf(ne->neModelId) : std::string());
    ShowControls({kShelfLabelId, kShelfValueId});
}

void CLocationIndicatorDlg::SetEntity(const CEntityIndex& index)
{
    const CNeRecord* ne = neId_ != 0 ? FindNeById(neId_) : nullptr;
    ShowEntityFields(true);
    if (ne == nullptr) {
        ShowText(kShelfValueId, shelfText_, {});
        ShowText(kSlotValueId, slotText_, {});
        ShowText(kPortValueId, portText_, {});
        ShowText(kModelValueId, modelText_, {});
        return;
    }
    ShowText(kShelfValueId, shelfText_, GetEntityLevelLabel(ne, 2, index));
    ShowText(kSlotValueId, slotText_, GetEntityLevelLabel(ne, 3, index));
    ShowText(kPortValueId, portText_, GetEntityLevelLabel(ne, 4, index));

    std::string model = ModelNameOf(ne->neModelId);
    if (ne->root != nullptr && index.GetLevel() > 1) {
        if (const CEntityNode* node = ne->root->FindChild(index))
            model = ModelNameOf(node->GetModelId());
    }
    ShowText(kModelValueId, modelText_, model);
}

void CLocationIndicatorDlg::SetPosition(double longitude, double latitude, int ratio)
{
    if (!(longitude >= -180.0 && longitude <= 180.0) || !(latitude >= -90.0 && latitude <= 90.0))
        return;
    ShowEntityFields(false);
    const bool decimal = AppSettings().gradCoorSys;
    ShowText(kLongitudeValueId, longitudeText_, FormatCoordinate(longitude, decimal));
    ShowText(kLatitudeValueId, latitudeText_, FormatCoordinate(latitude, decimal));
    ShowText(kRatioValueId, ratioText_, FormatRatio(ratio));
}
