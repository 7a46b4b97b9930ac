#include "app/form1.h"
#include "framework/number_text.h"
#include "framework/numeric.h"

namespace dialvane {
namespace {

constexpr double referenceSize = 2220;  // the size at which the needle is 825 long
constexpr double referenceNeedle = 825;
constexpr float parked = 10000;  // pivot while the window is not square
constexpr double dotOffsetDivisor = 3.5;
constexpr double labelOffsetDivisor = 6;

}  // namespace

// Runs inside every size change. A failed step is skipped and the next one goes on with what
// the earlier steps left.
void Form1::Form_Resize() {
    skipOnError([this] { centreX = toSingle(scaleHeight() / 2.0); });
    const bool square = height() == width();
    if (square) {
        centreY = centreX;
    } else {
        centreX = parked;
        centreY = parked;
    }
    skipOnError([this] { SecZ.setX1(centreX); });
    skipOnError([this] { SecZ.setY1(centreY); });
    double factor = 0;
    skipOnError([this, &factor] {
        factor = textToDouble(txtHeight.text(), platform().numberFormat()) / referenceSize;
    });
    skipOnError([this, factor] { needleLength = toSingle(referenceNeedle * factor); });
    skipOnError([this] { lbl_MEM.setTop(toSingle(centreY - lbl_MEM.height())); });
    skipOnError([this] { lbl_MEM.setLeft(toSingle(centreX - lbl_MEM.width() / 2.0)); });
    skipOnError([this] { PositionElemente(); });
    if (square) {
        // The dial is stretched once per size into the persistent background; painting only
        // copies it.
        skipOnError([this] { setAutoRedraw(true); });
        skipOnError([this] { paintPicture(picture(), {0, 0, scaleWidth(), scaleHeight()}); });
        skipOnError([this] { setAutoRedraw(false); });
    }
}

// The pivot in the middle of the window's height, in the state and at the needle's end alike.
void Form1::centrePivot() {
    centreX = toSingle(scaleHeight() / 2.0);
    centreY = centreX;
    SecZ.setX1(centreX);
    SecZ.setY1(centreY);
}

// Places the reading label at the pivot state and the hub, mode dots and mode label around
// the needle's pivot; only positions scale with the size.
void Form1::PositionElemente() {
    const std::int16_t dotOffset = toInt16(height() / dotOffsetDivisor);
    const std::int16_t labelOffset = toInt16(height() / labelOffsetDivisor);
    lbl_MEM.setTop(toSingle(centreY - lbl_MEM.height()));
    lbl_MEM.setLeft(toSingle(centreX - lbl_MEM.width() / 2.0));
    ImgMitte.setTop(toSingle(SecZ.y1() - ImgMitte.height() / 2.0));
    ImgMitte.setLeft(toSingle(SecZ.x1() - ImgMitte.width() / 2.0));
    ImgDot1.setTop(toSingle(dotOffset + SecZ.y1() - ImgDot1.height() / 2.0));
    ImgDot1.setLeft(toSingle(SecZ.x1() - ImgDot1.width() / 2.0));
    imgDot0.setTop(toSingle(dotOffset + SecZ.y1() - imgDot0.height() / 2.0));
    imgDot0.setLeft(toSingle(SecZ.x1() - imgDot0.width() / 2.0));
    lblHDRAM.setTop(toSingle(labelOffset + SecZ.y1() - lblHDRAM.height() / 2.0));
    lblHDRAM.setLeft(toSingle(SecZ.x1() - lblHDRAM.width() / 2.0));
}

}  // namespace dialvane
