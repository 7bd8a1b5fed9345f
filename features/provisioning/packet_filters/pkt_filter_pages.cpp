#include "features/provisioning/packet_filters/pkt_filter_pages.h"

#include "ui/framework/dialogs/number_edit.h"
#include "ui_pkt_filter_ether_type_page.h"
#include "ui_pkt_filter_full_page.h"
#include "ui_pkt_filter_known_page.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kFirstEnabledId = 1100; // row r: Enabled 1100 + 2r, Disabled 1101 + 2r
constexpr int kFirstActionId = 1130;  // row r: its action combo
constexpr uint32_t kMostProtocol = 255;
constexpr uint32_t kMostPort = 65535;
constexpr uint32_t kFewestPrefixBits = 11;
constexpr uint32_t kMostPrefixBits = 16;
constexpr int32_t kUnused = -1;
constexpr int kActionCount = 3;

PktFilterRowIds BaseRow(int row, uint32_t direction, uint32_t number, int nameId)
{
    PktFilterRowIds ids;
    ids.direction = direction;
    ids.number = number;
    ids.enabled = kFirstEnabledId + 2 * row;
    ids.disabled = kFirstEnabledId + 2 * row + 1;
    ids.name = nameId;
    ids.action = kFirstActionId + row;
    return ids;
}

uint32_t Clamped(int32_t value, uint32_t low, uint32_t high)
{
    return static_cast<uint32_t>(std::clamp<int64_t>(value, low, high));
}

PktFilterRec& RecordOf(PktFilterSet& set, const PktFilterRowIds& ids)
{
    return (ids.direction == kFilterUpstream ? set.upstream : set.downstream)[ids.number - 1];
}

const PktFilterRec& RecordOf(const PktFilterSet& set, const PktFilterRowIds& ids)
{
    return (ids.direction == kFilterUpstream ? set.upstream : set.downstream)[ids.number - 1];
}

} // namespace

std::vector<PktFilterRowIds> EtherTypePageRows()
{
    std::vector<PktFilterRowIds> rows;
    const int names[] = {1059, 1060, 1069, 1070};
    const int etherTypes[] = {1064, 1065, 1074, 1075};
    for (int r = 0; r < 4; ++r) {
        PktFilterRowIds ids =
            BaseRow(r, r < 2 ? kFilterUpstream : kFilterDownstream, kEtherTypeFilters[r % 2], names[r]);
        ids.etherType = etherTypes[r];
        rows.push_back(ids);
    }
    return rows;
}

std::vector<PktFilterRowIds> KnownPageRows()
{
    std::vector<PktFilterRowIds> rows;
    for (int r = 0; r < 10; ++r) {
        const bool upstream = r < 5;
        rows.push_back(BaseRow(r, upstream ? kFilterUpstream : kFilterDownstream, kKnownFilters[r % 5],
                               (upstream ? 1059 : 1069) + r % 5));
    }
    return rows;
}

std::vector<PktFilterRowIds> FullPageRows()
{
    std::vector<PktFilterRowIds> rows;
    for (int r = 0; r < 4; ++r) {
        PktFilterRowIds ids = BaseRow(r, r < 2 ? kFilterUpstream : kFilterDownstream, kFullFilters[r % 2], 1257 + r);
        ids.etherCheck = 1140 + r;
        ids.etherType = 1144 + r;
        ids.protocolCheck = 1148 + r;
        ids.protocol = 1152 + r;
        ids.portCheck = 1156 + r;
        ids.sourcePort = 1160 + r;
        ids.sourcePrefix = 1164 + r;
        ids.sourcePrefixSpin = 1168 + r;
        ids.destinationPort = 1172 + r;
        ids.destinationPrefix = 1176 + r;
        ids.destinationPrefixSpin = 1180 + r;
        rows.push_back(ids);
    }
    return rows;
}

CPktFilterPage::CPktFilterPage(int templateId, std::vector<PktFilterRowIds> rows, QWidget* parent)
    : CADialog(templateId, parent), rows_(std::move(rows)), values_(rows_.size())
{
}

void CPktFilterPage::WireRows()
{
    for (const PktFilterRowIds& ids : rows_) {
        if (ids.etherType == 0)
            continue;
        auto* edit = GetDlgItemAs<QLineEdit>(ids.etherType);
        edit->setMaxLength(4);
        connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
            const QString kept = EtherTypeTyped(text);
            if (kept == text)
                return;
            const int caret = edit->cursorPosition();
            edit->setText(kept);
            edit->setCursorPosition(std::max(0, caret - 1));
        });
        connect(edit, &QLineEdit::editingFinished, this, [edit] { edit->setText(EtherTypeShown(edit->text())); });
    }
    for (const PktFilterRowIds& ids : rows_) {
        GetDlgItemAs<QLineEdit>(ids.name)->setMaxLength(kFilterNameCharacters);
        // Each row's state radios are a pair of their own.
        auto* pair = new QButtonGroup(this);
        pair->addButton(GetDlgItemAs<QAbstractButton>(ids.enabled));
        pair->addButton(GetDlgItemAs<QAbstractButton>(ids.disabled));
    }
}

void CPktFilterPage::Load(const PktFilterSet& set)
{
    for (size_t i = 0; i < rows_.size(); ++i) {
        const PktFilterRowIds& ids = rows_[i];
        const PktFilterRec& rec = RecordOf(set, ids);
        RowValues& v = values_[i];
        v.state = rec.state == 1 ? 0 : 1;
        v.name = QString::fromStdString(rec.name);
        v.action = static_cast<int>(std::clamp<int64_t>(int64_t{rec.action} - 1, 0, kActionCount - 1));
        const bool etherCriterion = ids.etherCheck == 0 || rec.etherType >= 0;
        v.etherOn = rec.etherType >= 0 ? 1 : 0;
        // An Ether type that is not a criterion keeps the field's default, offered when the operator ticks it.
        v.etherType = etherCriterion ? EtherTypeShown(QString::number(Clamped(rec.etherType, 0, kMostPort), 16))
                                     : QStringLiteral("0800");
        v.protocolOn = rec.ipProtocol >= 0 ? 1 : 0;
        v.protocol = v.protocolOn != 0 ? Clamped(rec.ipProtocol, 0, kMostProtocol) : 0;
        v.portOn = rec.sourcePort >= 0 ? 1 : 0;
        const bool source = rec.sourcePort >= 0;
        v.sourcePort = source ? Clamped(rec.sourcePort, 0, kMostPort) : 0;
        v.sourcePrefix = source ? Clamped(rec.sourcePrefixBits, kFewestPrefixBits, kMostPrefixBits) : kMostPrefixBits;
        const bool destination = rec.destinationPort >= 0;
        v.destinationPort = destination ? Clamped(rec.destinationPort, 0, kMostPort) : 0;
        v.destinationPrefix =
            destination ? Clamped(rec.destinationPrefixBits, kFewestPrefixBits, kMostPrefixBits) : kMostPrefixBits;
    }
}

void CPktFilterPage::Store(PktFilterSet& set) const
{
    for (size_t i = 0; i < rows_.size(); ++i) {
        const PktFilterRowIds& ids = rows_[i];
        const RowValues& v = values_[i];
        PktFilterRec& rec = RecordOf(set, ids);
        rec.state = v.state == 0 ? 1 : 2;
        rec.name = v.name.toStdString();
        rec.action = v.action + 1;
        if (ids.etherType != 0 && ids.etherCheck == 0)
            rec.etherType = EtherTypeValue(v.etherType);
        if (ids.etherCheck == 0)
            continue;
        rec.etherType = v.etherOn != 0 ? EtherTypeValue(v.etherType) : kUnused;
        rec.ipProtocol = v.protocolOn != 0 ? static_cast<int32_t>(v.protocol) : kUnused;
        const bool port = v.portOn != 0;
        rec.sourcePort = port ? static_cast<int32_t>(v.sourcePort) : kUnused;
        rec.sourcePrefixBits = port ? static_cast<int32_t>(v.sourcePrefix) : static_cast<int32_t>(kMostPrefixBits);
        rec.destinationPort = port ? static_cast<int32_t>(v.destinationPort) : kUnused;
        rec.destinationPrefixBits =
            port ? static_cast<int32_t>(v.destinationPrefix) : static_cast<int32_t>(kMostPrefixBits);
    }
}

void CPktFilterPage::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < rows_.size(); ++i) {
        const PktFilterRowIds& ids = rows_[i];
        RowValues& v = values_[i];
        DDX_Radio(dx, {ids.enabled, ids.disabled}, v.state);
        DDX_Text(dx, ids.name, v.name);
        DDX_CBIndex(dx, ids.action, v.action);
        if (ids.etherType != 0)
            DDX_Text(dx, ids.etherType, v.etherType);
        if (ids.etherCheck == 0)
            continue;
        DDX_Check(dx, ids.etherCheck, v.etherOn);
        DDX_Check(dx, ids.protocolCheck, v.protocolOn);
        DDX_TextInRange(dx, *this, ids.protocol, v.protocol, 0, kMostProtocol);
        DDX_Check(dx, ids.portCheck, v.portOn);
        DDX_TextInRange(dx, *this, ids.sourcePort, v.sourcePort, 0, kMostPort);
        DDX_TextInRange(dx, *this, ids.sourcePrefix, v.sourcePrefix, kFewestPrefixBits, kMostPrefixBits);
        DDX_TextInRange(dx, *this, ids.destinationPort, v.destinationPort, 0, kMostPort);
        DDX_TextInRange(dx, *this, ids.destinationPrefix, v.destinationPrefix, kFewestPrefixBits, kMostPrefixBits);
    }
}

void CPktFilterPage::ApplyStateRule()
{
    for (const PktFilterRowIds& ids : rows_) {
        if (ids.etherCheck == 0)
            continue;
        const auto checked = [this](int id) { return GetDlgItemAs<QAbstractButton>(id)->isChecked(); };
        const bool ether = checked(ids.etherCheck);
        const bool protocol = checked(ids.protocolCheck);
        const bool port = checked(ids.portCheck);
        const bool any = ether || protocol || port;
        if (!any)
            GetDlgItemAs<QAbstractButton>(ids.disabled)->setChecked(true);
        EnableControls({ids.enabled, ids.disabled}, any);
        EnableControl(ids.etherType, ether);
        EnableControl(ids.protocol, protocol);
        EnableControls({ids.sourcePort, ids.sourcePrefix, ids.sourcePrefixSpin, ids.destinationPort,
                        ids.destinationPrefix, ids.destinationPrefixSpin},
                       port);
    }
}

bool CPktFilterPage::IsNumberField(int id) const
{
    return std::any_of(rows_.begin(), rows_.end(), [id](const PktFilterRowIds& ids) {
        return ids.etherCheck != 0 && (id == ids.protocol || id == ids.sourcePort || id == ids.sourcePrefix ||
                                       id == ids.destinationPort || id == ids.destinationPrefix);
    });
}

int CPktFilterPage::OnCommandHook(int id, int code)
{
    // A number out of its range is told as the operator leaves its field.
    if (code == EN_KILLFOCUS && IsNumberField(id)) {
        UpdateDialogData();
        return 1;
    }
    if (code != BN_CLICKED)
        return CADialog::OnCommandHook(id, code);
    for (const PktFilterRowIds& ids : rows_) {
        if (ids.etherCheck == 0 || (id != ids.etherCheck && id != ids.protocolCheck && id != ids.portCheck))
            continue;
        // A criterion cleared starts again from its neutral value.
        if (!GetDlgItemAs<QAbstractButton>(id)->isChecked()) {
            const auto set = [this](int editId, const char* text) {
                GetDlgItemAs<QLineEdit>(editId)->setText(QString::fromLatin1(text));
            };
            if (id == ids.etherCheck)
                set(ids.etherType, "0000");
            if (id == ids.protocolCheck)
                set(ids.protocol, "0");
            if (id == ids.portCheck) {
                set(ids.sourcePort, "0");
                set(ids.sourcePrefix, "16");
                set(ids.destinationPort, "0");
                set(ids.destinationPrefix, "16");
            }
        }
        ApplyStateRule();
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

int CPktFilterPage::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (const PktFilterRowIds& ids : rows_) {
            const int edit = header.idFrom == ids.sourcePrefixSpin        ? ids.sourcePrefix
                             : header.idFrom == ids.destinationPrefixSpin ? ids.destinationPrefix
                                                                          : 0;
            if (ids.etherCheck != 0 && edit != 0) {
                StepNumberEdit(GetDlgItemAs<QLineEdit>(edit), header.delta, kFewestPrefixBits, kMostPrefixBits);
                return 1;
            }
        }
    }
    return CADialog::OnNotifyHook(header, result);
}

CPktFilterEtherTypePage::CPktFilterEtherTypePage(QWidget* parent)
    : CPktFilterPage(kTemplateId, EtherTypePageRows(), parent), ui_(std::make_unique<Ui::CPktFilterEtherTypePage>())
{
    ui_->setupUi(this);
    WireRows();
}

CPktFilterEtherTypePage::~CPktFilterEtherTypePage() = default;

CPktFilterKnownPage::CPktFilterKnownPage(QWidget* parent)
    : CPktFilterPage(kTemplateId, KnownPageRows(), parent), ui_(std::make_unique<Ui::CPktFilterKnownPage>())
{
    ui_->setupUi(this);
    WireRows();
}

CPktFilterKnownPage::~CPktFilterKnownPage() = default;

CPktFilterFullPage::CPktFilterFullPage(QWidget* parent)
    : CPktFilterPage(kTemplateId, FullPageRows(), parent), ui_(std::make_unique<Ui::CPktFilterFullPage>())
{
    ui_->setupUi(this);
    WireRows();
}

CPktFilterFullPage::~CPktFilterFullPage() = default;
