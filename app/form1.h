#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/command_button.h"
#include "framework/control_array.h"
#include "framework/form.h"
#include "framework/frame.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/line.h"
#include "framework/text_box.h"
#include "framework/timer.h"
#include "gauge/module1.h"
#include "window/full_screen.h"

namespace dialvane {

// The instrument's one window: its elements, the state its handlers share, and the handlers.
// The handlers live in the folder of their subsystem.
class Form1 : public Form {
public:
    // What Label3 shows when loaded and again after every press on the window.
    static constexpr std::string_view creditLine = "Dialvane 1.0";
    static constexpr Colour creditColour = Colour::rgb(128, 128, 128);

    explicit Form1(Platform& platform);

    // Elements, in the order the window defines them.
    Frame Frame1;
    CommandButton cmd_clear;
    CommandButton cmd_aus;
    CommandButton cmd_auto;
    TextBox Monis;
    CommandButton cmd_weiter;
    Timer Timer2;
    Timer Timer1;
    TextBox txtHeight;
    ControlArray<Label> Label4;
    Image cmd_EXIT;
    Label Label3;
    Image Image1;
    Label lblHDRAM;
    Image imgDot0;
    Image ImgDot1;
    Image ImgMitte;
    Image Image2;
    Label MEMTOP;
    Label MEMLeft;
    Label lbl_MEM;
    Line SecZ;

    // Window state, all zero when loaded.
    float centreX = 0;  // needle pivot, twips
    float centreY = 0;
    float needleLength = 0;  // twips
    std::int32_t dragX = 0;  // pointer at the last press, twips
    std::int32_t dragY = 0;
    double reading = 0;  // percent
    std::int16_t sweepCount = 0;

    // Start-up and shutdown.
    void Form_Load() override;
    void Form_Unload(std::int16_t& cancel) override;
    void cmd_EXIT_Click();

    // What a screen reader says: "Dialvane, Arbeitsspeicher" and the reading as shown; the text
    // boxes take the label beside them, the red cross is "Beenden".
    std::string accessibleWindowName() const override;
    const Label* valueLabel() const override { return &lbl_MEM; }
    std::string accessibleNameOf(const Element& element) const override;
    // The figures behind the reading, "Arbeitsspeicher: 11,2 GB von 15,9 GB belegt, 4,7 GB frei"
    // or "Laufwerk C: 310 GB von 476 GB belegt, 166 GB frei"; shown on the round gauge only.
    std::string details() override;
    bool detailsOnHover() const override;

    // Gauge.
    void Drehen(const double& position);
    void MemoryCheck();
    void StartSweep();
    void Timer1_Timer();
    void Timer2_Timer();

    // Outline, stacking and layout.
    void Eckig();
    void TopWindow(const WindowHandle& hwnd);
    void Form_DpiChanged() override;
    void Form_Resize() override;
    void Form_DisplayChanged() override;
    void PositionElemente();

    // Pointer: dragging, the mode dot, the double-click, the options view.
    void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
    void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
    void Form_DblClick() override;
    // The dial's centre, where the context-menu key presses.
    Point contextPoint() const override { return {centreX, centreY}; }
    void imgDot0_Click();
    void ImgDot1_Click();
    void RestartGauge();

    // Options panel: size and monitors, autostart, clean-up.
    void txtHeight_KeyPress(std::int16_t& KeyAscii);
    void Monis_KeyPress(std::int16_t& KeyAscii);
    void cmd_weiter_Click();
    bool SetAutoRun(const std::string& valueName, const std::string& data);
    bool RemoveAutoRun(const std::string& valueName);
    // Takes the start-up list's "turned off" mark from the Run value of that name; true when
    // no mark is left.
    bool removeStartupMark(const std::string& valueName);
    void cmd_auto_Click();
    void cmd_aus_Click();
    void cmd_clear_Click();

private:
    void defineLabel4();
    void connectEvents();

    std::string stored(std::string_view key, std::string_view fallback);
    float storedPosition(std::string_view key);

    void DiskCheck();
    void takeReading();
    void followReading();

    void Rund();
    // The outline in twips: a window of this size with corners of this many pixels.
    struct Outline {
        float width;
        float height;
        std::int32_t corner;
    };
    void applyOutline(std::int32_t corner);
    void keepInSight(bool placedByUser);
    void lookForFullScreen(std::int32_t elapsed);
    void restUpdateCycle();
    void makeOutline(const Outline& outline);
    std::optional<Outline> outline_;  // the one last applied

    void ShowOptions();
    void centrePivot();
    void switchMode(Image& hidden, Image& shown, const std::string& mode);
    void CleanUpMemory();
    std::string startCommand() const;
    bool autoRunRemains(const std::string& valueName);
    void save(std::string_view key, const std::string& value);

    Module1 module1_{platform()};
    // The gauge's own place while it stands elsewhere because no monitor showed it, and where
    // it was brought then; forgotten once it is moved.
    std::optional<Point> homePlace_;
    Point broughtTo_;
    FullScreenWatch fullScreenWatch_;
};

}  // namespace dialvane
