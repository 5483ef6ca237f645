#pragma once

// Running code out of memory on purpose: a child process lowers its own address-space limit.

#include <cstdint>
#include <string>

/// Whether the tests run under AddressSanitizer, which needs more address space than any such
/// limit leaves: the tests that set one skip themselves there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif

/// A /proc/self file's number after `key` (bytes read for "rchar:" in io, "VmSize:" in status).
std::uint64_t ProcNumber(const char* file, const std::string& key);

/// Limits the process's address space to what it has now plus `headroom` bytes; ends the
/// process with status 3 when the limit cannot be set.
void LimitAddressSpace(std::uint64_t headroom);
