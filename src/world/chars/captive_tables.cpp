#include "world/chars/captive_tables.h"

#include "world/chars/poses.h"

namespace world::chars {
namespace {

// The smaller cells: scratch's are fixed; the others are cut the same way,
// after the last grid cell, a hum note and a broken shackle.
struct Small {
    int w, h;
};
constexpr Small kSmall[kCaptiveCount][2] = {
    {{34, 50}, {0, 0}}, {{35, 54}, {32, 46}}, {{32, 50}, {30, 44}},
    {{34, 52}, {32, 46}}, {{36, 52}, {0, 0}}, {{34, 50}, {0, 0}},
};

}  // namespace

CharacterSheet MakeCaptiveSheet(int land) {
    if (land < 0 || land >= kCaptiveCount) land = 0;
    const CaptiveLayout& L = kCaptiveLayouts[static_cast<size_t>(land)];
    SheetBuilder b(L.file, L.cellW * L.perRow);
    const int member = kCaptiveBandMember[static_cast<size_t>(land)];

    // Cell roles: 0 idle A (held, sad), 1 idle B (held, looking up), then
    // hum poses, freeing poses, and the last cell the freed pose.
    const int humPoses = 2;
    const int freeingPoses = L.cells - 3 - humPoses;
    for (int c = 0; c < L.cells; ++c) {
        Pose p;
        p.figure = kFigMusician;
        p.variant = static_cast<uint8_t>(member);
        if (c < 2) {
            p.action = kActCaptive;
            p.phase = static_cast<int8_t>(c);
        } else if (c < 2 + humPoses) {
            p.action = kActHum;
            p.phase = static_cast<int8_t>(c - 2);
        } else if (c < L.cells - 1) {
            p.action = kActFreed;
            p.phase = static_cast<int8_t>(c - 2 - humPoses);
            p.head = static_cast<int8_t>(freeingPoses);  // how many freeing poses there are
        } else {
            p.action = kActPlay;
            p.phase = 0;
            p.tail = 1;
        }
        const platform::RECT r{(c % L.perRow) * L.cellW, (c / L.perRow) * L.cellH, (c % L.perRow + 1) * L.cellW,
                               (c / L.perRow + 1) * L.cellH};
        b.AddAt(r, L.cellW / 2, L.cellH - 6, p);
    }
    int x = (L.cells % L.perRow) * L.cellW;
    int y = (L.cells / L.perRow) * L.cellH;
    if (L.cells % L.perRow == 0) x = 0;
    for (int s = 0; s < L.smallCount; ++s) {
        const Small& cell = kSmall[land][s];
        Pose p;
        p.figure = s == 0 ? kFigHumNote : kFigShackle;
        b.AddAt({x, y, x + cell.w, y + cell.h}, cell.w / 2, cell.h - 2, p);
        x += cell.w;
    }

    const uint16_t idleA = 1, idleB = 2, hum0 = 3, hum1 = 4, freed = static_cast<uint16_t>(L.cells);
    const uint16_t note = static_cast<uint16_t>(L.cells + 1);
    const uint16_t shackle = L.smallCount > 1 ? static_cast<uint16_t>(L.cells + 2) : note;
    // The second part hovers beside the head.
    const int partX = L.cellW / 2 - 8, partY = -(L.cellH - 24);

    auto pair = [&](SeqSteps body, SeqSteps second) {
        b.AddSequence(std::move(body));
        b.AddSequence(std::move(second));
    };
    pair({b.At(idleA)}, {b.At(0)});
    pair({b.At(idleB)}, {b.At(0)});
    auto hum = [&](uint16_t rest, int entries) {
        SeqSteps body, second;
        for (int i = 0; i < entries; ++i) {
            const bool last = i == entries - 1;
            body.push_back(b.At(last ? rest : (i % 2 ? hum1 : hum0)));
            second.push_back(last ? b.At(0) : b.At(note, partX - 4 + 3 * i, partY - 4 * i));
        }
        pair(body, second);
    };
    hum(idleA, L.humA);
    hum(idleB, L.humB);
    {
        SeqSteps body, second;
        for (int i = 0; i < L.freeing; ++i) {
            // The freeing poses in order, repeated to fill the entries, and
            // the last entry already the freed pose.
            const bool last = i == L.freeing - 1;
            const int pose = (i * freeingPoses) / (L.freeing - 1);
            body.push_back(b.At(last ? freed : static_cast<uint16_t>(3 + humPoses + (pose < freeingPoses ? pose : freeingPoses - 1)),
                                0, -(i % 3 == 1 ? 3 : 0)));
            const bool flying = i >= 1 && i <= 6;
            second.push_back(flying ? b.At(shackle, partX + 6 * i, partY + 10 - 8 * i) : b.At(0));
        }
        pair(body, second);
    }
    pair({b.At(freed)}, {b.At(0)});
    CharacterSheet sheet = b.Finish();
    return sheet;
}

}  // namespace world::chars
