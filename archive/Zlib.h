// The inflate wrapper over zlib. Windows-free: bytes in, bytes out.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
using ZBuffer = std::unique_ptr<uint8_t, FreeDeleter>;

class EZlibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Inflates one whole zlib stream into a new buffer of exactly the inflated size. The buffer starts
// at outEstimate bytes (one growth step when 0) and grows by the input size rounded up to 256.
// Throws EZlibError on a damaged or truncated stream and std::bad_alloc when memory runs out.
void DecompressBuf(const void* inBuf, int32_t inBytes, ZBuffer& outBuf, int32_t& outBytes, int32_t outEstimate);
