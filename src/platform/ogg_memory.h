// Ogg Vorbis decoding straight from bytes held in memory: the callbacks libvorbisfile
// reads through, shared by the decoder at load time and the streaming player.
#pragma once

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

struct OggMemoryReader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

inline size_t ogg_memory_read(void* out, size_t size, size_t count, void* user)
{
    auto* r = static_cast<OggMemoryReader*>(user);
    size_t n = std::min(size * count, r->size - r->pos);
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
    return size ? n / size : 0;
}

inline int ogg_memory_seek(void* user, ogg_int64_t offset, int whence)
{
    auto* r = static_cast<OggMemoryReader*>(user);
    int64_t base = whence == SEEK_SET   ? 0
                   : whence == SEEK_CUR ? static_cast<int64_t>(r->pos)
                                        : static_cast<int64_t>(r->size);
    int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(r->size))
        return -1;
    r->pos = static_cast<size_t>(target);
    return 0;
}

inline long ogg_memory_tell(void* user) { return static_cast<long>(static_cast<OggMemoryReader*>(user)->pos); }

inline const ov_callbacks kOggMemoryCallbacks = {ogg_memory_read, ogg_memory_seek, nullptr, ogg_memory_tell};
