#pragma once
// The tile map of the current place: a grid of equal tiles cut from one
// tile-set bitmap, the scroll position that maps world pixels to the screen,
// and the drawing of the cells that meet the view.
#include <cstdint>
#include <vector>

#include "display/display.h"
#include "sprites/frame_record.h"

namespace sprites {

// Tile numbers in column-major order; -1 is an empty cell.
struct CellArray {
    int32_t columns = 0;
    int32_t rows = 0;
    std::vector<int32_t> cells;
};

class Background {
public:
    explicit Background(display::Display* display);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // Takes over one reference of the tile set and cuts it into tiles of the
    // given size (left to right, then top to bottom). 0 for an absent surface
    // or a tile size that does not fit it.
    int SetTileSet(Surface* surface, const char* reloadPath, int32_t tileWidth, int32_t tileHeight);
    // 0 unless cells holds columns x rows entries.
    int SetCells(int32_t columns, int32_t rows, std::vector<int32_t> cells);
    // Back to an empty map (tile set released, cells freed, scroll kept).
    void Clear();

    // The tile number at (c, r); -1 outside the map and for numbers that name
    // no tile of the tile set.
    int32_t Cell(int32_t column, int32_t row) const;
    int32_t MapWidth() const { return tileWidth * columns; }
    int32_t MapHeight() const { return tileHeight * rows; }

    // Draws every cell that meets the view; 1, or 0 when a cell was abandoned.
    int Draw();
    // Repaints the cells under a screen rectangle (already inside the view),
    // each cut to it. Empty and outside cells are black.
    int DrawCellsIn(const RECT& screenRect);
    // Restores and reloads a lost tile set (or any tile set with force).
    int ReloadBackground(int force);

    // Moves the scroll position towards the player at (px, py): the player is
    // kept 100 pixels inside the view's edges and otherwise drawn a twentieth
    // of the way to its centre, then the view is clamped to the map. Writes
    // the change that really happened.
    void Follow(int32_t px, int32_t py, int32_t* dx, int32_t* dy);
    // Puts (x, y) at the centre of the view.
    void CentreOn(int32_t x, int32_t y);

    int32_t scrollX = 0, scrollY = 0;
    int32_t columns = 0, rows = 0;
    int32_t tilesPerRow = 0, tileRows = 0;
    char reloadPath[260] = {};
    int32_t tileWidth = 0, tileHeight = 0;
    CellArray cells;
    std::vector<FrameRecord> tiles;
    Surface* tileSurface = nullptr;
    display::Display* display;
    // Where the place is drawn on the screen; the world refreshes it.
    RECT view{0, 0, 640, 480};

private:
    enum class CellResult { Drawn, Failed };
    int DrawCells(const RECT& clip, bool traceAbandoned);
    CellResult DrawCell(int32_t column, int32_t row, const RECT& clip, bool traceAbandoned);
    int Reload();
};

}  // namespace sprites
