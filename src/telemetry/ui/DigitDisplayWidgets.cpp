#include "telemetry/ui/DigitDisplayWidgets.h"

#include "telemetry/DigitDisplays.h"

CDigitDisplayWidgets::CDigitDisplayWidgets(const DigitDisplays& model, std::function<SpeedSource()> speedSource,
                                           QWidget* parent)
    : dateTime_(new CVxDigitDateTime(model, parent)),
      speed_(new CVxDigitSpeed(model, std::move(speedSource), parent)),
      gValues_{new CVxDigitGVal(model, 0, parent), new CVxDigitGVal(model, 1, parent),
               new CVxDigitGVal(model, 2, parent)},
      gps_(new CVxDigitGps(model, parent)),
      carSignal_(new CVxCarSignal(model, parent)),
      byId_{dateTime_, speed_, gValues_[0], gValues_[1], gValues_[2], gps_, carSignal_} {
  for (CVxDigitDisplay* display : byId_) display->setGeometry(0, 0, 0, 0);
}

void CDigitDisplayWidgets::SetStrips(const DigitStrips& strips) {
  for (CVxDigitDisplay* display : byId_) display->SetStrips(strips);
}

CVxDigitGVal* CDigitDisplayWidgets::GValue(int axis) const {
  if (axis < 0 || axis >= DigitDisplays::kAxisCount) return nullptr;
  return gValues_[axis];
}

void CDigitDisplayWidgets::RepaintDisplay(DigitDisplayId display) {
  const auto index = static_cast<size_t>(display);
  if (index < byId_.size()) byId_[index]->update();
}
