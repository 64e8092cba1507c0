#include "tests/engine/sound/sound_test_util.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"

namespace soundtest {

namespace {

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

std::map<std::string, std::vector<uint8_t>>& Files() {
    static std::map<std::string, std::vector<uint8_t>> files;
    return files;
}

}  // namespace

std::vector<uint8_t> EncodeTone(uint32_t rate, uint32_t channels, uint32_t frames) {
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, static_cast<long>(channels), static_cast<long>(rate), 0.1f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::vector<uint8_t> out;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);

    const uint32_t chunk = 1024;
    for (uint32_t done = 0; done <= frames;) {
        uint32_t count = std::min(chunk, frames - done);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (uint32_t i = 0; i < count; ++i) {
                float value = 0.5f * std::sin(2.0f * 3.14159265f * 440.0f * float(done + i) / float(rate));
                for (uint32_t c = 0; c < channels; ++c)
                    buffer[c][i] = value;
            }
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));  // 0 marks the end
        done += count;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    AppendPage(out, page);
            }
        }
        if (count == 0)
            break;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

void AddFile(const std::string& name, std::vector<uint8_t> bytes) {
    std::vector<uint8_t>& stored = Files()[name];
    stored = std::move(bytes);
    stored.reserve(1);  // an empty file still needs an address
    RegisterMemoryFile(name.c_str(), stored.data(), stored.size());
}

void ForgetFiles() {
    for (const auto& [name, bytes] : Files())
        RegisterMemoryFile(name.c_str(), nullptr, 0);
    Files().clear();
}

int16_t TRampSource::SampleOf(uint32_t frame, uint32_t channel) {
    auto value = static_cast<int16_t>(frame % 30000);
    return channel == 0 ? value : static_cast<int16_t>(-value);
}

uint32_t TRampSource::Read(void* buffer, uint32_t position, uint32_t count) {
    uint64_t length = uint64_t(frames_) * channels_ * 2;  // the real length, whatever is claimed
    if (position >= length)
        return 0;
    count = static_cast<uint32_t>(std::min<uint64_t>(count, length - position));
    auto* out = static_cast<uint8_t*>(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t byte = position + i;
        uint32_t sample = byte / 2;
        int16_t value = SampleOf(sample / channels_, sample % channels_);
        uint8_t pair[2];
        std::memcpy(pair, &value, 2);
        out[i] = pair[byte % 2];
    }
    return count;
}

LogCapture::LogCapture() {
    static int serial = 0;
    folder_ = (std::filesystem::temp_directory_path() /
               ("alembria-sound-" + std::to_string(::getpid()) + "-" + std::to_string(++serial)))
                  .string();
    std::filesystem::remove_all(folder_);
    LogInit(folder_.c_str());
}

LogCapture::~LogCapture() {
    LogInit(nullptr);
    std::filesystem::remove_all(folder_);
}

std::string LogCapture::Text() const {
    std::ifstream in(std::filesystem::path(folder_) / "logfile.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace soundtest
