#include "features/performance/connection_tests/client_echo_dlg.h"

#include "core/config/ini_readers.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/connection_tests/test_location_combo.h"
#include "link/icmp/ping_output.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/location_ne_combos.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/shell/app/config_file_path.h"

#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>
#include <array>

namespace {

struct NumberRange {
    int editId;
    int spinId;
    uint32_t minimum;
    uint32_t maximum;
};

// The edits and spins of the echoes' parameters, with the ranges the data check and the spins keep to.
constexpr std::array<NumberRange, 5> kRanges = {{
    {CClientEchoDlg::kCountId, CClientEchoDlg::kCountSpinId, kPingMinCount, kPingMaxCount},
    {CClientEchoDlg::kWaitId, CClientEchoDlg::kWaitSpinId, 1, 30},
    {CClientEchoDlg::kSizeId, CClientEchoDlg::kSizeSpinId, kPingMinSize, kPingMaxSize},
    {CClientEchoDlg::kTtlId, CClientEchoDlg::kTtlSpinId, 1, 255},
    {CClientEchoDlg::kTosId, CClientEchoDlg::kTosSpinId, 0, 255},
}};

constexpr int kResultPointSize = 9;
constexpr int kMsPerSecond = 1000;

} // namespace

CClientEchoDlg::CClientEchoDlg(int templateId, int refreshTimerId, uint32_t defaultTtl, CPingOutput& output,
                               QWidget* parent)
    : CADialog(templateId, parent), refreshTimerId_(refreshTimerId), output_(output), ttl_(defaultTtl)
{
}

void CClientEchoDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (!request.ipAddress.empty())
        SetPresetAddress(ParseIpAddress(request.ipAddress));
}

void CClientEchoDlg::InitData()
{
    for (const NumberRange& range : kRanges)
        if (auto* edit = GetDlgItemAs<QLineEdit>(range.editId))
            edit->setMaxLength(static_cast<int>(std::to_string(range.maximum).size()) + 1);
    RestartNumbering();
    if (auto* result = GetDlgItemAs<QPlainTextEdit>(kResultId)) {
        // Asked for by name: where it is not installed the font configuration gives its metric twin.
        result->setFont(QFont(QStringLiteral("Courier New"), kResultPointSize));
    }
    withSubLocations_ = ReadIniBool("DIALOG", "INCLSUBNE", true, CurrentConfigFilePath());
    auto* location = GetDlgItemAs<QComboBox>(kLocationComboId);
    auto* ne = GetDlgItemAs<QComboBox>(kNeComboId);
    FillTestLocationCombo(location, static_cast<uint32_t>(GetLocationId()));
    FillNeCombo(ne, SelectedComboValue(location), static_cast<uint32_t>(GetNeId()), withSubLocations_);
    UpdateData(false);
    if (IsZeroIpAddress(presetAddress_.data())) {
        OnNeChanged();
    } else {
        ne->setCurrentIndex(-1);
        SetAddress(presetAddress_);
    }
    ShowOutput();
    SetTimer(refreshTimerId_, kRefreshMs);
}

void CClientEchoDlg::DoDataExchange(CDataExchange& dx)
{
    std::array<uint32_t*, kRanges.size()> values = {&count_, &wait_, &size_, &ttl_, &tos_};
    for (size_t i = 0; i < kRanges.size() && !dx.Failed(); ++i)
        DDX_TextInRange(dx, *this, kRanges[i].editId, *values[i], kRanges[i].minimum, kRanges[i].maximum);
    DDX_Check(dx, kDontFragmentId, dontFragment_);
}

int CClientEchoDlg::OnCommandHook(int id, int code)
{
    if (id == kLocationComboId && code == CBN_SELCHANGE) {
        OnLocationChanged();
        return 1;
    }
    if (id == kNeComboId && code == CBN_SELCHANGE) {
        OnNeChanged();
        return 1;
    }
    if (id == kStartButtonId && code == BN_CLICKED) {
        if (std::optional<PingRequest> request = ReadRequest())
            Start(*request);
        return 1;
    }
    if (id == kClearButtonId && code == BN_CLICKED) {
        Clear();
        return 1;
    }
    return 0;
}

int CClientEchoDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code != UDN_DELTAPOS)
        return CADialog::OnNotifyHook(header, result);
    for (const NumberRange& range : kRanges) {
        if (range.spinId == header.idFrom) {
            StepNumberEdit(GetDlgItemAs<QLineEdit>(range.editId), header.delta, range.minimum, range.maximum);
            return 1;
        }
    }
    return 0;
}

void CClientEchoDlg::OnTimer(int id)
{
    if (id == refreshTimerId_) {
        ShowOutput();
        return;
    }
    CADialog::OnTimer(id);
}

void CClientEchoDlg::OnDestroy()
{
    KillTimer(refreshTimerId_);
    Stop();
    CADialog::OnDestroy();
}

void CClientEchoDlg::OnLocationChanged()
{
    auto* ne = GetDlgItemAs<QComboBox>(kNeComboId);
    FillNeCombo(ne, SelectedComboValue(GetDlgItemAs<QComboBox>(kLocationComboId)), SelectedComboValue(ne),
                withSubLocations_);
    OnNeChanged();
}

void CClientEchoDlg::OnNeChanged()
{
    const CNeRecord* ne = FindNeById(SelectedComboValue(GetDlgItemAs<QComboBox>(kNeComboId)));
    SetAddress(ne != nullptr ? ne->address : IpAddress{});
}

void CClientEchoDlg::SetAddress(const IpAddress& address)
{
    if (auto* edit = GetDlgItemAs<IpAddressEdit>(kAddressId))
        edit->SetAddress(address);
}

std::optional<PingRequest> CClientEchoDlg::ReadRequest()
{
    if (!UpdateDialogData())
        return std::nullopt;
    PingRequest request;
    if (const auto* edit = GetDlgItemAs<IpAddressEdit>(kAddressId))
        edit->GetAddress(request.address);
    request.count = static_cast<uint8_t>(count_);
    request.timeout = static_cast<int32_t>(wait_) * kMsPerSecond;
    size_ = std::min(size_, uint32_t{kPingMaxSize});
    request.size = static_cast<uint16_t>(size_);
    request.ttl = static_cast<uint8_t>(ttl_);
    request.tos = static_cast<uint8_t>(tos_);
    request.dontFragment = dontFragment_ != 0 ? 1 : 0;
    request.output = &output_;
    return request;
}

void CClientEchoDlg::Clear()
{
    output_.Clear();
    shown_.clear();
    if (auto* result = GetDlgItemAs<QPlainTextEdit>(kResultId))
        result->clear();
}

void CClientEchoDlg::ShowOutput()
{
    const std::string text = output_.TrimmedText();
    if (text == shown_)
        return;
    shown_ = text;
    auto* result = GetDlgItemAs<QPlainTextEdit>(kResultId);
    if (result == nullptr)
        return;
    // The lines end in "\r\n"; the box breaks lines at "\n" alone.
    QString shown = QString::fromStdString(text);
    shown.remove(QLatin1Char('\r'));
    result->setPlainText(shown);
    result->moveCursor(QTextCursor::End);
    result->ensureCursorVisible();
}
