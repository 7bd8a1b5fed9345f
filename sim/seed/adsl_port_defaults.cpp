#include "sim/seed/adsl_port_defaults.h"

namespace {

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kUp = 1;

} // namespace

std::vector<AdslPortRec> AdslPortDefaults(const std::vector<uint32_t>& ports,
                                          const std::vector<std::string>& lineProfiles,
                                          const std::vector<std::string>& pmThresholdProfiles)
{
    std::vector<AdslPortRec> records;
    for (size_t i = 0; i < ports.size(); ++i) {
        AdslPortRec rec;
        rec.entityId = ports[i];
        if (!lineProfiles.empty())
            rec.lineProfile = lineProfiles[i % lineProfiles.size()];
        if (!pmThresholdProfiles.empty())
            rec.pmThresholdProfile = pmThresholdProfiles.front();
        rec.enableState = kEnabled;
        rec.operState = kUp;
        records.push_back(rec);
    }
    return records;
}
