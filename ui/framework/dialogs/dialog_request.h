#pragma once
// What a routed command hands to the dialog it opens: the target, the location, the member's name, the access mode
// and the opener fields, as the dialog's set-up calls would. The slot selection dialog hands back the chosen index;
// a dialog that opens the template download hands it its prepared requests; every dialog hands back its change flags.

#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"

#include <cstdint>
#include <string>
#include <vector>

struct TemplateDownload;

// Access modes of a dialog.
inline constexpr uint8_t kAccessQuery = 1;
inline constexpr uint8_t kAccessModify = 2;
inline constexpr uint8_t kAccessCreate = 4;

struct DialogRequest {
    std::string className;
    int commandId = 0;

    bool hasTarget = false; // SetTarget was called
    uint32_t neId = 0;
    bool hasEntity = false; // the target carries an entity
    CEntityId entity;

    bool hasLocation = false;
    uint32_t locationId = 0;

    bool hasUserName = false;
    std::string userName;

    uint8_t accessMode = 0; // 0 = the constructor's value

    int portSelMode = -1;
    int templateMode = -1;
    int profileGroup = -1;
    int activeHistory = -1;  // the alarm criteria dialog: 1 active, 0 history
    std::string ipAddress;   // the ping dialog: the address filled in, dotted; empty for none
    std::string profileName; // a profile dialog: the profile to read and show; empty for none

    // The PVC of the target port that an OAM loopback test runs on; -1 = none given.
    int pvcVpi = -1;
    int pvcVci = -1;

    // The record of the NE a dialog shows by its name (an IP traffic profile, a next hop); empty for none.
    std::string recordName;

    // Filled by the slot selection dialog when it returns OK.
    CEntityIndex chosenIndex;

    // The template download dialog's prepared requests (template_download.h), kept by the opener.
    const TemplateDownload* templateDownload = nullptr;

    // Handed back by every dialog after its modal loop: its change flags (CADialog::GetChangeFlags).
    uint16_t changeFlags = 0;
    // Handed back after OK by a dialog that wrote a record its opener shows (the subscriber data): the record as
    // written, encoded.
    std::vector<uint8_t> resultRecord;
};
