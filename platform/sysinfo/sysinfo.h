// System facts for identifiers: random bytes and the network adapter address.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Fills the buffer from the system's random source; false when it cannot.
bool RandomBytes(void* buffer, size_t size);

// Real: the machine's network adapters. Test: the address a test set with SetTestAddress.
enum class SysinfoBackend { Real, Test };

// The backend ReadNetworkAddress uses from now on; Real until chosen otherwise.
void UseSysinfoBackend(SysinfoBackend backend);
SysinfoBackend GetSysinfoBackend();

// The address the test backend answers; null: the test machine has no network adapter.
void SetTestAddress(const uint8_t address[8]);

// The address of the first network interface that is not a loopback: 6 bytes (a hardware
// address) padded with zeros to 8. False when there is none.
bool ReadNetworkAddress(uint8_t address[8]);

}  // namespace platform
