// The computer identifier: 16 characters derived from the first network adapter's address
// (or random bytes when there is none), stored as the setting "computerid".
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"

// The identifier of 8 address bytes: characters in the ranges 64..95 and 66..80.
TString ComputerIdFromAddress(const uint8_t address[8]);
// The identifier of this computer, from the platform's address source.
TString ComputeComputerId();
