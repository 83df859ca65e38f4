#include "recording/SigbusGuard.h"

#include <csetjmp>
#include <csignal>
#include <mutex>

namespace {

struct Guard {
  sigjmp_buf jump;
  const char* low = nullptr;
  const char* high = nullptr;
  volatile sig_atomic_t active = 0;
};

thread_local Guard* tGuard = nullptr;
struct sigaction gPrevious {};
std::once_flag gInstalled;

void PassOn(int signal, siginfo_t* info, void* context) {
  if ((gPrevious.sa_flags & SA_SIGINFO) != 0 && gPrevious.sa_sigaction != nullptr) {
    gPrevious.sa_sigaction(signal, info, context);
    return;
  }
  if ((gPrevious.sa_flags & SA_SIGINFO) == 0 && gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN) {
    gPrevious.sa_handler(signal);
    return;
  }
  // Returning re-runs the faulting instruction, which now ends the process
  // the ordinary way.
  std::signal(SIGBUS, SIG_DFL);
}

void OnSigbus(int signal, siginfo_t* info, void* context) {
  Guard* guard = tGuard;
  const auto* address = static_cast<const char*>(info->si_addr);
  if (guard != nullptr && guard->active && address >= guard->low && address < guard->high) {
    guard->active = 0;
    siglongjmp(guard->jump, 1);
  }
  PassOn(signal, info, context);
}

void Install() {
  struct sigaction action {};
  action.sa_sigaction = OnSigbus;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &gPrevious);
}

}  // namespace

bool RunWithSigbusGuard(const void* low, size_t length, void (*body)(void*), void* context) {
  std::call_once(gInstalled, Install);
  static thread_local Guard guard;
  guard.low = static_cast<const char*>(low);
  guard.high = guard.low + length;
  tGuard = &guard;
  if (sigsetjmp(guard.jump, 1) != 0) {
    tGuard = nullptr;
    return false;
  }
  guard.active = 1;
  body(context);
  guard.active = 0;
  tGuard = nullptr;
  return true;
}
