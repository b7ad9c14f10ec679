// Sound decoding for the desktop: Ogg Vorbis through vorbisfile, WAV through SDL.
#include "platform/sound_decode.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/ogg_memory.h"

bool DecodeOggSound(const std::vector<uint8_t>& bytes, TSound& out)
{
    OggMemoryReader reader{bytes.data(), bytes.size()};
    OggVorbis_File vf;
    if (ov_open_callbacks(&reader, &vf, nullptr, 0, kOggMemoryCallbacks) != 0)
        return false;
    bool ok = false;
    const vorbis_info* info = ov_info(&vf, -1);
    ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (info && info->channels >= 1 && info->channels <= 2 && info->rate > 0 && total > 0) {
        out.channels = info->channels;
        out.sample_rate = static_cast<int>(info->rate);
        out.frames = total;
        size_t bytes_needed = static_cast<size_t>(total) * out.channels * sizeof(int16_t);
        if (bytes_needed > kStreamAboveBytes) {
            // Check the first packet decodes; the rest is decoded while playing.
            char probe[4096];
            int section = 0;
            ok = ov_read(&vf, probe, sizeof probe, 0, 2, 1, &section) > 0;
            if (ok)
                out.compressed = bytes;
        } else {
            out.pcm.resize(static_cast<size_t>(total) * out.channels);
            size_t filled = 0;  // bytes
            char* dst = reinterpret_cast<char*>(out.pcm.data());
            while (filled < bytes_needed) {
                int section = 0;
                long n = ov_read(&vf, dst + filled,
                                 static_cast<int>(std::min<size_t>(bytes_needed - filled, 65536)), 0, 2, 1,
                                 &section);
                if (n == OV_HOLE)
                    continue;
                if (n <= 0)
                    break;
                filled += static_cast<size_t>(n);
            }
            out.pcm.resize(filled / sizeof(int16_t));
            out.frames = static_cast<int64_t>(out.pcm.size() / out.channels);
            ok = out.frames > 0;
        }
    }
    ov_clear(&vf);
    return ok;
}

// ---------------------------------------------------------------------------------------
// WAV through SDL's loader: plain and extensible headers, 8-, 16-, 24- and 32-bit PCM,
// float, and the ADPCM and companded forms it also reads; mono or stereo. A data chunk
// cut short plays the whole frames it holds.

bool DecodeWavSound(const std::vector<uint8_t>& b, TSound& out)
{
    SDL_RWops* rw = SDL_RWFromConstMem(b.data(), static_cast<int>(b.size()));
    SDL_AudioSpec spec {};
    Uint8* data = nullptr;
    Uint32 len = 0;
    if (!rw || !SDL_LoadWAV_RW(rw, 1, &spec, &data, &len))
        return false;
    const int bytes_per_sample = SDL_AUDIO_BITSIZE(spec.format) / 8;
    const size_t frame_bytes = static_cast<size_t>(spec.channels) * bytes_per_sample;
    const size_t frames = frame_bytes ? len / frame_bytes : 0;
    const bool ok = spec.channels >= 1 && spec.channels <= 2 && spec.freq > 0 && frames > 0 &&
                    (spec.format == AUDIO_U8 || spec.format == AUDIO_S16LSB || spec.format == AUDIO_S32LSB ||
                     spec.format == AUDIO_F32LSB);
    if (ok) {
        out.channels = spec.channels;
        out.sample_rate = spec.freq;
        out.frames = static_cast<int64_t>(frames);
        out.pcm.resize(frames * spec.channels);
        for (size_t i = 0; i < out.pcm.size(); ++i) {
            const uint8_t* p = data + i * bytes_per_sample;
            int32_t s32 = 0;
            float f = 0;
            switch (spec.format) {
            case AUDIO_U8: out.pcm[i] = static_cast<int16_t>((p[0] - 128) * 256); break;
            case AUDIO_S16LSB: out.pcm[i] = static_cast<int16_t>(p[0] | (p[1] << 8)); break;
            case AUDIO_S32LSB:
                std::memcpy(&s32, p, 4);
                out.pcm[i] = static_cast<int16_t>(s32 >> 16);
                break;
            default:
                std::memcpy(&f, p, 4);
                out.pcm[i] = static_cast<int16_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f));
                break;
            }
        }
    }
    SDL_FreeWAV(data);
    return ok;
}

