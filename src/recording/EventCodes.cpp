#include "recording/EventCodes.h"

#include <string_view>

#include "base/MgrMultiLang.h"

namespace {

struct NamedCode {
  uint8_t code;
  std::string_view key;
  std::string_view english;
};

constexpr std::string_view kSection = "GUI";

constexpr NamedCode kEventNames[] = {
    {0, "Normal", "Normal"},      {1, "GSensor", "G-Sensor"},     {2, "Switch", "Switch"},
    {4, "RDDetect", "RD Detect"}, {8, "ACCSwitch", "ACC Switch"}, {16, "BattOff", "Battery Off"},
    {32, "ExtRDDetect", "Event"},
};

constexpr NamedCode kExtendedNames[] = {
    {1, "RDExtShock", "Shock"},
    {2, "RDExtAccel", "Sudden Accel/Brake"},
    {3, "RDExtSteering", "Sudden Steering"},
    {4, "RDExtTrigger", "External Trigger"},
};

template <size_t N>
std::string Lookup(const NamedCode (&table)[N], uint8_t code) {
  for (const NamedCode& entry : table) {
    if (entry.code == code) return GetLangText(kSection, entry.key, entry.english);
  }
  return {};
}

}  // namespace

std::string EventCodeName(uint8_t code) { return Lookup(kEventNames, code); }

std::string ExtendedEventName(uint8_t extCode) { return Lookup(kExtendedNames, extCode); }

std::string EventName(uint8_t code, uint8_t extCode) {
  return code == kExtendedEventCode ? ExtendedEventName(extCode) : EventCodeName(code);
}
