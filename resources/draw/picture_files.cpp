#include "resources/draw/picture_files.h"

#include "resources/draw/drawings.h"
#include "resources/draw/gif_file.h"
#include "resources/draw/jpeg_file.h"
#include "resources/draw/windows_icon_file.h"

namespace dialvane::draw {

std::vector<PictureFile> pictureFiles() {
    constexpr int jpegQuality = 92;
    return {
        {"dialvane.ico", iconFile(drawIcon())},
        {"hand.cur", cursorFile(drawHandCursor(), 0, 0)},
        {"dial_face.jpg", jpegFile(drawDialFace(), jpegQuality)},
        {"options_background.jpg", jpegFile(drawOptionsBackground(), jpegQuality)},
        {"exit_cross.gif", gifFile(drawExitCross(), formGrey)},
        {"dot_ring.gif", gifFile(drawDotRing(), dialFaceBelowCentre)},
        {"dot_filled.gif", gifFile(drawDotFilled(), dialFaceBelowCentre)},
        {"hub.gif", gifFile(drawHub(), dialCentreDot)},
    };
}

}  // namespace dialvane::draw
