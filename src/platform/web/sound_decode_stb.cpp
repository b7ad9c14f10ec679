// Sound decoding for the browser build: Ogg Vorbis through stb_vorbis and WAV PCM read
// here (8-, 16-, 32-bit and float, plain or extensible header), as on the desktop.
#include "platform/sound_decode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/web/stb_vorbis_api.h"

bool DecodeOggSound(const std::vector<uint8_t>& bytes, TSound& out)
{
    if (bytes.size() > 0x7fffffff)
        return false;
    int error = 0;
    stb_vorbis* v = stb_vorbis_open_memory(bytes.data(), static_cast<int>(bytes.size()), &error, nullptr);
    if (!v)
        return false;
    bool ok = false;
    const stb_vorbis_info info = stb_vorbis_get_info(v);
    const int64_t total = stb_vorbis_stream_length_in_samples(v);
    if (info.channels >= 1 && info.channels <= 2 && info.sample_rate > 0 && total > 0) {
        out.channels = info.channels;
        out.sample_rate = static_cast<int>(info.sample_rate);
        out.frames = total;
        const size_t samples = static_cast<size_t>(total) * out.channels;
        if (samples * sizeof(int16_t) > kStreamAboveBytes) {
            // Check the first packet decodes; the rest is decoded while playing.
            short probe[2048];
            ok = stb_vorbis_get_samples_short_interleaved(v, out.channels, probe, 2048) > 0;
            if (ok)
                out.compressed = bytes;
        } else {
            out.pcm.resize(samples);
            size_t filled = 0;  // samples
            while (filled < samples) {
                const int want = static_cast<int>(std::min<size_t>(samples - filled, 65536));
                const int frames = stb_vorbis_get_samples_short_interleaved(v, out.channels, out.pcm.data() + filled,
                                                                            want);
                if (frames <= 0)
                    break;
                filled += static_cast<size_t>(frames) * out.channels;
            }
            out.pcm.resize(filled);
            out.frames = static_cast<int64_t>(filled / out.channels);
            ok = out.frames > 0;
        }
    }
    stb_vorbis_close(v);
    return ok;
}

namespace {

uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

bool DecodeWavSound(const std::vector<uint8_t>& b, TSound& out)
{
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return false;
    int format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    const uint8_t* data = nullptr;
    size_t data_len = 0;
    size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const uint8_t* chunk = b.data() + pos;
        const size_t len = le32(chunk + 4);
        const size_t avail = std::min(len, b.size() - pos - 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && avail >= 16) {
            format = le16(chunk + 8);
            channels = le16(chunk + 10);
            rate = le32(chunk + 12);
            bits = le16(chunk + 22);
            if (format == 0xFFFE && avail >= 26)
                format = le16(chunk + 32);  // the extensible header's sub-format
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            data = chunk + 8;
            data_len = avail;  // a data chunk cut short plays the whole frames it holds
            break;
        }
        pos += 8 + len + (len & 1);
    }
    const bool pcm = format == 1 && (bits == 8 || bits == 16 || bits == 32);
    const bool floats = format == 3 && bits == 32;
    if (!data || !(pcm || floats) || channels < 1 || channels > 2 || rate == 0)
        return false;
    const size_t bytes_per_sample = static_cast<size_t>(bits) / 8;
    const size_t frames = data_len / (bytes_per_sample * channels);
    if (frames == 0)
        return false;
    out.channels = channels;
    out.sample_rate = static_cast<int>(rate);
    out.frames = static_cast<int64_t>(frames);
    out.pcm.resize(frames * channels);
    for (size_t i = 0; i < out.pcm.size(); ++i) {
        const uint8_t* p = data + i * bytes_per_sample;
        if (bits == 8) {
            out.pcm[i] = static_cast<int16_t>((p[0] - 128) * 256);
        } else if (bits == 16) {
            out.pcm[i] = static_cast<int16_t>(le16(p));
        } else if (pcm) {
            out.pcm[i] = static_cast<int16_t>(static_cast<int32_t>(le32(p)) >> 16);
        } else {
            float f = 0;
            std::memcpy(&f, p, 4);
            out.pcm[i] = static_cast<int16_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f));
        }
    }
    return true;
}
