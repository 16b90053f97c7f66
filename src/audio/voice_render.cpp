// Choosing the voice loop.
#include "audio/voice_render.h"

#include "audio/voice_render_parts.h"

bool MixLoopAvailable(MixLoop loop) {
    switch (loop) {
        case MixLoop::Reference:
        case MixLoop::Portable:
            return true;
        case MixLoop::Sse2:
            return voice_render::Sse2Built();
        case MixLoop::Avx2:
            return voice_render::Avx2Built();
    }
    return false;
}

MixLoop BestMixLoop() {
    if (MixLoopAvailable(MixLoop::Avx2)) return MixLoop::Avx2;
    if (MixLoopAvailable(MixLoop::Sse2)) return MixLoop::Sse2;
    return MixLoop::Portable;
}

const char* MixLoopName(MixLoop loop) {
    switch (loop) {
        case MixLoop::Reference:
            return "reference";
        case MixLoop::Portable:
            return "portable";
        case MixLoop::Sse2:
            return "sse2";
        case MixLoop::Avx2:
            return "avx2";
    }
    return "?";
}

bool RenderVoice(MixLoop loop, SynthVoice& voice, int32_t* sum, uint32_t cadenceBase) {
    // A loop this processor cannot run falls back to the best one it can.
    if (!MixLoopAvailable(loop)) loop = BestMixLoop();
    switch (loop) {
        case MixLoop::Reference:
            return voice_render::RenderVoiceReference(voice, sum, cadenceBase);
        case MixLoop::Portable:
            return voice_render::RenderVoicePortable(voice, sum, cadenceBase);
        case MixLoop::Sse2:
            return voice_render::RenderVoiceSse2(voice, sum, cadenceBase);
        case MixLoop::Avx2:
            return voice_render::RenderVoiceAvx2(voice, sum, cadenceBase);
    }
    return voice_render::RenderVoiceReference(voice, sum, cadenceBase);
}
