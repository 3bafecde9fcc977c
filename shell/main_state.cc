#include "shell/main_state.h"

namespace shell {

namespace {
MainState* current = nullptr;
}

MainState* Main() { return current; }
void SetMain(MainState* state) { current = state; }

}  // namespace shell
