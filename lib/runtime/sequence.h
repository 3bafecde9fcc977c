// Guarded sequences. BeginSequence runs a body; DoBreak() anywhere inside it, at any
// depth of the program's own code, abandons the rest of the body and resumes after it.
// Frames of the call chain opened inside are closed on the way out.
// REQUIRES: no Win32 callback frame lies between DoBreak and its BeginSequence.
#pragma once

#include <functional>

namespace xb {

// True when the body ran to its end, false when DoBreak ended it.
bool BeginSequence(const std::function<void()>& body);

// Outside every sequence there is nothing to break to: the program ends (exit code 1).
[[noreturn]] void DoBreak();

bool InSequence();

}  // namespace xb
