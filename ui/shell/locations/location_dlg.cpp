#include "ui/shell/locations/location_dlg.h"

#include "core/map/map_list.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "link/record_requests.h"
#include "link/records/location_record.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_location_dlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace {

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

// The item data of the combo's selected entry; 0 (the top level, the world map) when none is selected.
uint32_t SelectedData(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CLocationDlg::CLocationDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CLocationDlg>())
{
    ui_->setupUi(this);
}

CLocationDlg::~CLocationDlg() = default;

void CLocationDlg::SetLocation(uint32_t locationId, uint32_t superiorId)
{
    SetLocationId(static_cast<int>(locationId));
    superiorId_ = superiorId;
}

void CLocationDlg::ApplyOpenerFields(const DialogRequest& request)
{
    // A new location has no id yet: the routed location is where it goes, never the location to edit.
    if (IsAdding())
        SetLocation(0, request.locationId);
}

void CLocationDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    DDX_Text(dx, kCommentId, comment_);
    DDX_Text(dx, kContactId, contact_);
    DDX_Text(dx, kTelephoneId, telephone_);
    DDX_Text(dx, kMobileId, mobile_);
    DDX_Text(dx, kEmailId, email_);
}

void CLocationDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLocations) != 0)
        return;
    const uint32_t locationId = static_cast<uint32_t>(GetLocationId());
    if (!IsAdding()) {
        // Id 0 is the root, which is no location to show or change.
        if (locationId == 0) {
            ShowAlertTextById(kStrUnknownLocation);
            EndDialog(IDCANCEL);
            return;
        }
        if (CheckTargetLocationOrClose() != 0)
            return;
    }

    if (auto* superior = GetDlgItemAs<QComboBox>(kSuperiorComboId))
        superior->view()->setMinimumWidth(superior->width() * 2);
    const std::pair<int, size_t> widths[] = {
        {kNameId, kLocationNameWidth},       {kCommentId, kLocationCommentWidth}, {kContactId, kLocationPhoneWidth},
        {kTelephoneId, kLocationPhoneWidth}, {kMobileId, kLocationPhoneWidth},    {kEmailId, kLocationEmailWidth},
    };
    for (const auto& [id, width] : widths)
        LimitTextToField(id, width);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);

    const CLocationNode* node = IsAdding() ? nullptr : FindLocation(locationId);
    if (node != nullptr)
        superiorId_ = node->parentId;
    FillSuperiorCombo(node);

    if (node != nullptr) {
        UpdateCaption(kCaptionLocation);
        name_ = Text(node->name);
        comment_ = Text(node->comment);
        contact_ = Text(node->contact);
        telephone_ = Text(node->telephone);
        mobile_ = Text(node->mobile);
        email_ = Text(node->email);
        FillMapCombo(node->mapId);
    } else {
        // A new location starts with its superior's contact and map.
        if (const CLocationNode* superior = superiorId_ != 0 ? FindLocation(superiorId_) : nullptr) {
            contact_ = Text(superior->contact);
            telephone_ = Text(superior->telephone);
            mobile_ = Text(superior->mobile);
            email_ = Text(superior->email);
        }
        FillMapCombo(FindMapDefOfLocation(superiorId_).id);
    }
    UpdateData(false);
}

void CLocationDlg::FillSuperiorCombo(const CLocationNode* self)
{
    auto* combo = GetDlgItemAs<QComboBox>(kSuperiorComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    CLocationTree& tree = AppData().locations;
    const CLocationNode* start = tree.Root().GetFirstChild();
    if (IsAdding()) {
        // New locations go inside the operator's scope.
        if (const uint32_t scope = AppData().scopeLocationId; scope != 0) {
            if (const CLocationNode* scopeNode = tree.FindLocation(scope))
                start = scopeNode;
        }
    } else if (superiorId_ == 0) {
        combo->addItem(Text(tree.Root().name), ItemData(0));
    } else if (const CLocationNode* superior = tree.FindLocation(superiorId_)) {
        start = superior;
    }
    // From the start node: it, the nodes below it, then its following siblings with theirs. The location itself and
    // those below it are left out: a location cannot move into its own subtree.
    for (const CLocationNode* node = start; node != nullptr; node = node->GetNextSibling())
        AddSuperiorEntries(*combo, node, self);
    combo->setCurrentIndex(combo->findData(ItemData(superiorId_)));
}

void CLocationDlg::AddSuperiorEntries(QComboBox& combo, const CLocationNode* node, const CLocationNode* self) const
{
    if (node == self)
        return;
    if (node->id == superiorId_ || node->inScope != 0)
        combo.addItem(Text(node->name), ItemData(node->id));
    for (const CLocationNode* child = node->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        AddSuperiorEntries(combo, child, self);
}

void CLocationDlg::FillMapCombo(uint32_t mapId)
{
    auto* combo = GetDlgItemAs<QComboBox>(kMapComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    const CMapList& maps = CurrentMapList();
    combo->addItem(Text(maps.GetWorldMap().name), ItemData(0));
    for (size_t i = 0; i < maps.GetMapCount(); ++i) {
        const CMapDef* map = maps.GetMapAt(i);
        combo->addItem(Text(map->name), ItemData(map->id));
    }
    // A map this workstation has no definition of selects the first entry, the world map.
    combo->setCurrentIndex(std::max(0, combo->findData(ItemData(mapId))));
}

void CLocationDlg::OnOK()
{
    if (GetAccessMode() == kAccessQuery || !UpdateDialogData())
        return;
    const std::string name = name_.trimmed().toStdString();
    if (name.empty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    // A new location takes a name of its own; a renamed one is left for the server to judge.
    if (IsAdding() && FindLocationByName(name) != nullptr) {
        ShowAlertTextById(kStrDataExists, kNameId);
        return;
    }

    LocationRecord record;
    record.id = static_cast<uint32_t>(GetLocationId());
    record.name = name;
    record.parentId = SelectedData(GetDlgItemAs<QComboBox>(kSuperiorComboId));
    record.comment = comment_.trimmed().toStdString();
    record.mapId = SelectedData(GetDlgItemAs<QComboBox>(kMapComboId));
    record.contact = contact_.toStdString();
    record.telephone = telephone_.toStdString();
    record.mobile = mobile_.toStdString();
    record.email = email_.toStdString();

    const CRecordRequests requests;
    const RecordReply<LocationRecord> reply =
        GetAccessMode() == kAccessModify
            ? requests.Modify(kReqLocation, 0, record, {.failureTextId = kStrFailToUpdateData})
            : requests.Add(kReqLocation, 0, record, {.failureTextId = kStrAddingNewDataFailed});
    if (!reply.Ok())
        return;
    if (!reply.records.empty())
        SetLocationId(static_cast<int>(reply.records.front().id));
    superiorId_ = record.parentId;
    EndDialog(IDOK);
}
