#include "tools/synth/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

#include "tools/synth/song.h"
#include "tools/synth/synth.h"

namespace synth {

namespace {

constexpr float kQuality = 0.4f;          // about 128 kbit/s for stereo
constexpr int kStreamSerial = 0x416c6d62;  // fixed, so the output depends on the samples alone
constexpr size_t kChunkFrames = 4096;

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// The libvorbis state of one encoding, released however the encoding ends.
class Encoder {
public:
    Encoder() {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, 2, kSampleRate, kQuality) != 0) {
            vorbis_info_clear(&info_);
            throw SynthError("the Vorbis encoder refuses 44.1 kHz stereo");
        }
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, kStreamSerial);
    }
    ~Encoder() {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    void WriteHeaders() {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0)
            AppendPage(out_, page);
    }

    // Frames of interleaved stereo; none marks the end.
    void Write(const float* stereo, size_t frames) {
        if (frames > 0) {
            float** channels = vorbis_analysis_buffer(&dsp_, int(frames));
            for (size_t i = 0; i < frames; ++i) {
                channels[0][i] = std::clamp(stereo[2 * i], -1.0f, 1.0f);
                channels[1][i] = std::clamp(stereo[2 * i + 1], -1.0f, 1.0f);
            }
        }
        vorbis_analysis_wrote(&dsp_, int(frames));
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0)
                    AppendPage(out_, page);
            }
        }
    }

    std::vector<uint8_t> Finish() {
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0)
            AppendPage(out_, page);
        return std::move(out_);
    }

private:
    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    std::vector<uint8_t> out_;
};

}  // namespace

std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& stereo) {
    Encoder encoder;
    encoder.WriteHeaders();
    size_t frames = stereo.size() / 2;
    for (size_t done = 0; done < frames; done += kChunkFrames)
        encoder.Write(stereo.data() + 2 * done, std::min(kChunkFrames, frames - done));
    encoder.Write(nullptr, 0);
    return encoder.Finish();
}

}  // namespace synth
