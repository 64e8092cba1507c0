#include "engine/sound/ogg_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/sound/sound_manager.h"
#include "engine/sound/sound_state.h"

namespace {

// Sounds shorter than this are decoded whole when preloaded.
constexpr double kDecodeWholeBelowSeconds = 2.0;
// Longer sounds stay compressed even when asked to be decoded whole (five minutes of 44.1 kHz
// stereo take 53 MB).
constexpr uint64_t kMaxDecodedBytes = 256u << 20;

// The decoder position after a failed seek: the next read seeks again.
constexpr uint32_t kUnknownPosition = 0xFFFFFFFF;

// The compressed file held in memory.
struct TOggMemoryFile {
    std::vector<uint8_t> data;
    uint32_t position = 0;
};

size_t FileReadCallback(void* buffer, size_t size, size_t count, void* source) {
    auto* file = static_cast<TFile*>(source);
    if (size == 0)
        return 0;
    size_t wanted = std::min<size_t>(size * count, INT32_MAX);
    int32_t got = FileRead(file, buffer, static_cast<int32_t>(wanted));
    if (got <= 0)
        return 0;
    int32_t partial = static_cast<int32_t>(static_cast<size_t>(got) % size);
    if (partial != 0)
        FileSeek(file, -partial, kSeekCurrent);
    return static_cast<size_t>(got) / size;
}

int FileSeekCallback(void* source, ogg_int64_t offset, int whence) {
    int origin = whence == SEEK_SET ? kSeekStart : whence == SEEK_CUR ? kSeekCurrent : kSeekEnd;
    FileSeek(static_cast<TFile*>(source), static_cast<int32_t>(offset), origin);
    return 0;
}

int FileCloseCallback(void* source) {
    FileClose(static_cast<TFile*>(source));
    return 0;
}

long FileTellCallback(void* source) {
    return FileTell(static_cast<TFile*>(source));
}

size_t MemoryReadCallback(void* buffer, size_t size, size_t count, void* source) {
    auto* file = static_cast<TOggMemoryFile*>(source);
    size_t available = file->data.size() - file->position;
    size_t bytes = std::min(size * count, available);
    if (bytes == 0)
        return 0;
    std::memcpy(buffer, file->data.data() + file->position, bytes);
    file->position += static_cast<uint32_t>(bytes);
    return bytes;
}

int MemorySeekCallback(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<TOggMemoryFile*>(source);
    ogg_int64_t size = static_cast<ogg_int64_t>(file->data.size());
    ogg_int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = offset;
        break;
    case SEEK_CUR:
        target = file->position + offset;
        break;
    case SEEK_END:
        target = size + offset;
        break;
    default:
        return -1;
    }
    file->position = static_cast<uint32_t>(std::clamp<ogg_int64_t>(target, 0, size));
    return 0;
}

int MemoryCloseCallback(void* source) {
    delete static_cast<TOggMemoryFile*>(source);
    return 0;
}

long MemoryTellCallback(void* source) {
    return static_cast<TOggMemoryFile*>(source)->position;
}

const ov_callbacks kFileCallbacks = {FileReadCallback, FileSeekCallback, FileCloseCallback, FileTellCallback};
const ov_callbacks kMemoryCallbacks = {MemoryReadCallback, MemorySeekCallback, MemoryCloseCallback,
                                       MemoryTellCallback};

// Reads the rest of an open file into memory and closes it.
TOggMemoryFile* ReadWholeFile(TFile* file) {
    FileSeek(file, 0, kSeekEnd);
    int32_t size = std::max(FileTell(file), 0);
    FileSeek(file, 0, kSeekStart);
    auto* memory = new TOggMemoryFile;
    memory->data.resize(static_cast<size_t>(size));
    int32_t got = FileRead(file, memory->data.data(), size);
    memory->data.resize(static_cast<size_t>(std::max(got, 0)));
    FileClose(file);
    return memory;
}

class TOggDataSourceBuilder : public TSoundDataSourceBuilder {
public:
    std::shared_ptr<TSoundDataSource> Build(const TString& name, bool stream) override {
        auto source = std::make_shared<TOggDataSource>();
        if (!source->Open(name, stream))
            return nullptr;
        if (stream)
            return source;
        bool decodeWhole = source->GetDuration() < kDecodeWholeBelowSeconds || IsEnabled("keepogguncompressed");
        if (decodeWhole && source->GetLength() <= kMaxDecodedBytes)
            return std::make_shared<TMemDataSource>(*source);
        return source;
    }
};

}  // namespace

TOggDataSource::~TOggDataSource() {
    Clear();
}

void TOggDataSource::Clear() {
    if (decoder_ == nullptr)
        return;
    ov_clear(decoder_);
    delete decoder_;
    decoder_ = nullptr;
}

bool TOggDataSource::Open(const TString& name, bool streamFromFile) {
    Clear();
    TFile* file = FileOpen(name, kFileReadBinary);
    if (file == nullptr)
        file = FileOpen(name + ".ogg", kFileReadBinary);
    if (file == nullptr)
        return false;
    if (streamFromFile)
        return OpenDecoder(file, false);
    return OpenDecoder(ReadWholeFile(file), true);
}

// Opens the decoder on file (a TFile, or a TOggMemoryFile when fromMemory); the decoder owns it
// from here on, or it is closed here when the decoder cannot be opened.
bool TOggDataSource::OpenDecoder(void* file, bool fromMemory) {
    decoder_ = new OggVorbis_File{};
    const ov_callbacks& callbacks = fromMemory ? kMemoryCallbacks : kFileCallbacks;
    if (ov_open_callbacks(file, decoder_, nullptr, 0, callbacks) != 0) {
        callbacks.close_func(file);
        delete decoder_;
        decoder_ = nullptr;
        LogPrintf("OGG file could not be opened");
        return false;
    }
    vorbis_info* info = ov_info(decoder_, -1);
    ogg_int64_t frames = ov_pcm_total(decoder_, -1);
    double duration = ov_time_total(decoder_, -1);
    // A damaged file may open yet give no usable shape: refuse it as unopenable.
    if (info == nullptr || info->channels <= 0 || info->rate <= 0 || frames < 0 || duration < 0) {
        Clear();
        LogPrintf("OGG file could not be opened");
        return false;
    }
    sampleRate_ = static_cast<uint32_t>(info->rate);
    channels_ = static_cast<uint32_t>(info->channels);
    duration_ = duration;
    length_ = static_cast<uint64_t>(frames) * channels_ * 2;
    ov_pcm_seek(decoder_, 0);
    decoderPosition_ = 0;
    return true;
}

uint32_t TOggDataSource::Read(void* buffer, uint32_t position, uint32_t count) {
    TSoundLock lock;
    if (decoder_ == nullptr || position >= length_)
        return 0;
    if (position != decoderPosition_) {
        if (ov_pcm_seek(decoder_, position / (2 * channels_)) != 0) {
            decoderPosition_ = kUnknownPosition;
            return 0;
        }
        decoderPosition_ = position;
    }
    auto* out = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        int section = 0;
        int chunk = static_cast<int>(std::min<uint32_t>(count - done, 1 << 16));
        long got = ov_read(decoder_, out + done, chunk, 0, 2, 1, &section);
        if (got <= 0)
            break;
        done += static_cast<uint32_t>(got);
    }
    decoderPosition_ += done;
    return done;
}

void RegisterOggSourceBuilder() {
    SoundState& state = GetSoundState();
    if (!state.oggBuilder) state.oggBuilder = std::make_unique<TOggDataSourceBuilder>();
    RegisterDataSourceBuilder("ogg", state.oggBuilder.get());
}
