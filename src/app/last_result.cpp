#include "app/last_result.h"

namespace quorrin {

Text LastResult;

void ReleaseGlobals() { LastResult = Text(); }

}  // namespace quorrin
