// The two start-up movies: "Movie\logo.avi", a paw print bouncing among
// floating notes while the name drops in letter by letter (3 s), and
// "Movie\movie.avi", the title card: a dog walking over green hills under a
// wavy title, with a little jingle (6 s). 320 x 240 (the player scales it to
// the window), 15 frames a second, RLE8, fades done by palette changes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assetgen/generators.h"
#include "assetgen/movies_canvas.h"
#include "assetgen/movies_palette.h"
#include "assetgen/sound_dsp.h"
#include "platform/avi_writer.h"

namespace assetgen {
namespace {

using platform::PaletteEntry;
using platform::avi::MovieFrame;
using platform::avi::MovieSound;
using platform::avi::MovieDescription;
using platform::avi::Palette;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kFramesPerSecond = 15;
constexpr int kFadeLevels = 16;

using namespace movie_palette;
constexpr uint8_t kRainbow[] = {kRed, kOrange, kYellow, kGreen, kCyan, kBlue, kPurple, kPink};

struct Rgb {
    int r, g, b;
};

void Ramp(Palette& p, int first, int steps, Rgb from, Rgb to) {
    for (int i = 0; i < steps; ++i) {
        const int d = steps > 1 ? steps - 1 : 1;
        p[first + i] = PaletteEntry{uint8_t(from.r + (to.r - from.r) * i / d),
                                    uint8_t(from.g + (to.g - from.g) * i / d),
                                    uint8_t(from.b + (to.b - from.b) * i / d), 0};
    }
}

Palette BasePalette(Rgb backdropTop, Rgb backdropBottom) {
    Palette p{};
    Ramp(p, kBackdrop, kBackdropSteps, backdropTop, backdropBottom);
    Ramp(p, kHills, kHillSteps, Rgb{110, 200, 90}, Rgb{30, 110, 45});
    const struct {
        uint8_t index;
        Rgb colour;
    } named[] = {
        {kWhite, {255, 255, 255}},   {kYellow, {255, 221, 51}},  {kOrange, {255, 150, 40}},
        {kRed, {235, 64, 64}},       {kPink, {255, 120, 190}},   {kPurple, {160, 90, 220}},
        {kBlue, {70, 130, 240}},     {kCyan, {60, 210, 230}},    {kGreen, {90, 200, 80}},
        {kBrown, {150, 95, 50}},     {kDark, {30, 20, 50}},      {kCream, {255, 240, 210}},
        {kLightBrown, {205, 150, 95}}, {kStarDim, {150, 150, 200}}, {kSun, {255, 235, 120}},
        {kSunRay, {255, 205, 80}},
    };
    for (const auto& n : named)
        p[n.index] = PaletteEntry{uint8_t(n.colour.r), uint8_t(n.colour.g), uint8_t(n.colour.b), 0};
    return p;
}

Palette Dimmed(const Palette& base, int level) {
    Palette p = base;
    for (PaletteEntry& e : p) {
        e.red = uint8_t(e.red * level / kFadeLevels);
        e.green = uint8_t(e.green * level / kFadeLevels);
        e.blue = uint8_t(e.blue * level / kFadeLevels);
    }
    return p;
}

// Brightness of frame f: up over fadeIn frames, down over the last fadeOut.
int FadeLevel(int f, int frames, int fadeIn, int fadeOut) {
    int level = kFadeLevels;
    if (f < fadeIn) level = std::min(level, f * kFadeLevels / fadeIn);
    const int left = frames - 1 - f;
    if (left < fadeOut) level = std::min(level, left * kFadeLevels / fadeOut);
    return level;
}

// Frames plus the palette changes that fade them in and out.
MovieDescription Assemble(const std::vector<std::vector<uint8_t>>& pictures, const Palette& base, int fadeIn,
                   int fadeOut) {
    MovieDescription movie;
    movie.width = kWidth;
    movie.height = kHeight;
    movie.rate = kFramesPerSecond;
    movie.scale = 1;
    movie.rle8 = true;
    const int frames = int(pictures.size());
    int shownLevel = FadeLevel(0, frames, fadeIn, fadeOut);
    movie.palette = Dimmed(base, shownLevel);
    for (int f = 0; f < frames; ++f) {
        MovieFrame frame;
        frame.pixels = pictures[f];
        const int level = FadeLevel(f, frames, fadeIn, fadeOut);
        if (level != shownLevel) frame.palette = Dimmed(base, level);
        shownLevel = level;
        movie.frames.push_back(std::move(frame));
    }
    return movie;
}

// Small deterministic random numbers for star and note positions.
struct Lcg {
    uint32_t state;
    int Next(int range) {
        state = state * 214013u + 2531011u;
        return int((state >> 16) & 0x7FFF) % range;
    }
};

void DrawNote(Canvas& c, int x, int y, uint8_t colour, bool twin) {
    // Head, stem and flag, outlined in the dark colour.
    c.FillRect(x + 4, y - 19, 4, 21, kDark);
    c.OutlinedEllipse(x, y, 6, 4, colour, kDark, 1);
    c.FillRect(x + 5, y - 18, 2, 19, colour);
    if (twin) {
        c.FillRect(x + 4, y - 20, 20, 5, kDark);
        c.FillRect(x + 21, y - 20, 4, 20, kDark);
        c.OutlinedEllipse(x + 17, y - 1, 6, 4, colour, kDark, 1);
        c.FillRect(x + 5, y - 19, 18, 3, colour);
        c.FillRect(x + 22, y - 19, 2, 19, colour);
    } else {
        for (int i = 0; i < 4; ++i) c.FillRect(x + 7 + i, y - 18 + 2 * i, 3, 3, colour);
    }
}

void DrawPaw(Canvas& c, int x, int y, int squash) {
    c.OutlinedEllipse(x, y + 10, 22 + squash, 17 - squash, kOrange, kDark, 2);
    c.OutlinedEllipse(x - 25, y - 12, 8, 10, kOrange, kDark, 2);
    c.OutlinedEllipse(x - 9, y - 24, 8, 11, kOrange, kDark, 2);
    c.OutlinedEllipse(x + 9, y - 24, 8, 11, kOrange, kDark, 2);
    c.OutlinedEllipse(x + 25, y - 12, 8, 10, kOrange, kDark, 2);
    c.FillEllipse(x - 6, y + 4, 6, 4, kYellow);  // a shine on the pad
}

void DrawShadowedText(Canvas& c, const std::string& text, int x, int y, int cell, uint8_t colour) {
    c.DrawText(text, x + cell / 2 + 1, y + cell / 2 + 1, cell, kDark);
    c.DrawText(text, x, y, cell, colour);
}

std::vector<uint8_t> LogoFrame(int f) {
    Canvas c(kWidth, kHeight);
    c.VerticalRamp(0, kHeight, kBackdrop, kBackdropSteps);

    Lcg stars{7};
    for (int i = 0; i < 40; ++i) {
        const int x = stars.Next(kWidth), y = stars.Next(150);
        const uint8_t colour = (f / 3 + i) % 5 ? kWhite : kStarDim;
        c.Plot(x, y, colour);
        if (i % 4 == 0) {
            c.Plot(x - 1, y, colour), c.Plot(x + 1, y, colour);
            c.Plot(x, y - 1, colour), c.Plot(x, y + 1, colour);
        }
    }

    Lcg notes{11};
    for (int i = 0; i < 7; ++i) {
        const int x0 = 20 + notes.Next(kWidth - 50), speed = 2 + notes.Next(3), phase = notes.Next(300);
        const int y = kHeight + 20 - (f * speed + phase) % (kHeight + 60);
        const int x = x0 + SineTurn64(f * 2 + i * 9) * 10 / 256;
        DrawNote(c, x, y, kRainbow[(i * 3) % 8], i % 3 == 0);
    }

    // The paw bounces every 15 frames and squashes when it lands.
    const int period = 15, t = f % period;
    const int lift = 4 * 26 * t * (period - t) / (period * period);
    DrawPaw(c, kWidth / 2, 92 - lift, t == 0 ? 3 : 0);

    // The name drops in letter by letter.
    const std::string name = "TUNEWANDER";
    const int cell = 4;
    const int x0 = (kWidth - Canvas::TextWidth(name, cell)) / 2;
    for (size_t i = 0; i < name.size(); ++i) {
        const int appear = 6 + 2 * int(i), falling = appear + 5 - f;
        if (f < appear) continue;
        const int dy = falling > 0 ? -falling * falling * 3 : 0;
        const int x = x0 + int(i) * (Canvas::kGlyphWidth + 1) * cell;
        c.DrawGlyph(name[i], x + 3, 160 + dy + 3, cell, kDark);
        c.DrawGlyph(name[i], x, 160 + dy, cell, kRainbow[i % 8]);
    }
    return c.pixels();
}

int HillTop(int x, bool front) {
    return front ? 190 + SineTurn64(x / 5 + 8) * 9 / 256 : 150 + SineTurn64(x / 7 + 20) * 14 / 256;
}

void DrawDog(Canvas& c, int x, int y, int f) {
    const int step = (f / 2) % 2 ? 3 : -3;
    // Legs first, so the body covers their tops.
    for (int leg = 0; leg < 4; ++leg) {
        const int lx = x - 14 + leg * 9 + ((leg % 2) ? step : -step);
        c.FillRect(lx - 1, y + 4, 6, 15, kDark);
        c.FillRect(lx, y + 4, 4, 14, kLightBrown);
    }
    // Tail wags.
    const int wag = (f / 3) % 2 ? -4 : 2;
    c.FillRect(x - 26, y - 8 + wag, 9, 5, kDark);
    c.FillRect(x - 25, y - 7 + wag, 8, 3, kLightBrown);
    c.OutlinedEllipse(x, y, 20, 10, kLightBrown, kDark, 1);
    c.FillEllipse(x + 2, y + 3, 12, 5, kCream);
    c.OutlinedEllipse(x + 20, y - 12, 10, 9, kLightBrown, kDark, 1);  // head
    c.OutlinedEllipse(x + 28, y - 8, 6, 4, kCream, kDark, 1);         // snout
    c.FillEllipse(x + 33, y - 10, 2, 2, kDark);                       // nose
    c.FillEllipse(x + 22, y - 15, 2, 2, kDark);                       // eye
    c.OutlinedEllipse(x + 13, y - 10, 4, 8, kBrown, kDark, 1);        // ear
}

std::vector<uint8_t> TitleFrame(int f, int frames) {
    Canvas c(kWidth, kHeight);
    c.VerticalRamp(0, 170, kBackdrop, kBackdropSteps);

    // Sun with turning rays.
    for (int ray = 0; ray < 8; ++ray) {
        const int turn = ray * 8 + f;
        c.FillEllipse(272 + SineTurn64(turn + 16) * 27 / 256, 38 + SineTurn64(turn) * 27 / 256, 4, 4,
                      kSunRay);
    }
    c.FillEllipse(272, 38, 18, 18, kSun);

    // Clouds drift left.
    for (int i = 0; i < 3; ++i) {
        const int x = (i * 130 + 400 - f) % 400 - 40, y = 24 + i * 17;
        c.FillEllipse(x, y, 20, 9, kWhite);
        c.FillEllipse(x + 14, y - 6, 12, 9, kWhite);
        c.FillEllipse(x + 26, y, 14, 7, kWhite);
    }

    // Two rows of hills, shaded darker towards the bottom.
    for (int x = 0; x < kWidth; ++x) {
        for (int y = HillTop(x, false); y < kHeight; ++y)
            c.Plot(x, y, uint8_t(kHills + std::min(kHillSteps / 2 - 1, (y - 130) / 8)));
        for (int y = HillTop(x, true); y < kHeight; ++y)
            c.Plot(x, y, uint8_t(kHills + kHillSteps / 2 + std::min(kHillSteps / 2 - 1, (y - 180) / 4)));
    }

    // The dog walks across, and a note rises from it every ten frames.
    const int dogX = -40 + f * 400 / (frames - 1);
    const int dogY = HillTop(dogX, true) - 20;
    for (int born = 0; born <= f; born += 10) {
        const int age = f - born;
        const int bornX = -40 + born * 400 / (frames - 1);
        const int x = bornX + 20 + SineTurn64(age * 3) * 8 / 256;
        const int y = HillTop(bornX, true) - 50 - age * 3;
        if (y > -30) DrawNote(c, x, y, kRainbow[(born / 10) % 8], (born / 10) % 2 == 1);
    }
    DrawDog(c, dogX, dogY, f);

    // A wavy rainbow title, and the line under it once the title has settled in.
    const std::string title = "TUNEWANDER";
    const int cell = 5;
    const int x0 = (kWidth - Canvas::TextWidth(title, cell)) / 2;
    for (size_t i = 0; i < title.size(); ++i) {
        const int x = x0 + int(i) * (Canvas::kGlyphWidth + 1) * cell;
        const int y = 52 + SineTurn64(f * 3 + int(i) * 6) * 6 / 256;
        c.DrawGlyph(title[i], x + 3, y + 3, cell, kDark);
        c.DrawGlyph(title[i], x, y, cell, kRainbow[(i + size_t(f / 4)) % 8]);
    }
    if (f >= 20) {
        const std::string line = "A MUSICAL ADVENTURE";
        DrawShadowedText(c, line, (kWidth - Canvas::TextWidth(line, 2)) / 2, 104, 2, kWhite);
    }
    return c.pixels();
}

// The jingle: a triangle-wave tune over a bass line, 22050 Hz 16-bit mono.
std::vector<uint8_t> Jingle(int seconds) {
    constexpr int kRate = 22050;
    constexpr int kEighth = kRate / 5;  // 150 beats a minute
    // MIDI note numbers, one per eighth; 0 holds the note before.
    const int melody[] = {72, 76, 79, 76, 72, 74, 76, 0,  77, 81, 79, 77, 76, 74, 72, 0,
                          72, 76, 79, 84, 81, 79, 77, 76, 74, 79, 72, 0,  0,  0};
    const int bass[] = {48, 0, 0, 0, 48, 0, 0, 0, 53, 0, 0, 0, 48, 0, 0, 0,
                        48, 0, 0, 0, 53, 0, 0, 0, 55, 0, 48, 0, 0, 0};
    // Milli-hertz of C4 .. B4.
    const uint64_t octave4[12] = {261626, 277183, 293665, 311127, 329628, 349228,
                                  369994, 391995, 415305, 440000, 466164, 493883};
    auto step = [&](int note) {
        uint64_t mhz = octave4[note % 12];
        const int octave = note / 12 - 5;
        mhz = octave >= 0 ? mhz << octave : mhz >> -octave;
        return uint32_t((mhz << 32) / (uint64_t(kRate) * 1000));
    };
    auto triangle = [](uint32_t phase) {
        const int p = int(phase >> 16);
        return p < 32768 ? p * 2 - 32768 : (65535 - p) * 2 - 32768;
    };
    struct Voice {
        uint32_t phase = 0, step = 0;
        int start = 0, end = 0;  // samples of the note being played
    };
    auto envelope = [](const Voice& v, int i) {  // 0..1024
        const int age = i - v.start, left = v.end - i;
        int e = age < 200 ? age * 1024 / 200 : 1024 - std::min(400, (age - 200) / 20);
        if (left < 600) e = e * std::max(0, left) / 600;
        return e;
    };
    const int total = kRate * seconds;
    const int notes = int(sizeof melody / sizeof melody[0]);
    auto noteEnd = [&](const int* line, int k) {
        int e = k + 1;
        while (e < notes && line[e] == 0) ++e;
        return std::min(total, e * kEighth);
    };
    std::vector<uint8_t> pcm;
    pcm.reserve(size_t(total) * 2);
    dsp::Signal level;
    level.reserve(size_t(total));
    Voice tune, low;
    for (int i = 0; i < total; ++i) {
        const int k = i / kEighth;
        if (i % kEighth == 0 && k < notes) {
            if (melody[k]) tune = Voice{0, step(melody[k]), i, noteEnd(melody, k)};
            if (bass[k]) low = Voice{0, step(bass[k]), i, noteEnd(bass, k)};
        }
        int sample = 0;
        if (i < tune.end) sample += triangle(tune.phase) / 4 * envelope(tune, i) / 1024;
        if (i < low.end) sample += triangle(low.phase) / 6 * envelope(low, i) / 1024;
        tune.phase += tune.step;
        low.phase += low.step;
        level.push_back(float(sample) / 32768.0f);
    }
    // On the game's loudness scale, so the start-up is no louder than play.
    dsp::LevelTo(level, dsp::kForegroundLoudnessDb, 0.89f);
    for (float v : level) {
        const uint16_t bits = uint16_t(int16_t(std::lround(v * 32767.0f)));
        pcm.push_back(uint8_t(bits & 0xFF));
        pcm.push_back(uint8_t(bits >> 8));
    }
    return pcm;
}

MovieDescription LogoMovie() {
    const int frames = 3 * kFramesPerSecond;
    std::vector<std::vector<uint8_t>> pictures;
    for (int f = 0; f < frames; ++f) pictures.push_back(LogoFrame(f));
    return Assemble(pictures, BasePalette(Rgb{20, 10, 60}, Rgb{110, 40, 130}), 8, 8);
}

MovieDescription TitleMovie() {
    const int seconds = 6, frames = seconds * kFramesPerSecond;
    std::vector<std::vector<uint8_t>> pictures;
    for (int f = 0; f < frames; ++f) pictures.push_back(TitleFrame(f, frames));
    MovieDescription movie = Assemble(pictures, BasePalette(Rgb{90, 170, 255}, Rgb{205, 235, 255}), 10, 12);
    movie.sound = MovieSound{1, 22050, 16, Jingle(seconds)};
    return movie;
}

}  // namespace

int WriteMovies(const std::string& dataDir) {
    const std::filesystem::path folder = std::filesystem::path(dataDir) / "Movie";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", folder.c_str(), ec.message().c_str());
        return 0;
    }
    return platform::avi::WriteAviFile((folder / "logo.avi").string(), LogoMovie()) &&
           platform::avi::WriteAviFile((folder / "movie.avi").string(), TitleMovie());
}

}  // namespace assetgen
