#include "assetgen/world_tiles.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

using world::palette_plan::Common;

// Noise that repeats every tile, so neighbouring tiles meet without a seam.
int PeriodicNoise(int x, int y) {
    return (Sine64(2 * x + 4 * y) + Sine64(6 * x - 2 * y) + Sine64(4 * x + 10 * y) / 2) / 3;  // about +-200
}

uint8_t Speckle(int x, int y, uint32_t seed, PlaceRamp ramp, int base) {
    const uint32_t h = Hash(x, y, seed);
    // A few lighter and darker grains: enough to read as ground, too few to
    // look like dirt on the screen.
    int shade = base + int(h % 23 == 0) - int(h % 29 == 0);
    return Own(ramp, shade);
}

// One pixel of a whole terrain at tile-local (x, y).
uint8_t TerrainPixel(Place land, Terrain t, int x, int y, int variant) {
    const uint32_t seed = uint32_t(land) * 97 + uint32_t(t) * 13 + uint32_t(variant);
    const uint32_t h = Hash(x, y, seed);
    switch (land) {
        case Place::Celtic:
            if (t == Terrain::Ground) return (h % 31 == 0) ? Own(PlaceRamp::Foliage, 3 + int(h % 2)) : Speckle(x, y, seed, PlaceRamp::Ground, 3);
            if (t == Terrain::Path) return Speckle(x, y, seed, PlaceRamp::Path, 3 + int((h >> 8) % 3 == 0));
            // Hilltops: sunlit grass with sprigs of heather.
            if (h % 11 == 0) return Own(PlaceRamp::Ground2, 4 + int(h % 2));
            return (h % 17 == 0) ? Own(PlaceRamp::Ground, 5) : Own(PlaceRamp::Ground, 4);
        case Place::Funland:
            if (t == Terrain::Ground) return Speckle(x, y, seed, PlaceRamp::Ground, 4);
            if (t == Terrain::Path) return (((x + y) / 8) % 2) ? Own(PlaceRamp::Path, 5) : Own(PlaceRamp::PathEdge, 5);
            return ((x / 8 + y / 8) % 2) ? Own(PlaceRamp::Accent, 5) : Own(PlaceRamp::Accent2, 4);
        case Place::Aussie:
            if (t == Terrain::Ground) return Speckle(x, y, seed, PlaceRamp::Ground, 3 + int(h % 13 == 0));
            if (t == Terrain::Path) return Speckle(x, y, seed, PlaceRamp::Ground2, 4);
            return (h % 5 == 0) ? Own(PlaceRamp::Wall, 3 + int(h % 3)) : Own(PlaceRamp::Ground, 2);
        case Place::Jazzland:
            if (t == Terrain::Ground) return Speckle(x, y, seed, PlaceRamp::Ground, 2);
            if (t == Terrain::Path) {
                // Cobbles: rounded stones in rows, every other row shifted.
                const int row = y / 8, cx = (x + (row % 2) * 4) % 8, cy = y % 8;
                const bool gap = cx == 0 || cy == 0;
                return gap ? Own(PlaceRamp::Deep, 3) : Own(PlaceRamp::Path, (cx + cy < 6) ? 4 : 3);
            }
            // Rain puddles that catch the street lamps: dark water, soft
            // ripples and a few warm glints.
            if (h % 41 == 0 || (h % 41 == 1 && x > 0)) return Own(PlaceRamp::Light, 5);
            return ((y * 3 + Sine64(x * 3 + y) / 40) / 10) % 4 == 0 ? Own(PlaceRamp::Water, 2) : Own(PlaceRamp::Water, 1);
        case Place::Eastern:
            if (t == Terrain::Ground) return Speckle(x, y, seed, PlaceRamp::Ground, 4);
            if (t == Terrain::Path) return (x % 16 == 0 || y % 16 == 0) ? Own(PlaceRamp::PathEdge, 4) : Speckle(x, y, seed, PlaceRamp::Path, 5);
            // Raked gravel: soft waves.
            return ((y + Sine64(x * 4) / 64) % 6 < 2) ? Own(PlaceRamp::Ground2, 4) : Own(PlaceRamp::Ground2, 5);
        case Place::Wetland:
        default:
            if (t == Terrain::Ground) return (h % 31 == 0) ? Own(PlaceRamp::Ground2, 4) : Speckle(x, y, seed, PlaceRamp::Ground, 3);
            if (t == Terrain::Path) return (y % 8 == 0) ? Own(PlaceRamp::Wood, 2) : Own(PlaceRamp::Wood, (x + variant * 5) % 29 == 0 ? 3 : 5);
            // Water uses only the five cycled entries: level bands with short
            // bright wavelets, which the cycling makes shimmer.
            {
                const int wave = y * 4 + Sine64(x * 3 + (y / 8) * 11) / 48;
                const int band = ((wave / 12) % 6 + 6) % 6;
                if (band == 0) return Special(3 + int(h % 4 == 0));
                return Special(band == 3 ? 0 : 1 + int(band > 3));
            }
    }
}

// Small details on plain tiles so large areas do not look tiled.
void Decorate(Picture& tile, Place land, Terrain t, int variant) {
    if (variant == 0) return;
    const uint32_t seed = uint32_t(land) * 31 + uint32_t(t) * 7 + uint32_t(variant);
    const int x = 6 + int(Hash(1, 2, seed) % 20), y = 6 + int(Hash(3, 4, seed) % 20);
    switch (t) {
        case Terrain::Ground:
            if (land == Place::Jazzland) {
                tile.FillRect(x - 3, y - 3, 7, 7, Own(PlaceRamp::Ground, 1));  // drain cover
                tile.FillRect(x - 2, y - 2, 5, 1, Own(PlaceRamp::Ground, 4));
            } else if (land == Place::Aussie) {
                tile.FillEllipse(x, y, 3, 2, Own(PlaceRamp::Wall, 3));
                tile.FillEllipse(x + 5, y + 3, 2, 1, Own(PlaceRamp::Wall, 4));
            } else {
                // A little flower.
                const uint8_t petal = variant == 2 ? Own(PlaceRamp::Flower, 5) : Common(Ramp::Grey, 7);
                tile.FillEllipse(x, y, 2, 2, petal);
                tile.Plot(x, y, Own(PlaceRamp::Flower, 3));
                tile.FillEllipse(x + 7, y + 4, 1, 1, petal);
            }
            break;
        case Terrain::Path:
            if (land != Place::Funland && land != Place::Wetland && land != Place::Jazzland) {
                tile.FillEllipse(x, y, 2, 1, Own(PlaceRamp::PathEdge, 2));
                tile.Plot(x - 1, y - 1, Own(PlaceRamp::Path, 6));
            }
            break;
        case Terrain::Feature:
            if (land == Place::Wetland && variant >= 2) {
                // A lily pad with a notch, and a flower on one of them.
                tile.FillEllipse(x, y, 6, 4, Own(PlaceRamp::Foliage, 4));
                tile.FillPolygon({{x, y}, {x + 7, y - 2}, {x + 7, y + 2}}, Special(2));
                if (variant == 3) tile.FillEllipse(x - 2, y - 1, 2, 2, Own(PlaceRamp::Flower, 5));
            } else if (land == Place::Celtic) {
                // A tuft of heather in flower on the hilltop.
                tile.FillEllipse(x, y, 3, 2, Own(PlaceRamp::Ground2, 4));
                tile.FillEllipse(x - 1, y - 1, 1, 1, Own(PlaceRamp::Ground2, 6));
            } else if (land == Place::Eastern && variant >= 2) {
                // A mossy stone set in the raked gravel, the rake lines round it.
                tile.FillEllipse(x, y, 6, 4, Own(PlaceRamp::Ground2, 2));
                tile.FillEllipse(x, y - 1, 5, 3, Own(PlaceRamp::PathEdge, 3));
                tile.FillEllipse(x - 1, y - 2, 3, 1, Own(PlaceRamp::Foliage, 4));
            } else if (land == Place::Jazzland && variant >= 2) {
                // A lamp's reflection rippling in the puddle.
                for (int k = 0; k < 4; ++k) tile.FillRect(x - 3 + (k % 2), y + 3 * k, 7 - 2 * k, 1, Own(PlaceRamp::Light, 6 - k / 2));
            }
            break;
    }
}

// The rim of a patch of the land's feature: the lit and shaded slopes of a
// celtic hill and its shadow on the grass, a wetland bank with reeds, the
// wet edge of a jazz puddle. Other lands keep the plain pixel c.
uint8_t FeatureEdge(Place land, bool inside, int value, double lit, int x, int y, uint8_t c) {
    const uint32_t h = Hash(x, y, uint32_t(land) * 5 + 3);
    switch (land) {
        case Place::Celtic:
            if (inside && value < 820) {
                if (lit > 0.3) return Own(PlaceRamp::Ground, value < 640 ? 6 : 5);
                if (lit < -0.3) return Own(PlaceRamp::Ground, value < 640 ? 2 : 3);
            } else if (!inside && value > 330 && lit < -0.3) {
                return Own(PlaceRamp::Ground, 2);  // the hill's shadow
            }
            return c;
        case Place::Wetland:
            if (inside && value < 580) return Special(4);                         // foam at the bank
            if (!inside && value > 420) return Own(PlaceRamp::Ground2, 3);       // muddy bank
            if (!inside && value > 300 && (x % 5 == 0 || (x % 5 == 1 && h % 3 == 0)) && y % 32 > 4)
                return Own(PlaceRamp::Foliage, 2 + int(h % 3));                  // reeds
            return c;
        case Place::Jazzland:
            if (inside && value < 600) return Own(PlaceRamp::Water, 3);
            if (!inside && value > 440) return Own(PlaceRamp::Deep, 2);
            return c;
        default:
            return c;
    }
}

Picture MakeTile(Place land, Terrain other, int mask) {
    Picture tile(kTileSize, kTileSize);
    const int n = kTileSize;
    // Corner memberships of the other terrain, 0 or 1024.
    const int tl = (mask & 1) ? 1024 : 0, tr = (mask & 2) ? 1024 : 0;
    const int bl = (mask & 4) ? 1024 : 0, br = (mask & 8) ? 1024 : 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            // Bilinear blend of the corners at the pixel's centre.
            const int u = (2 * x + 1) * 512 / n, v = (2 * y + 1) * 512 / n;  // 0..1024
            const int top = tl + (tr - tl) * u / 1024, bottom = bl + (br - bl) * u / 1024;
            const int value = top + (bottom - top) * v / 1024 + PeriodicNoise(x, y) * 3 / 5;
            const bool isOther = value > 512;
            const bool edge = std::abs(value - 512) < 60;
            uint8_t c = TerrainPixel(land, isOther ? other : Terrain::Ground, x, y, 0);
            if (other == Terrain::Feature) {
                // Which way the patch lies from here (the blend's slope),
                // scored against light from the upper left: +1 facing it.
                const double gu = double(tr - tl) * (1024 - v) + double(br - bl) * v;
                const double gv = double(bl - tl) * (1024 - u) + double(br - tr) * u;
                const double len = std::sqrt(gu * gu + gv * gv);
                const double lit = len > 0 ? (gu + gv) / (len * 1.4142) : 0;
                c = FeatureEdge(land, isOther, value, lit, x, y, c);
            }
            // Only paths get a kerb; patches of the land's feature blend in
            // without a grey rim.
            if (edge && isOther && other == Terrain::Path)
                c = Own(PlaceRamp::PathEdge, 3);
            else if (edge && !isOther && other == Terrain::Path)
                c = Own(land == Place::Jazzland ? PlaceRamp::Deep : PlaceRamp::Ground, land == Place::Jazzland ? 4 : 2);
            tile.Plot(x, y, c);
        }
    return tile;
}

Picture PlainTile(Place land, Terrain t, int variant) {
    Picture tile(kTileSize, kTileSize);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x) tile.Plot(x, y, TerrainPixel(land, t, x, y, variant));
    Decorate(tile, land, t, variant);
    return tile;
}

}  // namespace

int TileNumber(Terrain other, int mask, int variant) {
    variant &= 3;
    if (mask == 0 || other == Terrain::Ground) return variant;
    const int base = other == Terrain::Path ? 4 : 22;
    if (mask == 15) return base + 14 + variant;
    return base + mask - 1;
}

Picture LandTileSet(Place land) {
    Picture sheet(kTilesPerRow * kTileSize, ((kTileCount + kTilesPerRow - 1) / kTilesPerRow) * kTileSize);
    auto put = [&](int number, const Picture& tile) {
        sheet.Draw(tile, (number % kTilesPerRow) * kTileSize, (number / kTilesPerRow) * kTileSize, -1);
    };
    for (int v = 0; v < 4; ++v) {
        put(TileNumber(Terrain::Ground, 0, v), PlainTile(land, Terrain::Ground, v));
        put(TileNumber(Terrain::Path, 15, v), PlainTile(land, Terrain::Path, v));
        put(TileNumber(Terrain::Feature, 15, v), PlainTile(land, Terrain::Feature, v));
    }
    for (int mask = 1; mask < 15; ++mask) {
        put(TileNumber(Terrain::Path, mask, 0), MakeTile(land, Terrain::Path, mask));
        put(TileNumber(Terrain::Feature, mask, 0), MakeTile(land, Terrain::Feature, mask));
    }
    return sheet;
}

}  // namespace assetgen
