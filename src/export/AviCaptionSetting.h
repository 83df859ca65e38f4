#pragma once
// The caption boxes Save AVI opens with: the ones it last started with, as
// the settings keep them.
#include "export/AviCaption.h"

AviCaptionItems AviCaptionFromSetting(int boxes);
int AviCaptionSetting(const AviCaptionItems& items);
