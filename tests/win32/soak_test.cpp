#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <string>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// What a long run could leak, measured the way the system counts it where it can.
struct Usage {
    long gdiObjects;
    long kernelHandles;
    long long privateBytes;
};

// One entry of the GDI handle table Wine shares with the process (x64 layout).
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
constexpr std::size_t gdiTableEntries = 0x10000;
constexpr std::size_t gdiTableInPeb = 0xF8;  // GdiSharedHandleTable in the 64-bit PEB

const GdiTableEntry* gdiTable() {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr ||
        query(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return nullptr;
    }
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
    return *reinterpret_cast<const GdiTableEntry* const*>(peb + gdiTableInPeb);
}

// Wine answers GetGuiResources with 0; its handle table has an entry for each live object.
long gdiObjects() {
    if (const DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); count > 0) {
        return static_cast<long>(count);
    }
    const GdiTableEntry* table = gdiTable();
    long used = 0;
    for (std::size_t i = 0; table != nullptr && i < gdiTableEntries; ++i) {
        used += table[i].type != 0 ? 1 : 0;
    }
    return used;
}

// Wine answers GetProcessHandleCount with 0; its handles are the lowest free multiples of 4,
// so asking each possible value finds them all.
long kernelHandles() {
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count > 0) {
        return static_cast<long>(count);
    }
    long live = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        live += ::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return live;
}

// Wine leaves PrivateUsage at 0 and counts the same bytes as PagefileUsage.
long long privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return static_cast<long long>(counters.PrivateUsage > 0 ? counters.PrivateUsage
                                                            : counters.PagefileUsage);
}

Usage usage() {
    return {gdiObjects(), kernelHandles(), privateBytes()};
}

std::ostream& operator<<(std::ostream& out, const Usage& usage) {
    return out << usage.gdiObjects << " GDI objects, " << usage.kernelHandles << " kernel handles, "
               << usage.privateBytes / 1024 << " KiB private";
}

// Once settled, a day's worth of ticks must not add more than this.
constexpr long gdiTolerance = 2;
constexpr long handleTolerance = 2;
constexpr long long privateTolerance = 512 * 1024;

// Each happens once in the first thousand ticks too, so whatever is made once has been made
// when the usage is taken after them.
constexpr int ticks = 100'000;
constexpr int settleTicks = 1'000;
constexpr int restartEvery = 100;
constexpr int modeSwitchEvery = 1'000;
constexpr int modeSwitchAt = 250;
constexpr int newSizeEvery = 5'000;
constexpr int newSizeAt = 500;
constexpr std::array<const wchar_t*, 4> sizes = {L"2500", L"800", L"1777", L"1200"};

// The program's window in its real host, driven faster than its timers would: each tick is
// the timer message and the repaint it asks for.
class Soak : public testing::ProgramWindow {
protected:
    void SetUp() override {
        ProgramWindow::SetUp();
        testing::pumpMessages(50);
    }

    // The host numbers the form's timers in definition order from 1.
    UINT_PTR runningTimer() const {
        UINT_PTR id = 0;
        for (const Element* element : form.elements()) {
            if (element->kind() == ElementKind::Timer) {
                ++id;
                if (static_cast<const Timer*>(element)->enabled()) {
                    return id;
                }
            }
        }
        return 0;
    }
    void tick() const {
        ::SendMessageW(window.handle(), WM_TIMER, runningTimer(), 0);
        ::RedrawWindow(window.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // Everything but the real timers, which would tick in between.
    static void pumpAllButTimers() {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               ::PeekMessageW(&message, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    void click(UINT down, UINT up, WPARAM held, int x, int y) const {
        ::SendMessageW(window.handle(), down, held, MAKELPARAM(x, y));
        ::SendMessageW(window.handle(), up, 0, MAKELPARAM(x, y));
    }
    void clickModeDot() const {
        const Image& dot = form.imgDot0.visible() ? form.imgDot0 : form.ImgDot1;
        const float tpp = platform.twipsPerPixelX();
        click(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON,
              static_cast<int>((dot.left() + dot.width() / 2) / tpp),
              static_cast<int>((dot.top() + dot.height() / 2) / tpp));
    }
    // A right click opens the options; the size is typed into its box and applied.
    void applySize(const wchar_t* size) const {
        click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 2, 2);
        ::SetWindowTextW(window.controlOf(form.txtHeight), size);
        ::SendMessageW(window.controlOf(form.cmd_weiter), BM_CLICK, 0, 0);
    }
};

TEST_F(Soak, AHundredThousandTicksEndWhereTheFirstThousandSettled) {
    const Usage start = usage();
    Usage settled{};
    int sizeChanges = 0;
    int modeSwitches = 0;
    const DWORD began = ::GetTickCount();
    for (int n = 1; n <= ticks; ++n) {
        tick();
        if (n % restartEvery == 0) {
            form.raise([this] { form.RestartGauge(); });
            pumpAllButTimers();
        }
        if (n % modeSwitchEvery == modeSwitchAt) {
            const std::string mode = form.lblHDRAM.caption();
            clickModeDot();
            modeSwitches += form.lblHDRAM.caption() != mode ? 1 : 0;
        }
        if (n % newSizeEvery == newSizeAt) {
            const float before = form.width();
            applySize(sizes[(n / newSizeEvery) % sizes.size()]);
            sizeChanges += form.width() != before ? 1 : 0;
        }
        if (n == settleTicks) {
            settled = usage();
        }
    }
    const Usage end = usage();
    std::cout << "start:       " << start << "\nafter " << settleTicks << ":  " << settled
              << "\nafter " << ticks << ": " << end << "\n"
              << ticks << " ticks, " << modeSwitches << " mode switches, " << sizeChanges
              << " new sizes in " << ::GetTickCount() - began << " ms\n";

    EXPECT_FALSE(form.lastError().has_value());
    EXPECT_EQ(modeSwitches, ticks / modeSwitchEvery);
    EXPECT_EQ(sizeChanges, ticks / newSizeEvery);
    EXPECT_LE(end.gdiObjects, settled.gdiObjects + gdiTolerance);
    EXPECT_LE(end.kernelHandles, settled.kernelHandles + handleTolerance);
    EXPECT_LE(end.privateBytes, settled.privateBytes + privateTolerance);
}

}  // namespace
}  // namespace dialvane
