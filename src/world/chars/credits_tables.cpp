#include "world/chars/credits_tables.h"

#include <algorithm>

namespace world::chars {
namespace {

using platform::RECT;

// The floor line the figures stand on.
constexpr int kGround = 446;

enum Motion : uint8_t {
    kLoop,       // phases 0..n-1 over and over, each held `hold` steps
    kPingPong,   // 0..n-1..1 over and over
    kProgress,   // 0 to n-1 once across the whole page (a picture that grows)
};

struct RowLayout {
    std::vector<int> widths;   // one per cell
    int height;
    uint8_t actor, variant, task;
    int screenX;               // where the cells stand (left edge) at step 0
    Motion motion;
    int hold = 2;
    int walk = 0;              // pixels a step to the right (negative: left)
};

struct StripLayout {
    int sheetX, width, height;
    uint8_t task;
    int screenX;
};

struct PageLayout {
    const char* sheet;
    std::array<const char*, 2> captions;
    std::array<int, 2> captionIds;
    std::vector<RowLayout> rows;
    std::vector<StripLayout> strips;
};

std::vector<int> Same(int count, int width) { return std::vector<int>(static_cast<size_t>(count), width); }

// Rows of figures first, then the strip of floor things along the bottom.
const std::array<PageLayout, kCreditPages>& Layouts() {
    static const std::array<PageLayout, kCreditPages> layouts{{
        {".\\graphics\\credits\\CrewA.bmp", {".\\graphics\\credits\\Graphics.bmp", nullptr}, {kCaptionGraphics, -1},
         {{Same(4, 147), 186, kCrewDog, 0, kTaskPaint, 90, kProgress},
          {{131, 131, 132, 129, 132}, 138, kCrewMusician, 5, kTaskPalette, 410, kPingPong, 2}},
         {{124, 135, 18, kStripPaintPots, 96}, {259, 158, 17, kStripBrushes, 396}}},
        {".\\graphics\\credits\\CrewC.bmp", {".\\graphics\\credits\\animate.bmp", nullptr}, {kCaptionAnimate, -1},
         {{Same(4, 150), 180, kCrewCat, 0, kTaskFlipBook, 80, kLoop, 1},
          {Same(5, 130), 140, kCrewDog, 0, kTaskPose, 420, kPingPong, 2}},
         {{100, 150, 18, kStripFilm, 80}, {250, 140, 18, kStripPaper, 415}}},
        {".\\graphics\\credits\\CrewB.bmp", {".\\graphics\\credits\\GraphPrg.bmp", nullptr}, {kCaptionGraphPrg, -1},
         {{Same(5, 170), 180, kCrewMusician, 0, kTaskPixels, 70, kProgress},
          {Same(6, 150), 150, kCrewMusician, 3, kTaskTiles, 400, kLoop, 2}},
         {{120, 160, 18, kStripCables, 75}, {280, 150, 16, kStripPaper, 400}}},
        {".\\graphics\\credits\\CrewG.bmp",
         {".\\graphics\\credits\\OrigConc.bmp", ".\\graphics\\credits\\AudioPrg.bmp"},
         {kCaptionOrigConc, kCaptionAudioPrg},
         {{Same(5, 160), 180, kCrewMusician, 2, kTaskIdea, 85, kPingPong, 3},
          {Same(5, 170), 170, kCrewMusician, 1, kTaskWaveform, 405, kLoop, 1}},
         {{0, 170, 18, kStripNotebooks, 80}, {170, 170, 18, kStripCables, 405}}},
        {".\\graphics\\credits\\CrewH.bmp", {".\\graphics\\credits\\SFX.bmp", nullptr}, {kCaptionSfx, -1},
         {{Same(6, 150), 170, kCrewDog, 0, kTaskBang, 90, kLoop, 1},
          {Same(5, 140), 150, kCrewCat, 0, kTaskBell, 420, kPingPong, 1}},
         {{0, 200, 20, kStripPans, 65}, {200, 150, 18, kStripRug, 415}}},
        {".\\graphics\\credits\\CrewF.bmp", {".\\graphics\\credits\\Music.bmp", nullptr}, {kCaptionMusic, -1},
         {{Same(4, 300), 220, kCrewMusician, 3, kTaskCompose, 170, kLoop, 2}},
         {{0, 300, 20, kStripNotes, 170}}},
        {".\\graphics\\credits\\CrewD.bmp", {".\\graphics\\credits\\AddHelp1.bmp", nullptr}, {kCaptionAddHelp1, -1},
         {{Same(7, 130), 170, kCrewDog, 0, kTaskCarry, 20, kLoop, 1, 8},
          {Same(6, 130), 160, kCrewMusician, 4, kTaskTray, 490, kLoop, 1, -6}},
         {{0, 160, 18, kStripRug, 240}, {160, 120, 20, kStripParcels, 510}}},
        {".\\graphics\\credits\\CrewE.bmp", {".\\graphics\\credits\\AddHelp2.bmp", nullptr}, {kCaptionAddHelp2, -1},
         {{Same(6, 120), 150, kCrewDog, 0, kTaskCheer, 80, kLoop, 1},
          {Same(6, 120), 150, kCrewCat, 0, kTaskCheer, 260, kPingPong, 1},
          {Same(6, 120), 150, kCrewMusician, 5, kTaskCheer, 440, kLoop, 2}},
         {{0, 300, 24, kStripBunting, 40}, {300, 300, 18, kStripRug, 300}}},
    }};
    return layouts;
}

// Which phase of a row of n cells shows at this step.
int PhaseAt(const RowLayout& row, int step, int steps) {
    const int n = static_cast<int>(row.widths.size());
    const int hold = std::max(1, row.hold);
    switch (row.motion) {
        case kProgress: return std::min(n - 1, step * n / std::max(1, steps - 4));
        case kPingPong: {
            const int period = std::max(1, 2 * n - 2);
            const int k = (step / hold) % period;
            return k < n ? k : period - k;
        }
        default: return (step / hold) % n;
    }
}

constexpr CaptionPlace kCaptionPlaces[kCreditCaptionCount] = {
    {".\\graphics\\credits\\Graphics.bmp", "GraphicsCredit", 120, 24, 400, 96},
    {".\\graphics\\credits\\animate.bmp", "AnimateCredit", 120, 24, 400, 96},
    {".\\graphics\\credits\\GraphPrg.bmp", "GraphPrgCredit", 120, 24, 400, 96},
    {".\\graphics\\credits\\AddHelp1.bmp", "AddHelpCredit1", 120, 24, 400, 96},
    {".\\graphics\\credits\\AddHelp2.bmp", "AddHelpCredit2", 120, 24, 400, 96},
    {".\\graphics\\credits\\Music.bmp", "MusicCredit", 120, 24, 400, 96},
    {".\\graphics\\credits\\OrigConc.bmp", "OrigConcCredit", 120, 20, 400, 96},
    {".\\graphics\\credits\\AudioPrg.bmp", "AudioPrgCredit", 120, 124, 400, 96},
    {".\\graphics\\credits\\SFX.bmp", "SFXCredit", 120, 24, 400, 96},
};

}  // namespace

const CaptionPlace& CreditCaptionPlace(int caption) {
    return kCaptionPlaces[caption >= 0 && caption < kCreditCaptionCount ? caption : 0];
}

std::string CreditLogoFile(int logo) { return ".\\Graphics\\credits\\distLogo" + std::to_string(logo) + ".bmp"; }

CreditsPage MakeCreditsPage(int page) {
    if (page < 0 || page >= kCreditPages) page = 0;
    const PageLayout& layout = Layouts()[static_cast<size_t>(page)];
    CreditsPage out;
    out.sheetFile = layout.sheet;
    for (size_t i = 0; i < 2; ++i) {
        out.captionFile[i] = layout.captions[i] ? layout.captions[i] : "";
        out.caption[i] = layout.captionIds[i];
    }

    // Cells: each row left to right, rows top to bottom, then the gap and
    // the strip.
    out.cells.push_back({});
    std::vector<int> rowFirst;
    int top = 0;
    for (const RowLayout& row : layout.rows) {
        rowFirst.push_back(static_cast<int>(out.cells.size()));
        int left = 0;
        int phase = 0;
        for (int w : row.widths) {
            SheetFrame cell;
            cell.rect = RECT{left, top, left + w, top + row.height};
            cell.anchorX = static_cast<int16_t>(w / 2);
            cell.anchorY = static_cast<int16_t>(row.height - 6);
            cell.pose.figure = row.actor;
            cell.pose.variant = row.variant;
            cell.pose.action = row.task;
            cell.pose.phase = static_cast<int8_t>(phase++);
            out.cells.push_back(cell);
            left += w;
            out.width = std::max(out.width, left);
        }
        top += row.height;
    }
    out.cells.push_back({});  // the gap before the strip
    const int stripFirst = static_cast<int>(out.cells.size());
    for (const StripLayout& strip : layout.strips) {
        SheetFrame cell;
        cell.rect = RECT{strip.sheetX, top, strip.sheetX + strip.width, top + strip.height};
        cell.pose.figure = kCrewProp;
        cell.pose.action = strip.task;
        out.cells.push_back(cell);
        out.width = std::max<int>(out.width, cell.rect.right);
        out.height = std::max<int>(out.height, cell.rect.bottom);
    }
    out.height = std::max(out.height, top);
    out.width = (out.width + 3) & ~3;

    // Sequences: the floor things first (so the figures stand on them), then
    // one per row of figures; the rest stay empty.
    const int steps = kCreditSteps[static_cast<size_t>(page)];
    size_t next = 0;
    for (size_t i = 0; i < layout.strips.size(); ++i) {
        const StripLayout& strip = layout.strips[i];
        SeqSteps& seq = out.sequences[next++];
        for (int s = 0; s < steps; ++s)
            seq.push_back({static_cast<uint16_t>(stripFirst + static_cast<int>(i)), static_cast<int16_t>(strip.screenX),
                           static_cast<int16_t>(kGround - strip.height + 8)});
    }
    for (size_t r = 0; r < layout.rows.size(); ++r) {
        const RowLayout& row = layout.rows[r];
        SeqSteps& seq = out.sequences[next++];
        for (int s = 0; s < steps; ++s) {
            const int phase = PhaseAt(row, s, steps);
            const int width = row.widths[static_cast<size_t>(phase)];
            const int x = std::clamp(row.screenX + row.walk * s, 0, 640 - width);
            seq.push_back({static_cast<uint16_t>(rowFirst[r] + phase), static_cast<int16_t>(x),
                           static_cast<int16_t>(kGround - row.height)});
        }
    }
    for (; next < out.sequences.size(); ++next) out.sequences[next].assign(static_cast<size_t>(steps), SeqStep{});
    return out;
}

}  // namespace world::chars
