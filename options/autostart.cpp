#include "app/form1.h"

namespace dialvane {
namespace {

constexpr std::string_view runKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Query, set, create sub-key, enumerate, notify and create link; no standard rights.
constexpr std::uint32_t runKeyAccess = 0x3F;
constexpr std::uint32_t queryValue = 0x1;
constexpr std::uint32_t setValue = 0x2;
// Where Task Manager's start-up list keeps the Run values it has turned off.
constexpr std::string_view startupApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

}  // namespace

// The folder and the program's name without extension. Where Windows would read that as
// another program, it is written so it starts this one: quoted with a space in it, and with
// ".exe" kept when the name has a dot of its own.
std::string Form1::startCommand() const {
    std::string command = platform().appPath();
    if (command.empty() || command.back() != '\\') {
        command += '\\';
    }
    const std::string name = platform().exeName();
    command += name;
    if (name.find('.') != std::string::npos) {
        command += ".exe";
    }
    if (command.find(' ') != std::string::npos) {
        command = '"' + command + '"';
    }
    return command;
}

// Name and command go to the ANSI functions in the ANSI code page; where either has no place
// there, both go in UTF-16, or they would be stored with question marks.
bool Form1::SetAutoRun(const std::string& valueName, const std::string& data) {
    RegistryKey key = 0;
    if (platform().RegOpenKeyExA(hkeyCurrentUser, runKey, 0, runKeyAccess, key) != errorSuccess) {
        return false;
    }
    const auto ansiName = platform().toAnsi(valueName);
    const auto ansi = platform().toAnsi(data);
    const std::int32_t result =
        ansiName && ansi ? platform().RegSetValueExA(key, *ansiName, 0, regSz, *ansi,
                                                     static_cast<std::uint32_t>(ansi->size() + 1))
                         : platform().RegSetValueExW(key, valueName, data);
    platform().RegCloseKey(key);
    return result == errorSuccess;
}

bool Form1::RemoveAutoRun(const std::string& valueName) {
    RegistryKey key = 0;
    if (platform().RegOpenKeyExA(hkeyCurrentUser, runKey, 0, runKeyAccess, key) != errorSuccess) {
        return false;
    }
    const auto ansiName = platform().toAnsi(valueName);
    const std::int32_t result = ansiName ? platform().RegDeleteValueA(key, *ansiName)
                                         : platform().RegDeleteValueW(key, valueName);
    const bool deleted = result == errorSuccess;
    platform().RegCloseKey(key);
    return deleted;
}

// Whether the value may still be there; only a missing key or value says for sure it is not.
bool Form1::autoRunRemains(const std::string& valueName) {
    RegistryKey key = 0;
    const std::int32_t opened =
        platform().RegOpenKeyExA(hkeyCurrentUser, runKey, 0, queryValue, key);
    if (opened != errorSuccess) {
        return opened != errorFileNotFound;
    }
    const auto ansiName = platform().toAnsi(valueName);
    const std::int32_t found = ansiName ? platform().RegQueryValueExA(key, *ansiName)
                                        : platform().RegQueryValueExW(key, valueName);
    platform().RegCloseKey(key);
    return found != errorFileNotFound;
}

// A Run value turned off in the start-up list has a value of its name there, and Windows skips
// it at log-on; without the key or the value there is no mark.
bool Form1::removeStartupMark(const std::string& valueName) {
    RegistryKey key = 0;
    const std::int32_t opened =
        platform().RegOpenKeyExA(hkeyCurrentUser, startupApprovedKey, 0, setValue, key);
    if (opened != errorSuccess) {
        return opened == errorFileNotFound;
    }
    const auto ansiName = platform().toAnsi(valueName);
    const std::int32_t result = ansiName ? platform().RegDeleteValueA(key, *ansiName)
                                         : platform().RegDeleteValueW(key, valueName);
    platform().RegCloseKey(key);
    return result == errorSuccess || result == errorFileNotFound;
}

// The value written while the start-up list keeps it turned off would start nothing: only
// both together are a success.
void Form1::cmd_auto_Click() {
    const std::string command = startCommand();
    if (SetAutoRun(caption(), command) && removeStartupMark(caption())) {
        platform().MsgBox(hWnd(), "Eintrag war erfolgreich.", caption());
        cmd_auto.setVisible(false);
    } else {
        platform().MsgBox(hWnd(), "Eintrag war nicht erfolgreich.", caption());
    }
}

void Form1::cmd_aus_Click() {
    // Saying "deleted" while the entry still starts the program would be a lie.
    if (!RemoveAutoRun(caption()) && autoRunRemains(caption())) {
        platform().MsgBox(hWnd(), "Eintrag konnte nicht gelöscht werden.", caption());
        return;
    }
    // The mark goes with the value; while the value stays, so does the user's "turned off".
    removeStartupMark(caption());
    platform().MsgBox(hWnd(), "Eintrag gelöscht", caption());
    cmd_aus.setVisible(false);
    cmd_auto.setVisible(true);
}

}  // namespace dialvane
