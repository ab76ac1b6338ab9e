#include "archive/Zlib.h"

#include <limits>
#include <new>
#include <string>

#include <zlib.h>

namespace {

// Owns the inflate state so that inflateEnd runs on every way out.
class InflateStream {
public:
    explicit InflateStream(const void* input, int32_t inputBytes)
    {
        stream_.next_in = static_cast<Bytef*>(const_cast<void*>(input));
        stream_.avail_in = static_cast<uInt>(inputBytes);
        if (inflateInit(&stream_) != Z_OK)
            throw EZlibError("inflateInit failed");
    }
    ~InflateStream() { inflateEnd(&stream_); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    z_stream* operator->() { return &stream_; }
    int Inflate() { return inflate(&stream_, Z_NO_FLUSH); }

private:
    z_stream stream_{};
};

uint8_t* Reallocate(ZBuffer& buffer, size_t bytes)
{
    void* grown = std::realloc(buffer.get(), bytes == 0 ? 1 : bytes);
    if (!grown)
        throw std::bad_alloc();
    buffer.release();
    buffer.reset(static_cast<uint8_t*>(grown));
    return buffer.get();
}

}  // namespace

void DecompressBuf(const void* inBuf, int32_t inBytes, ZBuffer& outBuf, int32_t& outBytes, int32_t outEstimate)
{
    if (inBytes <= 0)
        throw EZlibError("no compressed data");
    const int64_t growth = (static_cast<int64_t>(inBytes) + 255) & ~int64_t{255};
    int64_t capacity = outEstimate > 0 ? outEstimate : growth;

    ZBuffer buffer;
    uint8_t* out = Reallocate(buffer, static_cast<size_t>(capacity));
    InflateStream stream(inBuf, inBytes);
    stream->next_out = out;
    stream->avail_out = static_cast<uInt>(capacity);

    for (;;) {
        const uLong inBefore = stream->total_in;
        const uLong outBefore = stream->total_out;
        const int rc = stream.Inflate();
        if (rc == Z_STREAM_END)
            break;
        if (rc != Z_OK && rc != Z_BUF_ERROR)
            throw EZlibError(std::string("damaged compressed data: ") + (stream->msg ? stream->msg : "zlib error"));
        if (stream->avail_out != 0) {
            // All input is available at once, so output space left over means the stream was cut short.
            if (stream->total_in == inBefore && stream->total_out == outBefore)
                throw EZlibError("compressed data ends before the end of its stream");
            continue;
        }
        if (capacity + growth > std::numeric_limits<int32_t>::max())
            throw EZlibError("inflated data reaches 2 GiB");
        capacity += growth;
        out = Reallocate(buffer, static_cast<size_t>(capacity));
        stream->next_out = out + stream->total_out;
        stream->avail_out = static_cast<uInt>(growth);
    }

    const auto produced = static_cast<int32_t>(stream->total_out);
    Reallocate(buffer, static_cast<size_t>(produced));
    outBuf = std::move(buffer);
    outBytes = produced;
}
