// Finding a Windows window by part of its title, for the host's main window and its controls.
#pragma once

#include "Environment/String.h"

struct HWND__;
using HWND = HWND__*;

namespace tarnwick {

// The first window, in z-order, whose title contains titlePart: among the top-level windows when
// parent is null, else among the parent's descendants. Windows without a title are skipped. Null
// when none matches.
HWND findWindowByTitle(HWND parent, const String& titlePart);

} // namespace tarnwick
