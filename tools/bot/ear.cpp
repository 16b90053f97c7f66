#include "bot/ear.h"

#include <cmath>

#include "audio/fx_player.h"
#include "platform/dsound.h"

namespace bot {

std::vector<HeardNote> Ear::Listen(const FxPlayer* effects, uint32_t now) {
    std::vector<HeardNote> heard;
    if (!effects) return heard;
    if (seen_.size() < effects->SlotCount()) seen_.resize(effects->SlotCount());
    for (uint32_t i = 0; i < effects->SlotCount(); ++i) {
        const FxSlot* slot = effects->Slot(static_cast<int>(i));
        Seen& seen = seen_[i];
        if (!slot || !slot->buffer) {
            seen = Seen{};
            continue;
        }
        // A voice loaded since the last look may have sounded already.
        const bool fresh = seen.buffer != slot->buffer;
        const bool began = fresh || slot->starts < seen.starts ? slot->starts > 0 : slot->starts > seen.starts;
        seen = Seen{slot->buffer, slot->starts};
        if (!began || (slot->effect != kHumEffect && slot->effect != kKeyNoteEffect)) continue;
        platform::DWORD frequency = 0;
        platform::WAVEFORMATEX format{};
        slot->buffer->GetFrequency(&frequency);
        slot->buffer->GetFormat(&format, sizeof format, nullptr);
        if (frequency == 0 || format.nSamplesPerSec == 0) continue;
        const double cents = 1200.0 * std::log2(double(frequency) / double(format.nSamplesPerSec));
        heard.push_back(HeardNote{slot->effect, static_cast<int32_t>(std::lround(cents)), now});
    }
    return heard;
}

}  // namespace bot
