#include "app/form1.h"

namespace dialvane {
namespace {

constexpr Colour grey192 = Colour::rgb(192, 192, 192);
constexpr Colour captionBrown = Colour::rgb(192, 64, 0);
constexpr Colour orange = Colour::rgb(255, 128, 0);

const Font weiterFont{"MS Sans Serif", 9.75F, 700};
const Font modeFont{"MS Serif", 6.75F, 400, FontFamily::Serif};

}  // namespace

// The window as it stands when loaded, before any handler runs.
Form1::Form1(Platform& platform)
    : Form(platform),
      Frame1(*this, {.name = "Frame1", .tabIndex = 3}, {2460, -60, 4575, 2325}, "Frame1", grey192),
      cmd_clear(*this, {.name = "cmd_clear", .container = &Frame1, .tabIndex = 13},
                {330, 420, 2100, 285}, "Speicher aufräumen"),
      cmd_aus(*this, {.name = "cmd_aus", .container = &Frame1, .tabIndex = 12},
              {2940, 420, 1485, 285}, "kein AutoStart"),
      cmd_auto(*this, {.name = "cmd_auto", .container = &Frame1, .tabIndex = 11},
               {2940, 105, 1485, 285}, "AutoStart"),
      Monis(*this, {.name = "Monis", .container = &Frame1, .tabIndex = 9}, {1995, 855, 345, 285},
            "2"),
      cmd_weiter(*this, {.name = "cmd_weiter", .container = &Frame1, .tabIndex = 7},
                 {930, 1590, 2505, 585}, "weiter", weiterFont, true),
      Timer2(*this, {.name = "Timer2", .container = &Frame1}, false, 1000),
      Timer1(*this, {.name = "Timer1", .container = &Frame1}, false, 1000),
      txtHeight(*this, {.name = "txtHeight", .container = &Frame1, .tabIndex = 4},
                {1695, 1200, 645, 330}, "2220"),
      cmd_EXIT(*this, {.name = "cmd_EXIT", .container = &Frame1}, {3750, 1500, 600, 615},
               PictureId::ExitCross, PointerId::Hand),
      Label3(*this, {.name = "Label3", .container = &Frame1, .tabIndex = 6}, {330, 120, 2400, 240},
             std::string(creditLine), {.foreColor = creditColour}),
      Image1(*this, {.name = "Image1", .visible = false}, {7575, 3150, 9270, 8310},
             PictureId::OptionsBackground),
      lblHDRAM(*this, {.name = "lblHDRAM", .tabIndex = 14, .enabled = false},
               {1260, 2730, 540, 225}, "RAM", {.alignment = Alignment::Centre, .font = modeFont}),
      imgDot0(*this, {.name = "imgDot0"}, {1260, 1260, 210, 210}, PictureId::DotRing),
      ImgDot1(*this, {.name = "ImgDot1", .visible = false}, {1260, 3465, 210, 210},
              PictureId::DotFilled),
      ImgMitte(*this, {.name = "ImgMitte", .enabled = false}, {6780, 3570, 240, 240},
               PictureId::Hub),
      Image2(*this, {.name = "Image2", .visible = false}, {4320, 3210, 2220, 2235},
             PictureId::DialFace),
      MEMTOP(*this, {.name = "MEMTOP", .tabIndex = 2, .visible = false}, {9240, 90, 1065, 330},
             "Top", {}),
      MEMLeft(*this, {.name = "MEMLeft", .tabIndex = 1, .visible = false}, {9240, 510, 1065, 330},
              "Left", {}),
      lbl_MEM(*this, {.name = "lbl_MEM", .tabIndex = 0, .enabled = false}, {780, 570, 765, 315}, "",
              {.foreColor = orange, .alignment = Alignment::Centre, .pointer = PointerId::Hand}),
      SecZ(*this, {.name = "SecZ"}, {1170, 1080, 780, 1800}, Colour::rgb(255, 0, 0), 4) {
    define({.caption = "Dialvane", .bounds = {0, 0, 10875, 6150}, .backColor = grey192});
    defineLabel4();
    setStacking({&Frame1, &Image1, &lblHDRAM, &imgDot0, &ImgDot1, &ImgMitte, &Image2, &MEMTOP,
                 &MEMLeft, &lbl_MEM, &SecZ});
    connectEvents();
    Frame1.setStacking({&cmd_clear, &cmd_aus, &cmd_auto, &Monis, &cmd_weiter, &txtHeight,
                        &Label4(3), &Label4(1), &cmd_EXIT, &Label3, &Label4(0)});
}

void Form1::defineLabel4() {
    const Label::Style style{.foreColor = captionBrown};
    Label4.add(
        3, *this,
        Element::Definition{.name = "Label4", .container = &Frame1, .index = 3, .tabIndex = 10},
        Bounds{2760, 1260, 1065, 240}, "(800 .. 2500)", style);
    Label4.add(
        1, *this,
        Element::Definition{.name = "Label4", .container = &Frame1, .index = 1, .tabIndex = 8},
        Bounds{225, 900, 1785, 240}, "Anzahl (max.2) Monitore:", style);
    Label4.add(
        0, *this,
        Element::Definition{.name = "Label4", .container = &Frame1, .index = 0, .tabIndex = 5},
        Bounds{270, 1260, 1275, 240}, "Instrument-Größe:", style);
}

}  // namespace dialvane
