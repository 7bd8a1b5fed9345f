#include "features/management/clock/ne_time_server_text.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <array>

QString TimingProtocolText(uint32_t protocol)
{
    return LoadQString(protocol == kTimingProtocolSntp ? kStrProtocolSntp : kStrProtocolNone);
}

QString TimeServerStateText(uint32_t state)
{
    static constexpr std::array<uint32_t, 5> kStates{kStrTimeServerNotSet, kStrTimeServerTimingSource,
                                                     kStrTimeServerBackup, kStrTimeServerUnresolved,
                                                     kStrTimeServerNoResponse};
    return LoadQString(state < kStates.size() ? kStates[state] : kStrUnknown);
}
