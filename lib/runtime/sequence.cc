#include "runtime/sequence.h"

#include "runtime/quit.h"

namespace xb {

namespace {
struct BreakSignal {
  int depth;
};
int depth = 0;
}  // namespace

bool BeginSequence(const std::function<void()>& body) {
  int mine = ++depth;
  try {
    body();
  } catch (const BreakSignal& signal) {
    depth = mine - 1;
    if (signal.depth != mine) throw;
    return false;
  }
  depth = mine - 1;
  return true;
}

void DoBreak() {
  if (depth == 0) {
    SetExitCode(1);
    Quit();
  }
  throw BreakSignal{depth};
}

bool InSequence() { return depth > 0; }

}  // namespace xb
