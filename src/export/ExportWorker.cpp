#include "export/ExportWorker.h"

bool ExportWorker::StartThread(std::function<int()> work, std::function<void(int)> onEnd) {
  if (thread_.Running()) return false;
  progress_.high = 0;
  progress_.pos = 0;
  progress_.part = 0;
  progress_.parts = 0;
  return thread_.Start(std::move(work), std::move(onEnd));
}
