#include "features/performance/rate_status/shdsl_rate_status_rows.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QStringList>

namespace {

constexpr uint32_t kAnnexB = 0x40;
constexpr uint32_t kAnnexA = 0x80;
constexpr uint32_t kAnnexAB = 0xC0;
constexpr uint32_t kBitsPerKbit = 1000;

std::string ModeText(uint32_t mode)
{
    switch (mode) {
    case kAnnexB:
        return "Annex B";
    case kAnnexA:
        return "Annex A";
    case kAnnexAB:
        return "Annex A & B";
    default:
        return "--";
    }
}

} // namespace

std::vector<ListColumn<ShdslRateStatusRow>> ShdslRateStatusColumns()
{
    using R = ShdslRateStatusRow;
    return {
        {.value = [](const R& row) { return ListValue(row.item); }, .order = ListOrder::kArrival},
        {.value = [](const R& row) { return ListValue(row.value); }, .order = ListOrder::kArrival},
    };
}

std::vector<ShdslRateStatusRow> ShdslRateStatusRows()
{
    std::vector<ShdslRateStatusRow> rows;
    for (const QString& item : LoadQString(kStrShdslRateStatusItems).split('|'))
        rows.push_back({static_cast<uint32_t>(rows.size()), item.toStdString(), {}});
    return rows;
}

std::vector<std::string> ShdslRateStatusValues(const ShdslRateStatusRec& rec)
{
    return {std::to_string(rec.currentRate / kBitsPerKbit),
            std::to_string(rec.attainableRate / kBitsPerKbit),
            ModeText(rec.mode),
            std::to_string(rec.stucSnrMargin),
            std::to_string(rec.stucAttenuation),
            std::to_string(rec.sturSnrMargin),
            std::to_string(rec.sturAttenuation)};
}
