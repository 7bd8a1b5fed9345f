#pragma once
// The trap log filter of the application (ALARM/TRAPLOGFILTER): read and set field by field, and saved with the
// ALARM section of the configuration file.

#include <cstdint>
#include <string>

// Copies each field to the pointers that are not null; returns 1.
uint32_t GetTrapLogFilter(uint32_t* locationId, uint32_t* neId, uint32_t* entityId, uint32_t* mask);
// Stores the four fields; the caller saves the ALARM section afterwards.
void SetTrapLogFilter(uint32_t locationId, uint32_t neId, uint32_t entityId, uint32_t mask);

// Writes the ALARM section to the application's configuration file; false, with *error naming the file, when it
// cannot be written.
bool SaveTrapLogFilter(std::string* error = nullptr);
