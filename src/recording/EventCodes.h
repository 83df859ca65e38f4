#pragma once
// Display names of the recorder's event codes, in the user's language.

#include <cstdint>
#include <string>

// 32 says the event came from the extended trigger set; its cause is then
// the extended event code of the index trailer.
constexpr uint8_t kExtendedEventCode = 32;

// The name of an event code (0 Normal, 1 G-Sensor, ...); "" for unknown codes.
std::string EventCodeName(uint8_t code);

// The name of an extended event code (1 Shock, ...); "" for unknown codes.
std::string ExtendedEventName(uint8_t extCode);

// The name a recording is listed under: the extended name for code 32.
std::string EventName(uint8_t code, uint8_t extCode);
