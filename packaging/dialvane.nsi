; Dialvane setup: a per-user, 64-bit install without administrator rights, since the autostart
; value and the settings it looks after are the user's own.
;   makensis -DVERSION=1.0 -DVERSION4=1.0.0.0 "-DPUBLISHER=Dialvane developers"
;            -DPROGRAM=Dialvane.exe -DREADME=README.txt -DLICENSE=LICENSE -DICON=dialvane.ico
;            -DOUTFILE=Dialvane-1.0-setup.exe dialvane.nsi
; (make-packages.sh runs it so that every build of one commit gives the same bytes).

Unicode true
; The amd64 stubs: Debian's Wine runs no 32-bit program, and a 32-bit installer would read the
; 32-bit registry view.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Dialvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dialvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\MEM"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; $LOCALAPPDATA is the user's own as long as the shell context stays "current".
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An update goes where the user put the last one.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
; Where the user wants it, a drive's root too: every path below is built so that one works.
AllowRootDirInstall true

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License, ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; English for everyone whose Windows is not set to German.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

; Where an earlier version was installed for all users, if it was.
Var MachineFolder
; $INSTDIR without a trailing backslash ("D:" at a drive's root), to put names after, and
; as a folder of its own ("D:\" there: "D:" alone means the drive's current folder).
Var Folder
Var Location
; The gauge of this copy: its window, the one last asked to close, whether one was running.
Var Window
Var ClosedWindow
Var GaugeWasRunning
Var Tries

LangString StillRunning ${LANG_ENGLISH} "Dialvane is still running. Please close it and try again."
LangString StillRunning ${LANG_GERMAN} "Dialvane läuft noch. Bitte beenden Sie es und versuchen Sie es erneut."
LangString SettingsSection ${LANG_ENGLISH} "Remove settings"
LangString SettingsSection ${LANG_GERMAN} "Einstellungen entfernen"
LangString MachineCopy ${LANG_ENGLISH} "An earlier Dialvane is installed for all users in $MachineFolder. \
Removing it needs administrator rights: use $\"Apps & features$\"."
LangString MachineCopy ${LANG_GERMAN} "Eine frühere Version von Dialvane ist für alle Benutzer in $MachineFolder \
installiert. Zum Entfernen braucht es Administratorrechte: unter $\"Apps & Features$\"."

!macro Folder prefix
Function ${prefix}SetFolder
    StrCpy $Folder $INSTDIR
    StrCpy $0 $Folder 1 -1
    ${If} $0 == "\"
        StrCpy $Folder $Folder -1
    ${EndIf}
    StrCpy $Location $Folder
    StrCpy $0 $Folder 1 -1
    ${If} $0 == ":"
        StrCpy $Location "$Folder\"
    ${EndIf}
FunctionEnd
!macroend
!insertmacro Folder ""
!insertmacro Folder "un."

; $Window becomes the first gauge window whose process runs this copy's program file, or 0.
; Gauges started from elsewhere (a portable copy, another install) are none of its business.
!macro FindGauge prefix
Function ${prefix}FindGauge
    StrCpy $Window 0
    ${Do}
        FindWindow $Window "DialvaneForm" "${PRODUCT}" 0 $Window
        ${If} $Window = 0
            Return
        ${EndIf}
        System::Call 'user32::GetWindowThreadProcessId(p $Window, *i .r1)'
        ; PROCESS_QUERY_LIMITED_INFORMATION, enough for the image name of the user's processes
        System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r1) p .r1'
        ${If} $1 P<> 0
            System::Call 'kernel32::QueryFullProcessImageNameW(p r1, i 0, w .r2, *i ${NSIS_MAX_STRLEN}) i .r3'
            System::Call 'kernel32::CloseHandle(p r1)'
            ; == ignores case, as Windows does for paths.
            ${If} $3 <> 0
            ${AndIf} $2 == "$Folder\Dialvane.exe"
                Return
            ${EndIf}
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro FindGauge ""
!insertmacro FindGauge "un."

; Ends the gauge of this copy the way a user would, so it saves its settings on the way out,
; then removes the program file, which Windows keeps locked until the process has gone.
!macro EndGauge prefix
Function ${prefix}EndGauge
    StrCpy $Tries 0
    StrCpy $ClosedWindow 0
    StrCpy $GaugeWasRunning 0
    ${Do}
        Call ${prefix}FindGauge
        ${If} $Window = 0
            Delete "$Folder\Dialvane.exe"
            ${IfNot} ${FileExists} "$Folder\Dialvane.exe"
                Return
            ${EndIf}
        ${ElseIf} $Window <> $ClosedWindow
            SendMessage $Window ${WM_CLOSE} 0 0 /TIMEOUT=5000
            StrCpy $ClosedWindow $Window
            StrCpy $GaugeWasRunning 1
            StrCpy $Tries 0
        ${EndIf}
        Sleep 100
        IntOp $Tries $Tries + 1
        ; Still there after 5 s: busy, say with a message box open.
        ${If} $Tries >= 50
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +2
            Abort
            StrCpy $Tries 0
            StrCpy $ClosedWindow 0
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro EndGauge ""
!insertmacro EndGauge "un."

; The gauge's autostart value holds its path without extension, in quotes when the path has a
; space. $0 becomes 1 when the value starts the program in the folder on the stack (given
; without a trailing backslash), else 0.
!macro StartsCopy prefix
Function ${prefix}StartsCopy
    Exch $1
    Push $2
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    StrCpy $2 $0 1
    ${If} $2 == '"'
        StrCpy $0 $0 "" 1
        StrCpy $2 $0 "" -1
        ${If} $2 == '"'
            StrCpy $0 $0 -1
        ${EndIf}
    ${EndIf}
    StrCpy $2 $0 "" -4
    ${If} $2 == ".exe"
        StrCpy $0 $0 -4
    ${EndIf}
    ; == ignores case, as Windows does for paths.
    ${If} $0 == "$1\Dialvane"
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro StartsCopy ""
!insertmacro StartsCopy "un."

; A non-elevated installer can neither remove an earlier install for all users nor its entry,
; so it leaves them and says so. The user's autostart value moves on to this copy, or logging
; on would start the old version beside the new one.
Function TakeOverFromMachineCopy
    ReadRegStr $MachineFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $MachineFolder == ""
    ${OrIf} $MachineFolder == $INSTDIR
        Return
    ${EndIf}
    Push $MachineFolder
    Call StartsCopy
    ${If} $0 = 1
        WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$Folder\Dialvane"'
    ${EndIf}
    MessageBox MB_OK|MB_ICONINFORMATION "$(MachineCopy)" /SD IDOK
FunctionEnd

Section "Dialvane" SecProgram
    SectionIn RO
    SetShellVarContext current
    Call SetFolder
    Call EndGauge
    SetOutPath "$INSTDIR"
    File "/oname=Dialvane.exe" "${PROGRAM}"
    File "/oname=README.txt" "${README}"
    File "/oname=LICENSE" "${LICENSE}"
    WriteUninstaller "$Folder\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$Folder\Dialvane.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$Folder\Dialvane.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$Location"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$Folder\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$Folder\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    Call TakeOverFromMachineCopy
    ; An update takes the place of a running gauge: it runs on from the new program.
    ${If} $GaugeWasRunning = 1
        Exec '"$Folder\Dialvane.exe"'
    ${EndIf}
SectionEnd

Section "un.Dialvane" UnSecProgram
    SectionIn RO
    SetShellVarContext current
    Call un.SetFolder
    Call un.EndGauge
    ; Only a value that starts this copy goes; one for another copy stays.
    Push $Folder
    Call un.StartsCopy
    ${If} $0 = 1
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$Folder\README.txt"
    Delete "$Folder\LICENSE"
    Delete "$Folder\Uninstall.exe"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Last, so a folder that is gone means the uninstall is through.
    RMDir "$INSTDIR"
SectionEnd

; Off unless ticked, so a silent uninstall keeps the settings. "MEM" is a word other programs
; keep their settings under too: it goes only when nothing else is left in it.
Section /o "un.$(SettingsSection)" UnSecSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}\Optionen"
    DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
SectionEnd
