// The apartment around each web request. Only the Windows back end has one
// (COM's per-thread count); libcurl here needs nothing set up per thread, so
// entering always succeeds and leaving has nothing to undo.

#include "platform/platform.h"

namespace quorrin::platform {

bool EnterApartment() { return true; }

void LeaveApartment() {}

}  // namespace quorrin::platform
