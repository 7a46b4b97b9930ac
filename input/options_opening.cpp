#include "app/form1.h"

namespace dialvane {
namespace {

constexpr float optionsWidth = 6800;
constexpr float optionsHeight = 2220;
constexpr float optionsNeedle = 800;
constexpr float readingPlace = 750;

}  // namespace

// The black wide view: the instrument in the left square with a needle of fixed length, the
// panel to its right, and the sweep started again.
void Form1::ShowOptions() {
    setWidth(optionsWidth);
    setHeight(optionsHeight);
    setPicture(Image1.picture());
    Frame1.setLeft(height() + 1);
    Eckig();
    centrePivot();
    needleLength = optionsNeedle;
    PositionElemente();
    lbl_MEM.setLeft(readingPlace);
    lbl_MEM.setTop(readingPlace);
    StartSweep();
}

}  // namespace dialvane
