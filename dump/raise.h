// Inside the engine: raising a failure with its standard description.
#pragma once

#include "dump.h"

namespace quorvex {

[[noreturn]] void Raise(FailureNumber number);

}  // namespace quorvex
