#include "platform/fault_point.h"

#include <utility>

namespace taiyi::fault {
namespace {

Hook& Installed() {
  static Hook hook;
  return hook;
}

bool& DurableFlag() {
  static bool durable = true;
  return durable;
}

}  // namespace

void SetDurable(bool durable) { DurableFlag() = durable; }

bool Durable() { return DurableFlag(); }

void SetHook(Hook hook) { Installed() = std::move(hook); }

bool Pass(std::string_view step) {
  const Hook& hook = Installed();
  return !hook || hook(step);
}

}  // namespace taiyi::fault
