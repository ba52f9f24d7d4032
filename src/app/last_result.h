// The program's one global value and the exit routine that releases it.

#ifndef QUORRIN_APP_LAST_RESULT_H_
#define QUORRIN_APP_LAST_RESULT_H_

#include "text/text.h"

namespace quorrin {

// The address of the most recent resolution, also when it was empty.
extern Text LastResult;

// The exit routine: releases LastResult.
void ReleaseGlobals();

}  // namespace quorrin

#endif  // QUORRIN_APP_LAST_RESULT_H_
