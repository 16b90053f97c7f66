// A movie file: read as the movie device reads it, then every frame decoded
// as playing does, and the sound block taken apart.
#include <vector>

#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "platform/avi_reader.h"
#include "platform/messages.h"
#include "shell/movie_player.h"

namespace tw_fuzz {

int Movie(const uint8_t* data, size_t size) {
    platform::avi::AviFile file;
    std::string why;
    if (!platform::avi::ParseAvi(std::vector<uint8_t>(data, data + size), &file, &why)) return 0;
    platform::avi::FrameDecoder decoder(file);
    unsigned sum = 0;
    while (decoder.DecodeNext()) sum += decoder.pixels()[0] + decoder.palette()[255].red;
    decoder.Rewind();
    decoder.DecodeNext();
    // And as the start-up plays it: through the movie device, full screen.
    const std::string path = WriteInput("movie.avi", data, size);
    shell::MoviePlayer player(Env().window);
    if (player.Open(path.c_str())) {
        player.Play();
        RunFor(1500);
        player.Stop();
        player.Close();
    }
    platform::MSG message;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
    ForgetBoxes();
    return sum == 0xFFFFFFFFu ? 1 : 0;
}

}  // namespace tw_fuzz
