#pragma once
// How each alarm of each entity model is reported where the alarm definition dialogs work: on one NE, or in the
// server's templates. The names and texts of the alarms are the entity model's; their severity, reporting and
// suppression come from what the NE (or the server) answered and from what was written to it since, and from the
// definition files where it answered nothing. From these settings come the records that Save All Models as Template
// sends and the requests that Download All Models to NEs prepares.

#include "core/entity/entity_alarm_def.h"
#include "link/records/alarm_def_rec.h"
#include "ui/framework/dialogs/template_download.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class CEntityType;

// An entity model's NE model id that names no NE model: the model belongs to every NE or to none.
bool IsNoNeModel(uint32_t neModelId);

struct AlarmDefSetting {
    uint32_t severity = 0;  // 1 critical .. 5 info, 0 none
    uint32_t reporting = 1; // 1 reported
    uint32_t suppressionMask = 0;
    bool operator==(const AlarmDefSetting&) const = default;
};

class CAlarmDefSettings {
public:
    // The settings of the records a query answered or a write sent.
    void Take(const std::vector<AlarmDefRec>& records);
    void Set(uint32_t modelId, uint8_t alarmIndex, const AlarmDefSetting& setting);
    // The alarm's setting: as answered or written, else as the definition files give it.
    AlarmDefSetting Of(uint32_t modelId, uint8_t alarmIndex) const;
    // The record of a defined alarm of a model with its setting.
    AlarmDefRec Record(const CEntityType& model, uint8_t alarmIndex) const;

private:
    std::map<std::pair<uint32_t, uint8_t>, AlarmDefSetting> settings_;
};

// The records of every defined alarm of the module and port models (levels 3 and 4) that belong to the NE model, in
// model order and then alarm order; none for an NE model id that names no NE model.
std::vector<AlarmDefRec> NeModelAlarmRecords(uint32_t neModelId, const CAlarmDefSettings& settings);

// Download All Models to NEs: one prepared write of the alarm definitions (request 327) per NE model, in the order
// given, each holding that NE model's records; an NE takes the one of its own model.
TemplateDownload AlarmDefinitionDownload(const std::vector<uint32_t>& neModelIds, const CAlarmDefSettings& settings,
                                         const std::string& title);
