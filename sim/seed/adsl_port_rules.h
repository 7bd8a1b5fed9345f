#pragma once
// How an NE judges a write of one of its ADSL port records (request 630), as both simulated peers do: the port must
// be one of its ADSL ports, each profile named must be one it holds (an empty name takes the profile off), the line
// profile one whose channel is fast or interleaved, and the filter group masks may name only the card's groups
// (three upstream, four downstream). What the port reports of itself (its line state) stays the NE's.

#include "link/records/adsl_port_rec.h"

#include <string>
#include <vector>

struct SimPortProfiles {
    std::vector<std::string> lineProfiles; // those of a fast or interleaved channel
    std::vector<std::string> pmThresholdProfiles;
    std::vector<std::string> policingProfiles;
};

// Why the NE refuses the write; empty when it takes it.
std::string AdslPortWriteRefusal(const AdslPortRec& written, const SimPortProfiles& profiles);

// The record the NE keeps after the write: the written settings over what it held.
AdslPortRec AdslPortAfterWrite(const AdslPortRec& held, const AdslPortRec& written);

// Whether a query naming `entityId` (the NE, a shelf, a card or the port) lists the port.
bool AdslPortListed(uint32_t entityId, uint32_t portId);
