// Writes the credits' pictures into the data folder.
#include <cstdio>

#include "assetgen/art_bmp_writer.h"
#include "assetgen/chars_sheets.h"
#include "assetgen/credits_art.h"
#include "assetgen/generators.h"

namespace assetgen {

int WriteCredits(const std::string& dataDir) {
    const world::palette_plan::Palette palette = credits::CreditsPalette();
    auto write = [&](const std::string& gameName, const Picture& pic) {
        return WriteBmp8(dataDir + "/" + chars::DataPath(gameName), pic.width(), pic.height(), pic.pixels(), palette);
    };
    int ok = write(world::chars::kCreditsBackground, credits::DrawBackground());
    for (int page = 0; page < world::chars::kCreditPages; ++page) {
        const world::chars::CreditsPage tables = world::chars::MakeCreditsPage(page);
        int failures = 0;
        const Picture sheet = credits::DrawCreditsSheet(tables, &failures);
        if (failures) {
            std::fprintf(stderr, "assetgen: %s: %d cells of unknown tasks\n", tables.sheetFile.c_str(), failures);
            ok = 0;
        }
        ok &= write(tables.sheetFile, sheet);
    }
    for (int caption = 0; caption < world::chars::kCreditCaptionCount; ++caption)
        ok &= write(world::chars::CreditCaptionPlace(caption).file, credits::DrawCaption(caption));
    ok &= write(world::chars::kCreditsClosing, credits::DrawClosingPicture());
    for (int logo = 1; logo <= world::chars::kCreditLogos; ++logo)
        ok &= write(world::chars::CreditLogoFile(logo), credits::DrawLogo(logo));
    return ok;
}

}  // namespace assetgen
