#include "tools/CardBusyMark.h"

#include <atomic>

namespace {

std::atomic<bool> formatting{false};

}  // namespace

void SetCardFormatting(bool busy) { formatting = busy; }

bool CardFormatting() { return formatting.load(); }
