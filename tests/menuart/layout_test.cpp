// The pages against the menu's placement rules: every marker lands on a
// line whose words sit inside its frame, on screen; the empty mark hides a
// slot's words; the knob has a track; the help buttons cover their places.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "assetgen/menus_palette.h"
#include "generated_menus.h"

namespace {

using namespace menuart_test;
namespace menus = assetgen::menus;

struct Placed {
    int x, y;  // top-left corner on the page
};

// Ink of the page under a sprite at a place: inside its see-through part
// (seen) and under its opaque part (hidden).
struct InkCount {
    int seen = 0, hidden = 0;
};
InkCount InkUnder(const Picture8& page, const Picture8& sprite, Placed at) {
    InkCount n;
    for (int y = 0; y < sprite.Height(); ++y)
        for (int x = 0; x < sprite.Width(); ++x) {
            if (page.At(at.x + x, at.y + y) != menus::kInk) continue;
            (sprite.At(x, y) == menus::kKey ? n.seen : n.hidden)++;
        }
    return n;
}

bool OnScreen(const Picture8& sprite, Placed at) {
    return at.x >= 0 && at.y >= 0 && at.x + sprite.Width() <= menus::kScreenW &&
           at.y + sprite.Height() <= menus::kScreenH;
}

// A marker centred on x = 320 with its middle (or top) at y.
Placed Centred(const Picture8& m, int y) { return {menus::kCentreX - m.Width() / 2, y - m.Height() / 2}; }
Placed TopAt(const Picture8& m, int y) { return {menus::kCentreX - m.Width() / 2, y}; }

void ExpectWordsInside(const Picture8& page, const Picture8& marker, Placed at, const std::string& what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(OnScreen(marker, at)) << at.x << "," << at.y;
    const InkCount n = InkUnder(page, marker, at);
    EXPECT_GT(n.seen, 150) << "words inside the marker";
    EXPECT_EQ(n.hidden, 0) << "the marker's frame crosses words";
}

TEST(MenuLayout, TheSmallMarkerFramesEveryLineOfEveryList) {
    const Picture8 marker = Load("weered2.bmp");
    for (const char* name : {"mainopts2.bmp", "gameopts.bmp"}) {
        const Picture8 page = Load(name);
        for (int i = 0; i < menus::kListLines; ++i)
            ExpectWordsInside(page, marker, Centred(marker, menus::ListLineY(i)), name + std::to_string(i));
    }
    const Picture8 volume = Load("volume.bmp");
    for (int item = 0; item <= menus::kFaders; ++item)
        ExpectWordsInside(volume, marker, Centred(marker, menus::VolumeItemY(item)), "volume " + std::to_string(item));
    const Picture8 sure = Load("sure.bmp"), replace = Load("replace.bmp");
    for (int item = 0; item < 2; ++item) {
        ExpectWordsInside(sure, marker, TopAt(marker, 220 + 60 * item), "sure " + std::to_string(item));
        ExpectWordsInside(replace, marker, TopAt(marker, 310 + 45 * item), "replace " + std::to_string(item));
    }
    for (const char* name : {"load.bmp", "save.bmp"})
        ExpectWordsInside(Load(name), marker, Centred(marker, menus::kSlotCancelY), std::string(name) + " cancel");
}

TEST(MenuLayout, SlotsTakeTheLargeMarkerAndTheEmptyMarkHidesTheirWords) {
    const Picture8 marker = Load("bigred2.bmp"), empty = Load("empty.bmp");
    for (const char* name : {"load.bmp", "save.bmp"}) {
        const Picture8 page = Load(name);
        // The title stays above the first slot.
        int titleInk = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < menus::kScreenW; ++x) titleInk += page.At(x, y) == menus::kTitleInk;
        EXPECT_GT(titleInk, 300) << name;
        for (int s = 0; s < menus::kSlots; ++s) {
            const int y = menus::SlotY(s);
            ExpectWordsInside(page, marker, Centred(marker, y), name + std::to_string(s));
            const InkCount covered = InkUnder(page, empty, Centred(empty, y));
            int lineInk = 0;
            for (int yy = y - 20; yy < y + 20; ++yy)
                for (int x = 0; x < menus::kScreenW; ++x) lineInk += page.At(x, yy) == menus::kInk;
            EXPECT_GT(lineInk, 0);
            EXPECT_EQ(covered.hidden, lineInk) << name << " slot " << s << ": words outside the empty mark";
        }
    }
}

TEST(MenuLayout, EachFaderHasATrackUnderTheKnobsLeftEnd) {
    const Picture8 page = Load("volume.bmp"), knob = Load("volnob.bmp");
    const int knobLeft = menus::kFaderLeft - knob.Width() / 2;
    const int knobRightAtMost = knobLeft + menus::kFaderTravel + knob.Width();
    for (int k = 0; k < menus::kFaders; ++k) {
        const int y = menus::FaderY(k);
        EXPECT_TRUE(OnScreen(knob, {knobLeft, y - knob.Height() / 2}));
        // The groove is there from the knob's lowest position to the edge.
        for (int x = menus::kFaderLeft; x < menus::kScreenW - 16; x += 8)
            EXPECT_EQ(page.At(x, y + 3), menus::Common(menus::Ramp::Slate, 1)) << k << " at " << x;
    }
    // At full volume the knob is still on the screen, over its groove.
    EXPECT_LE(knobRightAtMost, menus::kScreenW - 8);
}

TEST(HelpPages, LitButtonsCoverTheirPlacesExactlyWherePrefsPutThem) {
    // The game reads the places from prefs.ini.
    std::map<std::string, int> prefs;
    std::ifstream in(DataDir() / "prefs.ini");
    for (std::string key; in >> key;) {
        std::string value;
        std::getline(in, value);
        if (key.rfind("iHelp", 0) == 0) prefs[key] = std::stoi(value);
    }
    const char* keys[3] = {"iHelpArrowLeft", "iHelpCancel", "iHelpArrowRight"};
    const char* sprites[3] = {"arrowl.bmp", "cancel.bmp", "arrowr.bmp"};
    const Picture8 first = Load(HelpNames()[0]);
    for (const std::string& name : HelpNames()) {
        const Picture8 page = Load(name);
        for (int b = 0; b < 3; ++b) {
            SCOPED_TRACE(name + " " + sprites[b]);
            const Placed at{prefs[std::string(keys[b]) + "X"], prefs[std::string(keys[b]) + "Y"]};
            ASSERT_EQ(at.x, menus::kHelpButtonX[size_t(b)]);
            ASSERT_EQ(at.y, menus::kHelpButtonY);
            const Picture8 button = Load(sprites[b]);
            ASSERT_TRUE(OnScreen(button, at));
            // Where the lit button is see-through the page shows the band,
            // so the place never peeks out around it.
            const uint8_t band = page.At(at.x - 4, at.y + button.Height() / 2);
            for (int y = 0; y < button.Height(); ++y)
                for (int x = 0; x < button.Width(); ++x) {
                    if (button.At(x, y) != menus::kKey) continue;
                    ASSERT_EQ(page.At(at.x + x, at.y + y), band) << x << "," << y;
                }
        }
        // Nothing of a page's picture strays into the band: inside its
        // rounded ends and outside the page dots and notes, every band is
        // the same.
        for (int y = menus::kHelpBandTop + 8; y < menus::kScreenH - 8; ++y)
            for (int x = 24; x < menus::kScreenW - 24; ++x) {
                if ((x >= 130 && x < 270) || (x >= 385 && x < 530)) continue;
                ASSERT_EQ(page.At(x, y), first.At(x, y)) << name << " at " << x << "," << y;
            }
    }
}

}  // namespace
