#include "export/AviCaptionSetting.h"

#include "base/AppSetting.h"

AviCaptionItems AviCaptionFromSetting(int boxes) {
  AviCaptionItems items;
  items.dateTime = (boxes & kAviCaptionDateTime) != 0;
  items.speed = (boxes & kAviCaptionSpeed) != 0;
  items.vehicleId = (boxes & kAviCaptionVehicleId) != 0;
  items.position = (boxes & kAviCaptionPosition) != 0;
  return items;
}

int AviCaptionSetting(const AviCaptionItems& items) {
  return (items.dateTime ? kAviCaptionDateTime : 0) | (items.speed ? kAviCaptionSpeed : 0) |
         (items.vehicleId ? kAviCaptionVehicleId : 0) | (items.position ? kAviCaptionPosition : 0);
}
