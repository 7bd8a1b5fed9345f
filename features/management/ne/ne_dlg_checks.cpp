// The checks of the NE dialog's OK, in their order: the System Information texts, the NE's name and address, the
// Security page's texts and the management addresses. Each refusal shows its message on the field it concerns.

#include "features/management/ne/ne_dlg.h"

#include "core/tables/ne_table.h"
#include "core/util/ne_ip_validation.h"
#include "core/util/netmask.h"
#include "features/management/common/name_chars.h"
#include "features/management/ne/ne_mgmt_ip_checks.h"
#include "link/record_requests.h"
#include "link/records/ne_network_config_rec.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>

namespace {

void SelectInEdit(CADialog& page, int id, int start, int length)
{
    if (auto* edit = page.GetDlgItemAs<QLineEdit>(id))
        edit->setSelection(start, length);
}

} // namespace

bool CNeDlg::CheckSystemTexts()
{
    if (!IsPageShown(&systemInfoPage_))
        return true;
    const NeSystemTexts& texts = systemInfoPage_.Texts();
    const std::pair<int, QString> fields[] = {{CNeSystemInfoPage::kContactId, texts.contact},
                                              {CNeSystemInfoPage::kSysNameId, texts.sysName},
                                              {CNeSystemInfoPage::kPlaceId, texts.place}};
    for (const auto& [id, text] : fields) {
        if (const int bad = FirstBadNameChar(text); bad >= 0) {
            ShowPageAlertTextById(&systemInfoPage_, kStrValidNameCharacters, id);
            SelectInEdit(systemInfoPage_, id, bad, 1);
            return false;
        }
    }
    return true;
}

bool CNeDlg::CheckKeys(const std::string& name, IpAddress* address)
{
    // A new NE may take no name or address of the NE table, whatever NE the target names.
    const uint32_t editedId = GetAccessMode() == kAccessModify ? static_cast<uint32_t>(GetNeId()) : 0;
    if (const CNeRecord* other = FindNeByName(name); other != nullptr && other->neId != editedId) {
        ShowAlertTextById(kStrDataExists, kNameId);
        return false;
    }
    IpAddressEdit* edit = AddressEdit();
    if (edit == nullptr || edit->IsBlank()) {
        ShowAlertTextById(kStrIncorrectIpAddress, kIpAddressId);
        return false;
    }
    edit->GetAddress(*address);
    if (const CNeRecord* other = FindNeByAddress(*address, kNePort); other != nullptr && other->neId != editedId) {
        ShowAlertTextById(kStrDataExists, kIpAddressId);
        return false;
    }
    return true;
}

bool CNeDlg::CheckManagementAddresses()
{
    const NeMgmtIpValues& values = mgmtIpPage_.Values();
    const std::pair<int, QString> dotted[] = {{CNeMgmtIpPage::kUgeIpId, values.ugeIp},
                                              {CNeMgmtIpPage::kNmeIpId, values.nmeIp},
                                              {CNeMgmtIpPage::kGatewayId, values.gateway}};
    for (const auto& [id, text] : dotted) {
        if (!IsValidIpAddressText(text.trimmed().toStdString())) {
            ShowPageAlertTextById(&mgmtIpPage_, kStrFormatError, id);
            SelectInEdit(mgmtIpPage_, id, 0, static_cast<int>(text.size()));
            return false;
        }
    }
    const IpAddress ugeIp = ParseIpAddress(values.ugeIp.trimmed().toStdString());
    const IpAddress nmeIp = ParseIpAddress(values.nmeIp.trimmed().toStdString());
    const IpAddress gateway = ParseIpAddress(values.gateway.trimmed().toStdString());
    const IpAddress ugeMask = PrefixLengthToNetmask(values.ugePrefix);
    const IpAddress nmeMask = PrefixLengthToNetmask(values.nmePrefix);

    // The NE's cascaded management takes part: its root and subnet are the NE's own.
    const RecordReply<NeNetworkConfigRec> own = CRecordRequests().Query<NeNetworkConfigRec>(
        kReqNeNetworkConfig, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!own.Ok() || own.records.empty())
        return false;
    const NeNetworkConfigRec& network = own.records.front();
    const int result =
        ValidateNeIpInterfaces(nmeIp.data(), nmeMask.data(), ugeIp.data(), ugeMask.data(),
                               network.cascadedRootIp.data(), network.cascadedMask.data(), gateway.data());
    if (const std::optional<MgmtIpAlert> alert = MgmtIpAlertOf(result)) {
        ShowPageAlertTextById(&mgmtIpPage_, alert->stringId, alert->fields[0], alert->fields[1], alert->fields[2]);
        return false;
    }
    if (!GatewayInNeSubnet(gateway, ugeIp, values.ugePrefix, nmeIp, values.nmePrefix)) {
        ShowPageAlertTextById(&mgmtIpPage_, kStrGatewayNotInNeSubnet, CNeMgmtIpPage::kGatewayId,
                              CNeMgmtIpPage::kUgeIpId, CNeMgmtIpPage::kNmeIpId);
        SelectInEdit(mgmtIpPage_, CNeMgmtIpPage::kGatewayId, 0, static_cast<int>(values.gateway.size()));
        return false;
    }
    return true;
}
