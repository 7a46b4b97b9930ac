; Dialvane setup: a per-user, 64-bit install without administrator rights, since the autostart
; value and the settings it looks after are the user's own.
; makensis -DVERSION=1.0 -DVERSION4=1.0.0.0 -DPROGRAM=Dialvane.exe -DREADME=README.txt
;          -DLICENSE=LICENSE -DICON=dialvane.ico -DOUTFILE=Dialvane-1.0-setup.exe dialvane.nsi

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
!define PUBLISHER "Dialvane developers"
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

LangString StillRunning ${LANG_ENGLISH} "Dialvane is still running. Please close it and try again."
LangString StillRunning ${LANG_GERMAN} "Dialvane läuft noch. Bitte beenden Sie es und versuchen Sie es erneut."
LangString SettingsSection ${LANG_ENGLISH} "Remove settings"
LangString SettingsSection ${LANG_GERMAN} "Einstellungen entfernen"
LangString MachineCopy ${LANG_ENGLISH} "An earlier Dialvane is installed for all users in $MachineFolder. \
Removing it needs administrator rights: use $\"Apps & features$\"."
LangString MachineCopy ${LANG_GERMAN} "Eine frühere Version von Dialvane ist für alle Benutzer in $MachineFolder \
installiert. Zum Entfernen braucht es Administratorrechte: unter $\"Apps & Features$\"."

; Ends every running gauge the way a user would, so it saves its settings on the way out, then
; removes the program file, which Windows keeps locked until the process has gone.
!macro EndGauge prefix
Function ${prefix}EndGauge
    StrCpy $1 0
    StrCpy $2 0
    ${Do}
        FindWindow $0 "DialvaneForm" "${PRODUCT}"
        ${If} $0 = 0
            Delete "$INSTDIR\Dialvane.exe"
            ${IfNot} ${FileExists} "$INSTDIR\Dialvane.exe"
                Return
            ${EndIf}
        ${ElseIf} $0 <> $2
            SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
            StrCpy $2 $0
            StrCpy $1 0
        ${EndIf}
        Sleep 100
        IntOp $1 $1 + 1
        ; Still there after 5 s: busy, say with a message box open.
        ${If} $1 >= 50
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +2
            Abort
            StrCpy $1 0
            StrCpy $2 0
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro EndGauge ""
!insertmacro EndGauge "un."

; The gauge's autostart value holds its path without extension, in quotes when the path has a
; space. $0 becomes 1 when the value starts the program in the folder on the stack, else 0.
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
        WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Dialvane"'
    ${EndIf}
    MessageBox MB_OK|MB_ICONINFORMATION "$(MachineCopy)" /SD IDOK
FunctionEnd

Section "Dialvane" SecProgram
    SectionIn RO
    SetShellVarContext current
    Call EndGauge
    SetOutPath "$INSTDIR"
    File "/oname=Dialvane.exe" "${PROGRAM}"
    File "/oname=README.txt" "${README}"
    File "/oname=LICENSE" "${LICENSE}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Dialvane.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Dialvane.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    Call TakeOverFromMachineCopy
SectionEnd

Section "un.Dialvane" UnSecProgram
    SectionIn RO
    SetShellVarContext current
    Call un.EndGauge
    ; Only a value that starts this copy goes; one for another copy stays.
    Push $INSTDIR
    Call un.StartsCopy
    ${If} $0 = 1
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\Uninstall.exe"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Last, so a folder that is gone means the uninstall is through.
    RMDir "$INSTDIR"
SectionEnd

; Off unless ticked, so a silent uninstall keeps the settings.
Section /o "un.$(SettingsSection)" UnSecSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
