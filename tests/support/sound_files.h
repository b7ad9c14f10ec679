// Small sound files made in memory for tests: WAV PCM and Ogg Vorbis sine tones.
#pragma once

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

inline void put16(std::string& s, int v)
{
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>((v >> 8) & 0xff);
}

inline void put32(std::string& s, uint32_t v)
{
    put16(s, static_cast<int>(v & 0xffff));
    put16(s, static_cast<int>(v >> 16));
}

// A sine tone of freq Hz as a WAV file; stereo puts the tone on the left only.
inline std::string make_wav(int channels, int bits, int rate, int frames, double freq = 440)
{
    std::string data;
    for (int i = 0; i < frames; ++i) {
        double v = std::sin(2 * M_PI * freq * i / rate) * 0.5;
        for (int c = 0; c < channels; ++c) {
            double x = c == 0 ? v : 0;
            if (bits == 8)
                data += static_cast<char>(static_cast<uint8_t>(128 + std::lround(x * 127)));
            else
                put16(data, static_cast<int>(std::lround(x * 32767)));
        }
    }
    std::string s = "RIFF";
    put32(s, static_cast<uint32_t>(36 + data.size()));
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);
    put16(s, channels);
    put32(s, static_cast<uint32_t>(rate));
    put32(s, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(s, channels * bits / 8);
    put16(s, bits);
    s += "data";
    put32(s, static_cast<uint32_t>(data.size()));
    return s + data;
}

// A sine tone of freq Hz as an Ogg Vorbis file (quality 0.4).
inline std::string make_ogg(int channels, int rate, double seconds, double freq = 440)
{
    vorbis_info vi;
    vorbis_info_init(&vi);
    vorbis_encode_init_vbr(&vi, channels, rate, 0.4f);
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 12345);
    std::string out;
    ogg_page og;
    ogg_packet op;
    auto drain = [&](bool flush) {
        while (flush ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
            out.append(reinterpret_cast<char*>(og.header), og.header_len);
            out.append(reinterpret_cast<char*>(og.body), og.body_len);
        }
    };
    ogg_packet h1, h2, h3;
    vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
    ogg_stream_packetin(&os, &h1);
    ogg_stream_packetin(&os, &h2);
    ogg_stream_packetin(&os, &h3);
    drain(true);
    const long total = static_cast<long>(seconds * rate);
    long done = 0;
    while (true) {
        long n = std::min<long>(4096, total - done);
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (long i = 0; i < n; ++i) {
                float v = static_cast<float>(std::sin(2 * M_PI * freq * (done + i) / rate) * 0.5);
                for (int c = 0; c < channels; ++c)
                    buf[c][i] = v;
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);  // end of stream, or the tail is lost
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                drain(false);
            }
        }
        if (n <= 0)
            break;
    }
    drain(true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

inline std::vector<uint8_t> bytes_of(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}
