#include "features/management/firmware/transfer_progress.h"

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_table.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include <algorithm>

namespace {
constexpr uint32_t kLargeTransfer = 16777216;
} // namespace

uint32_t TransferPercent(uint32_t bytes, uint32_t length)
{
    if (length == 0)
        return 0;
    const uint64_t percent =
        bytes >= kLargeTransfer ? bytes / std::max<uint32_t>(length / 100, 1) : uint64_t{bytes} * 100 / length;
    return static_cast<uint32_t>(std::min<uint64_t>(percent, 100));
}

void CTransferProgress::Start(int range, uint32_t unitTextId)
{
    if (auto* bar = dialog_.GetDlgItemAs<QProgressBar>(kTransferProgressBarId)) {
        bar->setRange(0, std::max(range, 1));
        bar->setValue(0);
    }
    Announce(unitTextId);
}

void CTransferProgress::Announce(uint32_t unitTextId)
{
    SetNumber({});
    if (auto* unit = dialog_.GetDlgItemAs<QLabel>(kTransferUnitId))
        unit->setText(LoadQString(unitTextId));
}

void CTransferProgress::ShowSent(uint32_t bytes, uint32_t length)
{
    const uint32_t percent = TransferPercent(bytes, length);
    SetPosition(static_cast<int>(percent));
    SetNumber(QString::number(percent));
}

void CTransferProgress::ShowReceived(uint32_t bytes, uint32_t dataSize)
{
    SetPosition(static_cast<int>(bytes / std::max<uint32_t>(dataSize, 1) % 101));
    SetNumber(QString::number(bytes));
}

void CTransferProgress::ShowDone(const QString& number)
{
    if (auto* bar = dialog_.GetDlgItemAs<QProgressBar>(kTransferProgressBarId))
        bar->setValue(bar->maximum());
    SetNumber(number);
}

void CTransferProgress::SetPosition(int position)
{
    if (auto* bar = dialog_.GetDlgItemAs<QProgressBar>(kTransferProgressBarId))
        bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void CTransferProgress::SetNumber(const QString& number)
{
    if (auto* value = dialog_.GetDlgItemAs<QLabel>(kTransferValueId))
        value->setText(number);
}
