#include "features/provisioning/multicast/mc_channel_columns.h"

#include "core/tables/entity_labels.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "ui/framework/lists/small_images.h"

#include <cstdio>

namespace {

std::string PortFirst(const McChannelRec& rec)
{
    char key[48];
    std::snprintf(key, sizeof key, "%010u %03u %05u %04u", rec.portId, rec.vpi, rec.vci, rec.vlanId);
    return key;
}

std::string KeyFirst(const McChannelRec& rec)
{
    char key[48];
    std::snprintf(key, sizeof key, "%03u %05u %04u %010u", rec.vpi, rec.vci, rec.vlanId, rec.portId);
    return key;
}

ListColumn<McChannelRec> KeyColumn(ListValue (*value)(const McChannelRec&))
{
    return {.value = value, .order = ListOrder::kText, .sortValue = [](const McChannelRec& rec) {
                return ListValue(KeyFirst(rec));
            }};
}

} // namespace

std::vector<ListColumn<McChannelRec>> McChannelColumns(std::function<const CNeRecord*()> ne)
{
    return {
        {.order = ListOrder::kArrival,
         .image =
             [](const McChannelRec& rec) {
                 return rec.adminState == kMcChannelEnabled ? kImageEnabled : kImageDisabled;
             }},
        {.value =
             [ne](const McChannelRec& rec) { return ListValue(FormatEntityLocationById(ne(), rec.portId, false)); },
         .order = ListOrder::kText,
         .sortValue = [](const McChannelRec& rec) { return ListValue(PortFirst(rec)); }},
        KeyColumn([](const McChannelRec& rec) { return ListValue(rec.vpi); }),
        KeyColumn([](const McChannelRec& rec) { return ListValue(rec.vci); }),
        KeyColumn([](const McChannelRec& rec) { return ListValue(rec.vlanId); }),
        {.value = &McChannelRec::profile,
         .order = ListOrder::kText,
         .sortValue = [](const McChannelRec& rec) { return ListValue(rec.profile + '\t' + PortFirst(rec)); }},
        {.value = &McChannelRec::portId, .order = ListOrder::kUnsigned},
    };
}
