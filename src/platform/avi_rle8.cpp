#include "platform/avi_rle8.h"

#include <algorithm>
#include <cstring>

namespace platform::avi {
namespace {

constexpr uint8_t kEscape = 0;
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;
constexpr int kMaxCount = 255;
// Below this many equal pixels a run does not pay for breaking a literal.
constexpr int kMinRun = 3;
// Unchanged gaps shorter than this are cheaper to code than to skip.
constexpr int kMinSkip = 4;

int RunLength(const uint8_t* row, int from, int end) {
    int n = 1;
    while (from + n < end && n < kMaxCount && row[from + n] == row[from]) ++n;
    return n;
}

// Codes row[begin, end) with runs and literals.
void EncodeSpan(const uint8_t* row, int begin, int end, std::vector<uint8_t>& out) {
    int i = begin;
    while (i < end) {
        const int run = RunLength(row, i, end);
        if (run >= kMinRun) {
            out.push_back(uint8_t(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        int j = i;
        while (j < end && j - i < kMaxCount && RunLength(row, j, end) < kMinRun) ++j;
        const int length = j - i;
        if (length < kMinRun) {
            // Literal codes start at 3 (0, 1 and 2 are escapes): single runs.
            for (int k = i; k < j; ++k) {
                out.push_back(1);
                out.push_back(row[k]);
            }
        } else {
            out.push_back(kEscape);
            out.push_back(uint8_t(length));
            out.insert(out.end(), row + i, row + j);
            if (length & 1) out.push_back(0);  // literals end on a 16-bit boundary
        }
        i = j;
    }
}

// Emits codes that move the decoder's cursor from (x, y) to (toX, toY), toY >= y.
void MoveTo(int& x, int& y, int toX, int toY, std::vector<uint8_t>& out) {
    if (toY > y && toX < x) {
        out.push_back(kEscape);
        out.push_back(kEndOfLine);
        x = 0;
        ++y;
    }
    while (x != toX || y != toY) {
        const int dx = std::min(toX - x, kMaxCount);
        const int dy = std::min(toY - y, kMaxCount);
        out.push_back(kEscape);
        out.push_back(kDelta);
        out.push_back(uint8_t(dx));
        out.push_back(uint8_t(dy));
        x += dx;
        y += dy;
    }
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const uint8_t* pixels, const uint8_t* previous, int width,
                                int height) {
    std::vector<uint8_t> out;
    int x = 0, y = 0;  // decoder cursor; y counts rows from the bottom
    for (int dibRow = 0; dibRow < height; ++dibRow) {
        const size_t offset = size_t(height - 1 - dibRow) * size_t(width);
        const uint8_t* row = pixels + offset;
        const uint8_t* before = previous ? previous + offset : nullptr;
        auto changed = [&](int i) { return !before || row[i] != before[i]; };
        int i = 0;
        while (i < width) {
            while (i < width && !changed(i)) ++i;
            if (i == width) break;
            // The span ends at a gap of unchanged pixels long enough to skip.
            int end = i + 1;
            for (;;) {
                while (end < width && changed(end)) ++end;
                int gapEnd = end;
                while (gapEnd < width && !changed(gapEnd)) ++gapEnd;
                if (end == width || gapEnd - end >= kMinSkip || gapEnd == width) break;
                end = gapEnd;
            }
            MoveTo(x, y, i, dibRow, out);
            EncodeSpan(row, i, end, out);
            x = end;
            i = end;
        }
    }
    out.push_back(kEscape);
    out.push_back(kEndOfBitmap);
    return out;
}

bool DecodeRle8(const uint8_t* data, size_t size, uint8_t* pixels, int width, int height,
                int pitch) {
    if (width <= 0 || height <= 0 || pitch < width) return false;
    auto rowStart = [&](int y) { return pixels + size_t(height - 1 - y) * size_t(pitch); };
    int x = 0, y = 0;
    size_t p = 0;
    while (p < size) {
        if (size - p < 2) return false;
        const uint8_t count = data[p], value = data[p + 1];
        p += 2;
        if (count != kEscape) {
            if (y >= height || count > width - x) return false;
            std::memset(rowStart(y) + x, value, count);
            x += count;
            continue;
        }
        switch (value) {
            case kEndOfLine:
                if (y >= height) return false;
                x = 0;
                ++y;
                break;
            case kEndOfBitmap:
                return true;
            case kDelta:
                if (size - p < 2) return false;
                x += data[p];
                y += data[p + 1];
                p += 2;
                if (x > width || y > height) return false;
                break;
            default: {
                const size_t length = value;
                if (size - p < length || y >= height || int(length) > width - x) return false;
                std::memcpy(rowStart(y) + x, data + p, length);
                x += int(length);
                p += length;
                if ((length & 1) && p < size) ++p;  // padding (may be missing at the very end)
                break;
            }
        }
    }
    return true;
}

}  // namespace platform::avi
