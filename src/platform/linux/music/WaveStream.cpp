#include "WaveStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

struct WaveSource {
    int File;
    WaveLayout Layout;
    Sint64 Position = 0;
};

WaveSource* Source(SDL_RWops* stream)
{
    return static_cast<WaveSource*>(stream->hidden.unknown.data1);
}

Sint64 Size(SDL_RWops* stream)
{
    const WaveSource* source = Source(stream);
    return static_cast<Sint64>(source->Layout.Header.size() + source->Layout.DataSize);
}

Sint64 Seek(SDL_RWops* stream, Sint64 offset, int whence)
{
    WaveSource* source = Source(stream);
    const Sint64 base = whence == RW_SEEK_SET ? 0 : whence == RW_SEEK_CUR ? source->Position : Size(stream);
    if (base + offset < 0)
        return Mixer().SDL_SetError("seek before the start of the WAV file");
    source->Position = base + offset;
    return source->Position;
}

size_t Read(SDL_RWops* stream, void* into, size_t size, size_t count)
{
    WaveSource* source = Source(stream);
    const WaveLayout& layout = source->Layout;
    if (size == 0 || count == 0)
        return 0;
    const Sint64 end = Size(stream);
    const size_t wanted = static_cast<size_t>(
        std::min<Sint64>(static_cast<Sint64>(std::min(count, SIZE_MAX / size) * size),
                         std::max<Sint64>(end - source->Position, 0)));
    auto* to = static_cast<uint8_t*>(into);
    size_t done = 0;
    const auto headerSize = static_cast<Sint64>(layout.Header.size());
    if (source->Position < headerSize && wanted > 0) {
        done = std::min(wanted, static_cast<size_t>(headerSize - source->Position));
        std::memcpy(to, layout.Header.data() + source->Position, done);
    }
    while (done < wanted) {
        const auto from = static_cast<off_t>(layout.DataOffset + (source->Position + done - headerSize));
        const ssize_t got = pread(source->File, to + done, wanted - done, from);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    source->Position += static_cast<Sint64>(done);
    return done / size;
}

size_t Write(SDL_RWops*, const void*, size_t, size_t)
{
    Mixer().SDL_SetError("the WAV file is read only");
    return 0;
}

int Close(SDL_RWops* stream)
{
    WaveSource* source = Source(stream);
    close(source->File);
    delete source;
    Mixer().SDL_FreeRW(stream);
    return 0;
}

} // namespace

SDL_RWops* OpenWaveStream(int file, const WaveLayout& layout)
{
    SDL_RWops* stream = Mixer().SDL_AllocRW();
    if (!stream) {
        close(file);
        return nullptr;
    }
    stream->size = Size;
    stream->seek = Seek;
    stream->read = Read;
    stream->write = Write;
    stream->close = Close;
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->hidden.unknown.data1 = new WaveSource{file, layout};
    return stream;
}
