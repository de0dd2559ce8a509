#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include <vorbis/vorbisenc.h>

namespace artgen {
namespace {

    constexpr int kRate = 22050;
    constexpr double kPi = 3.14159265358979323846;

    uint32_t Hash(const std::string& text)
    {
        uint32_t h = 2166136261u;
        for (unsigned char c : text)
            h = (h ^ c) * 16777619u;
        return h;
    }

    // A pentatonic scale, so every placeholder sounds tolerable.
    double Note(int step)
    {
        static const int semitones[] = { 0, 2, 4, 7, 9 };
        const int octave = step / 5, degree = step % 5;
        return 261.63 * std::pow(2.0, octave + semitones[degree] / 12.0);
    }

    // Notes one after another, each a soft sine with a quick attack and decay.
    std::vector<float> Render(const std::vector<double>& notes, double seconds)
    {
        const size_t total = static_cast<size_t>(seconds * kRate);
        std::vector<float> samples(total, 0.0f);
        const size_t per = std::max<size_t>(1, total / notes.size());
        for (size_t n = 0; n < notes.size(); ++n) {
            for (size_t i = 0; i < per && n * per + i < total; ++i) {
                const double t = static_cast<double>(i) / kRate;
                const double attack = std::min(1.0, t / 0.005);
                const double decay = std::exp(-3.0 * t / (static_cast<double>(per) / kRate));
                const double tone = std::sin(2 * kPi * notes[n] * t) + 0.3 * std::sin(4 * kPi * notes[n] * t);
                samples[n * per + i] = static_cast<float>(0.4 * attack * decay * tone);
            }
        }
        return samples;
    }

    void Put16(std::vector<uint8_t>& out, uint32_t v)
    {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }

    void Put32(std::vector<uint8_t>& out, uint32_t v)
    {
        Put16(out, v & 0xFFFF);
        Put16(out, v >> 16);
    }

    std::vector<uint8_t> Wav(const std::vector<float>& samples)
    {
        const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
        std::vector<uint8_t> out;
        out.insert(out.end(), { 'R', 'I', 'F', 'F' });
        Put32(out, 36 + data);
        out.insert(out.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
        Put32(out, 16);
        Put16(out, 1); // PCM
        Put16(out, 1); // mono
        Put32(out, kRate);
        Put32(out, kRate * 2); // bytes per second
        Put16(out, 2); // bytes per frame
        Put16(out, 16); // bits per sample
        out.insert(out.end(), { 'd', 'a', 't', 'a' });
        Put32(out, data);
        for (float s : samples)
            Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767))));
        return out;
    }

    bool Ogg(const std::vector<float>& samples, int serial, std::vector<uint8_t>& out)
    {
        vorbis_info info;
        vorbis_info_init(&info);
        if (vorbis_encode_init_vbr(&info, 1, kRate, 0.2f) != 0) {
            vorbis_info_clear(&info);
            return false;
        }
        vorbis_comment comment;
        vorbis_comment_init(&comment);
        vorbis_comment_add_tag(&comment, "ENCODER", "vandrel art generator");
        vorbis_dsp_state dsp;
        vorbis_block block;
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_state stream;
        ogg_stream_init(&stream, serial);

        ogg_page page;
        ogg_packet packet;
        auto emit = [&](const ogg_page& p) {
            out.insert(out.end(), p.header, p.header + p.header_len);
            out.insert(out.end(), p.body, p.body + p.body_len);
        };
        ogg_packet header, headerComment, headerCode;
        vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
        ogg_stream_packetin(&stream, &header);
        ogg_stream_packetin(&stream, &headerComment);
        ogg_stream_packetin(&stream, &headerCode);
        while (ogg_stream_flush(&stream, &page))
            emit(page);

        constexpr size_t kChunk = 4096;
        for (size_t at = 0;; at += kChunk) {
            const size_t n = std::min(kChunk, samples.size() - std::min(at, samples.size()));
            if (n > 0) {
                float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
                std::copy(samples.begin() + at, samples.begin() + at + n, buffer[0]);
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(n)); // 0 marks the end
            while (vorbis_analysis_blockout(&dsp, &block) == 1) {
                vorbis_analysis(&block, nullptr);
                vorbis_bitrate_addblock(&block);
                while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                    ogg_stream_packetin(&stream, &packet);
                    while (ogg_stream_pageout(&stream, &page))
                        emit(page);
                }
            }
            if (n == 0)
                break;
        }
        while (ogg_stream_flush(&stream, &page))
            emit(page);

        ogg_stream_clear(&stream);
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
        return true;
    }

} // namespace

bool WriteSound(const std::string& root, const SoundEntry& entry, std::string& error)
{
    const std::filesystem::path path = std::filesystem::path(root) / entry.path;
    const std::string stem = path.stem().string();
    const uint32_t h = Hash(stem);
    const bool music = path.extension() == ".ogg";

    // Effects: two or three notes; music: a slow arpeggio up and down.
    std::vector<double> notes;
    const int base = static_cast<int>(h % 7);
    if (music) {
        for (int i : { 0, 2, 4, 7, 4, 2, 0, 2, 4, 7, 9, 7, 4, 2, 1, 0 })
            notes.push_back(Note(base + i) / 2);
    } else {
        const int count = 2 + static_cast<int>((h >> 8) % 2);
        for (int i = 0; i < count; ++i)
            notes.push_back(Note(5 + base + i * (1 + static_cast<int>((h >> 12) % 3))));
    }
    const std::vector<float> samples = Render(notes, entry.seconds);

    std::vector<uint8_t> bytes;
    if (music) {
        if (!Ogg(samples, static_cast<int>(h & 0x7FFFFFFF), bytes)) {
            error = entry.path + ": the Vorbis encoder refused its settings";
            return false;
        }
    } else {
        bytes = Wav(samples);
    }
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        error = path.string() + ": cannot write";
        return false;
    }
    return true;
}

} // namespace artgen
