#include "features/management/firmware/boot_partitions.h"

#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QComboBox>
#include <QLineEdit>

std::optional<BootPartitionRecord> QueryBootPartitions(uint32_t neId)
{
    const RecordReply<BootPartitionRecord> reply =
        CRecordRequests().Query<BootPartitionRecord>(kReqNeBootPartition, neId, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return std::nullopt;
    return reply.records.front();
}

bool WriteNextBootPartition(uint32_t neId, uint32_t next)
{
    return CRecordRequests()
        .Modify(kReqNeBootPartition, neId, BootPartitionRecord{0, next}, {.failureTextId = kStrFailToQuery})
        .Ok();
}

void FillNextPartitions(QComboBox& combo, const CUpgradeSettings& settings)
{
    combo.clear();
    for (uint32_t index : {1u, 2u})
        combo.addItem(QString::fromStdString(settings.PartitionName(index)), QVariant::fromValue<quint32>(index));
    combo.setCurrentIndex(0);
}

uint32_t ChosenNextPartition(const QComboBox& combo)
{
    return combo.currentIndex() >= 0 ? combo.currentData().value<quint32>() : 1;
}

void ShowBootPartitions(CADialog& dialog, int currentId, int nextId, const CUpgradeSettings& settings,
                        const std::optional<BootPartitionRecord>& partitions)
{
    if (!partitions)
        return;
    if (auto* current = dialog.GetDlgItemAs<QLineEdit>(currentId))
        current->setText(QString::fromStdString(settings.PartitionName(partitions->current)));
    if (partitions->next != 1 && partitions->next != 2)
        return;
    if (auto* combo = dialog.GetDlgItemAs<QComboBox>(nextId))
        combo->setCurrentIndex(combo->findData(QVariant::fromValue<quint32>(partitions->next)));
    else if (auto* edit = dialog.GetDlgItemAs<QLineEdit>(nextId))
        edit->setText(QString::fromStdString(settings.PartitionName(partitions->next)));
}
