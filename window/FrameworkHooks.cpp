#include "window/FrameworkHooks.h"

FrameworkHooks& GetFrameworkHooks() {
  static FrameworkHooks hooks{};
  return hooks;
}
