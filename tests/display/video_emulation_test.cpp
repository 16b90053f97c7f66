// The emulated video hardware: flipping, keyed and clipped blits, lost
// surfaces, the video-memory budget, fault injection and GDI on surfaces.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ddraw.h"
#include "platform/ddraw_emulation.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/video_out.h"
#include "support/display_support.h"

using namespace platform::dd;
namespace emu = platform::dd::emulation;
using display_support::PixelAt;
using platform::DWORD;
using platform::RECT;

namespace {

class VideoEmulation : public ::testing::Test, public display_support::DisplayTest {
protected:
    void SetUp() override {
        ASSERT_EQ(DirectDrawCreate(false, &dd_), DD_OK);
        ASSERT_EQ(dd_->SetCooperativeLevel(Window(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        ASSERT_EQ(dd_->SetDisplayMode(640, 480, 8, 0), DD_OK);
    }
    void TearDown() override {
        for (Surface* s : owned_) s->Release();
        if (dd_) dd_->Release();
        EXPECT_EQ(emu::LiveSurfaceCount(), 0);
    }
    Surface* Plain(int width, int height, DWORD memory = DDSCAPS_SYSTEMMEMORY) {
        SurfaceDesc desc;
        desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.width = width;
        desc.height = height;
        desc.caps = DDSCAPS_OFFSCREENPLAIN | memory;
        Surface* s = nullptr;
        if (dd_->CreateSurface(desc, &s) == DD_OK) owned_.push_back(s);
        return s;
    }
    void SetRow(Surface* s, int y, std::initializer_list<uint8_t> values) {
        std::memcpy(s->Pixels() + static_cast<size_t>(y) * s->Pitch(), values.begin(), values.size());
    }
    std::vector<uint8_t> Row(Surface* s, int y, int n) {
        const uint8_t* p = s->Pixels() + static_cast<size_t>(y) * s->Pitch();
        return {p, p + n};
    }
    static int Fill(Surface* s, const RECT* r, DWORD value) {
        BltFx fx;
        fx.fillColor = value;
        return s->Blt(r, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    }

    DirectDraw* dd_ = nullptr;
    std::vector<Surface*> owned_;
};

TEST_F(VideoEmulation, TripleBufferFlipRotatesMemoryAndShowsFrontThroughPalette) {
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.backBufferCount = 2;
    Surface* front = nullptr;
    ASSERT_EQ(dd_->CreateSurface(desc, &front), DD_OK);
    owned_.push_back(front);
    Surface* back = nullptr;
    ASSERT_EQ(front->GetAttachedSurface(DDSCAPS_BACKBUFFER, &back), DD_OK);
    owned_.push_back(back);
    EXPECT_EQ(front->Width(), 640);
    EXPECT_EQ(front->BitsPerPixel(), 8);

    platform::PaletteEntry entries[256];
    display_support::DistinctPalette(entries);
    Palette* palette = nullptr;
    ASSERT_EQ(dd_->CreatePalette(DDPCAPS_8BIT, entries, &palette), DD_OK);
    ASSERT_EQ(front->SetPalette(palette), DD_OK);
    palette->Release();   // the surface holds its own reference

    for (DWORD value : {1u, 2u, 3u}) {
        ASSERT_EQ(Fill(back, nullptr, value), DD_OK);
        ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
        EXPECT_EQ(PixelAt(front, 10, 10), value);
    }
    // The third buffer came round again: it holds the first frame.
    EXPECT_EQ(PixelAt(back, 0, 0), 1);

    const platform::Screenshot shot = platform::CaptureScreen();
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    EXPECT_EQ(shot.rgb[0], 3);
    EXPECT_EQ(shot.rgb[1], 252);
    EXPECT_EQ(shot.rgb[2], 1);
}

TEST_F(VideoEmulation, SourceAndDestinationKeysChooseWhichPixelsAreWritten) {
    Surface* source = Plain(4, 1);
    Surface* dest = Plain(4, 1);
    SetRow(source, 0, {0, 5, 0, 7});
    const ColorKey black{0, 0};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &black), DD_OK);

    SetRow(dest, 0, {9, 9, 9, 9});
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Row(dest, 0, 4), (std::vector<uint8_t>{9, 5, 9, 7}));

    SetRow(dest, 0, {9, 9, 9, 9});
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Row(dest, 0, 4), (std::vector<uint8_t>{0, 5, 0, 7}));

    // Destination keying writes only where the destination shows its key.
    SetRow(source, 0, {1, 2, 3, 4});
    SetRow(dest, 0, {6, 8, 6, 8});
    const ColorKey six{6, 6};
    ASSERT_EQ(dest->SetColorKey(DDCKEY_DESTBLT, &six), DD_OK);
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_KEYDEST, nullptr), DD_OK);
    EXPECT_EQ(Row(dest, 0, 4), (std::vector<uint8_t>{1, 8, 3, 8}));
}

TEST_F(VideoEmulation, StretchingClippingAndOverlappingCopies) {
    Surface* source = Plain(2, 2);
    Surface* dest = Plain(8, 4);
    SetRow(source, 0, {1, 2});
    SetRow(source, 1, {3, 4});
    const RECT quad{0, 0, 4, 4};
    ASSERT_EQ(dest->Blt(&quad, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Row(dest, 0, 4), (std::vector<uint8_t>{1, 1, 2, 2}));
    EXPECT_EQ(Row(dest, 3, 4), (std::vector<uint8_t>{3, 3, 4, 4}));

    // Without a clipper a rectangle reaching outside is refused untouched.
    Fill(dest, nullptr, 0);
    const RECT outside{-2, 0, 2, 2};
    EXPECT_EQ(dest->Blt(&outside, source, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(Row(dest, 0, 8), std::vector<uint8_t>(8, 0));

    // With one, the same blit is cut to the clip list and keeps its scale.
    Clipper* clipper = nullptr;
    ASSERT_EQ(dd_->CreateClipper(0, &clipper), DD_OK);
    ASSERT_EQ(clipper->SetClipList({RECT{0, 0, 8, 4}}, 0), DD_OK);
    ASSERT_EQ(dest->SetClipper(clipper), DD_OK);
    clipper->Release();
    ASSERT_EQ(dest->Blt(&outside, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Row(dest, 0, 3), (std::vector<uint8_t>{2, 2, 0}));
    EXPECT_EQ(dest->BltFast(0, 0, source, nullptr, 0), DDERR_BLTFASTCANTCLIP);
    ASSERT_EQ(dest->SetClipper(nullptr), DD_OK);
    EXPECT_EQ(dest->SetClipper(nullptr), DDERR_NOCLIPPERATTACHED);

    // A copy within one surface reads the source before writing.
    SetRow(dest, 0, {1, 2, 3, 4, 5, 0, 0, 0});
    const RECT from{0, 0, 4, 1}, to{1, 0, 5, 1};
    ASSERT_EQ(dest->Blt(&to, dest, &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Row(dest, 0, 5), (std::vector<uint8_t>{1, 1, 2, 3, 4}));
}

TEST_F(VideoEmulation, FocusLossInExclusiveModeLosesAndWipesEverySurface) {
    Surface* s = Plain(4, 4);
    Fill(s, nullptr, 7);
    platform::headless::SetFocus(true);
    EXPECT_EQ(s->IsLost(), DD_OK);
    platform::headless::SetFocus(false);
    platform::MSG msg;
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
    EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
    SurfaceDesc desc;
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(Fill(s, nullptr, 1), DDERR_SURFACELOST);
    ASSERT_EQ(s->Restore(), DD_OK);
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(PixelAt(s, 1, 1), 0) << "the picture does not come back with the memory";

    // A normal (windowed) application keeps its surfaces.
    ASSERT_EQ(dd_->SetCooperativeLevel(Window(), DDSCL_NORMAL), DD_OK);
    Fill(s, nullptr, 7);
    platform::headless::SetFocus(true);
    platform::headless::SetFocus(false);
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
    EXPECT_EQ(s->IsLost(), DD_OK);
}

TEST_F(VideoEmulation, VideoMemoryIsABudgetAndUnplacedSurfacesFallBack) {
    emu::Current().driverCaps.videoMemoryTotal = 64 * 64 * 2;
    Surface* first = Plain(64, 64, DDSCAPS_VIDEOMEMORY);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Caps() & DDSCAPS_VIDEOMEMORY);
    ASSERT_NE(Plain(64, 64, DDSCAPS_VIDEOMEMORY), nullptr);
    EXPECT_EQ(Plain(64, 64, DDSCAPS_VIDEOMEMORY), nullptr);
    Surface* anywhere = Plain(64, 64, 0);
    ASSERT_NE(anywhere, nullptr);
    EXPECT_TRUE(anywhere->Caps() & DDSCAPS_SYSTEMMEMORY);
    owned_.erase(owned_.begin());
    first->Release();
    EXPECT_NE(Plain(64, 64, DDSCAPS_VIDEOMEMORY), nullptr);

    SurfaceDesc absurd;
    absurd.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    absurd.width = 1 << 20;
    absurd.height = 1 << 20;
    Surface* none = nullptr;
    EXPECT_EQ(dd_->CreateSurface(absurd, &none), DDERR_INVALIDPARAMS);
}

TEST_F(VideoEmulation, ModesFaultsAndRefusedOperations) {
    EXPECT_EQ(dd_->SetDisplayMode(640, 480, 8, 75), DD_OK);
    EXPECT_EQ(dd_->SetDisplayMode(640, 480, 8, 61), DDERR_INVALIDMODE);
    EXPECT_EQ(dd_->SetDisplayMode(641, 480, 8, 0), DDERR_INVALIDMODE);

    Surface* s = Plain(2, 2);
    emu::FailNext(emu::Op::Blt, DDERR_GENERIC);
    EXPECT_EQ(Fill(s, nullptr, 1), DDERR_GENERIC);
    EXPECT_EQ(Fill(s, nullptr, 1), DD_OK);
    emu::FailNext(emu::Op::Restore, DDERR_OUTOFMEMORY, 2);
    EXPECT_EQ(s->Restore(), DDERR_OUTOFMEMORY);
    EXPECT_EQ(s->Restore(), DDERR_OUTOFMEMORY);
    EXPECT_EQ(s->Restore(), DD_OK);

    // A locked surface (or one with a device context) cannot be blitted.
    SurfaceDesc desc;
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT), DD_OK);
    EXPECT_GE(desc.pitch, 2);
    EXPECT_EQ(Fill(s, nullptr, 1), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(desc.surface), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
    platform::gdi::HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(Fill(s, nullptr, 1), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->ReleaseDC(dc), DD_OK);
}

TEST_F(VideoEmulation, DeviceContextPixelsUseTheNearestPaletteEntryAndTextStaysInside) {
    Surface* s = Plain(40, 15);
    platform::gdi::HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    // The adapter's start-up palette is 3-3-2: pure red is entry 0xE0.
    EXPECT_EQ(platform::gdi::SetPixel(dc, 3, 3, platform::RGB(250, 10, 0)), platform::RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(s, 3, 3), 0xE0);
    EXPECT_EQ(platform::gdi::GetPixel(dc, 3, 3), platform::RGB(255, 0, 0));
    EXPECT_EQ(platform::gdi::GetPixel(dc, 40, 0), platform::gdi::CLR_INVALID);

    platform::gdi::HFONT font = platform::gdi::CreateFont(14, platform::gdi::FW_NORMAL,
                                                          platform::gdi::VARIABLE_PITCH, "Comic Sans MS");
    ASSERT_NE(font, nullptr);
    platform::gdi::SelectObject(dc, font);
    platform::gdi::SetBkMode(dc, platform::gdi::TRANSPARENT);
    platform::gdi::SetTextColor(dc, platform::RGB(255, 255, 0));
    // Text running past the right edge is cut at it.
    ASSERT_EQ(platform::gdi::TextOut(dc, 10, 0, "1234fps wide", 12), 1);
    s->ReleaseDC(dc);
    platform::gdi::DeleteFont(font);
    int yellow = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 40; ++x) yellow += PixelAt(s, x, y) == 0xFC ? 1 : 0;
    }
    EXPECT_GT(yellow, 10);
}

}  // namespace
