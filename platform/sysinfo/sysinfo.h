// System facts for identifiers: random bytes and the network adapter address.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Fills the buffer from the system's random source; false when it cannot.
bool RandomBytes(void* buffer, size_t size);

// The address of the first network interface that is not a loopback: 6 bytes (a hardware
// address) padded with zeros to 8. False when there is none.
using AddressSource = bool (*)(uint8_t address[8]);
bool FirstNetworkAddress(uint8_t address[8]);
// Tests inject their own address bytes; null restores the system's source.
void SetAddressSource(AddressSource source);
bool ReadNetworkAddress(uint8_t address[8]);

}  // namespace platform
