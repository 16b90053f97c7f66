#include "sprites/background.h"

#include <cstring>

#include "platform/system.h"
#include "sprites/rect_math.h"

namespace sprites {

using sprites::ClipPair;
using sprites::IsEmpty;

namespace {

// Division rounding towards minus infinity and towards plus infinity.
int32_t FloorDiv(int32_t a, int32_t b) {
    const int32_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
int32_t CeilDiv(int32_t a, int32_t b) {
    const int32_t q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

}  // namespace

Background::Background(display::Display* display) : display(display) {}

Background::~Background() { Clear(); }

void Background::Clear() {
    if (tileSurface) tileSurface->Release();
    tileSurface = nullptr;
    tiles.clear();
    cells = CellArray{};
    columns = rows = 0;
    tilesPerRow = tileRows = 0;
    tileWidth = tileHeight = 0;
    reloadPath[0] = '\0';
}

int Background::SetTileSet(Surface* surface, const char* path, int32_t width, int32_t height) {
    if (!surface || width <= 0 || height <= 0 || width > surface->Width() || height > surface->Height()) {
        return 0;
    }
    if (tileSurface && tileSurface != surface) tileSurface->Release();
    tileSurface = surface;
    std::strncpy(reloadPath, path ? path : "", sizeof reloadPath - 1);
    reloadPath[sizeof reloadPath - 1] = '\0';
    tileWidth = width;
    tileHeight = height;
    tilesPerRow = surface->Width() / width;
    tileRows = surface->Height() / height;
    tiles.assign(static_cast<size_t>(tilesPerRow) * tileRows, FrameRecord{});
    for (int32_t i = 0; i < tilesPerRow * tileRows; ++i) {
        const int32_t left = (i % tilesPerRow) * width, top = (i / tilesPerRow) * height;
        tiles[i] = FrameRecord{surface, RECT{left, top, left + width, top + height}};
    }
    return 1;
}

int Background::SetCells(int32_t newColumns, int32_t newRows, std::vector<int32_t> newCells) {
    if (newColumns < 0 || newRows < 0 ||
        newCells.size() != static_cast<size_t>(newColumns) * static_cast<size_t>(newRows)) {
        return 0;
    }
    columns = newColumns;
    rows = newRows;
    cells = CellArray{newColumns, newRows, std::move(newCells)};
    return 1;
}

int32_t Background::Cell(int32_t column, int32_t row) const {
    if (column < 0 || row < 0 || column >= cells.columns || row >= cells.rows) return -1;
    const int32_t tile = cells.cells[static_cast<size_t>(column) * cells.rows + row];
    // A number that names no tile (a damaged map) shows as an empty cell.
    return (tile >= 0 && static_cast<size_t>(tile) < tiles.size()) ? tile : -1;
}

int Background::Draw() { return DrawCells(view, true); }

int Background::DrawCellsIn(const RECT& screenRect) { return DrawCells(screenRect, false); }

int Background::DrawCells(const RECT& clip, bool traceAbandoned) {
    if (IsEmpty(clip)) return 1;
    if (tileWidth <= 0 || tileHeight <= 0) {
        // No map loaded: the whole area is outside it, so black.
        RECT area = clip;
        return display->GPFillBufferIndex(nullptr, &area, 0);
    }
    const int32_t c0 = FloorDiv(clip.left + scrollX, tileWidth);
    const int32_t r0 = FloorDiv(clip.top + scrollY, tileHeight);
    const int32_t c1 = CeilDiv(clip.right + scrollX, tileWidth);
    const int32_t r1 = CeilDiv(clip.bottom + scrollY, tileHeight);
    int ok = 1;
    for (int32_t c = c0; c < c1; ++c) {
        for (int32_t r = r0; r < r1; ++r) {
            if (DrawCell(c, r, clip, traceAbandoned) == CellResult::Failed) ok = 0;
        }
    }
    return ok;
}

Background::CellResult Background::DrawCell(int32_t c, int32_t r, const RECT& clip, bool traceAbandoned) {
    RECT target{c * tileWidth - scrollX, r * tileHeight - scrollY, (c + 1) * tileWidth - scrollX,
                (r + 1) * tileHeight - scrollY};
    const int32_t tile = Cell(c, r);
    RECT source = tile >= 0 ? tiles[tile].rect : RECT{0, 0, tileWidth, tileHeight};
    if (!ClipPair(&target, &source, clip)) return CellResult::Drawn;
    if (tile < 0) {
        return display->GPFillBufferIndex(nullptr, &target, 0) ? CellResult::Drawn : CellResult::Failed;
    }
    Surface* surface = tiles[tile].surface;
    if (display->GPBlt(surface, &source, nullptr, &target, 0)) return CellResult::Drawn;
    // The tile set (or the back buffer) met a loss: bring the picture back
    // and try once more.
    ReloadBackground(0);
    if (display->GPBlt(surface, &source, nullptr, &target, 0)) return CellResult::Drawn;
    if (traceAbandoned) {
        DebugTrace(display->window, 0, "Background: Could not restore surface, abandoning blt.");
    }
    return CellResult::Failed;
}

int Background::ReloadBackground(int force) {
    if (tiles.empty() || !tileSurface) return 1;
    if (tileSurface->IsLost() == platform::dd::DDERR_SURFACELOST) {
        platform::OutputDebugString("Background surface lost...");
        if (tileSurface->Restore() != platform::dd::DD_OK) {
            platform::OutputDebugString("...RESTORE FAILED. \n");
            return 0;
        }
        platform::OutputDebugString("...restored...");
        return Reload();
    }
    if (!force) return 1;
    platform::OutputDebugString("Background not lost, forcing Reload...");
    return Reload();
}

int Background::Reload() {
    if (display->GPLoadBitmapIntoSurface(tileSurface, reloadPath, 0, 0)) {
        platform::OutputDebugString("...reloaded.\n");
        return 1;
    }
    platform::OutputDebugString("...RELOAD FAILED.\n");
    return 0;
}

}  // namespace sprites
