// The sound module's entry: everything of SDL lives in this library.
#include "sound/front/sdl/SdlDevice.h"
#include "sound/front/sdl/WaveStream.h"

#include <SDL.h>

namespace {

class SdlModule : public SoundModule
{
public:
    SdlModule()
    {
        // SDL would otherwise take over SIGINT and SIGTERM from the program.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // A wave file cut short is refused rather than played in part; its fact chunk gives the length.
        SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
        SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
    }
    std::unique_ptr<OutputDevice> makeDevice() override { return std::make_unique<SdlDevice>(); }
    std::unique_ptr<DecodedStream> openStream(const QString &path, std::unique_ptr<QIODevice> data) override
    {
        return WaveStream::open(path, SdlDevice::spec(), std::move(data));
    }
    void threadEnds() override { SDL_TLSCleanup(); }
};

} // namespace

extern "C" __attribute__((visibility("default"))) SoundModule *chimewell_make_sound_module()
{
    return new SdlModule;
}
