; Dialvane setup: a per-machine, 64-bit install into Program Files.
; makensis -DVERSION=1.0 -DVERSION4=1.0.0.0 -DPROGRAM=Dialvane.exe -DREADME=README.txt
;          -DLICENSE=LICENSE -DICON=dialvane.ico -DOUTFILE=Dialvane-1.0-setup.exe dialvane.nsi

Unicode true
; The amd64 stubs: a 32-bit installer would land in the 32-bit Program Files and registry view.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
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
InstallDir "$PROGRAMFILES64\${PRODUCT}"
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

LangString StillRunning ${LANG_ENGLISH} "Dialvane is still running. Please close it and try again."
LangString StillRunning ${LANG_GERMAN} "Dialvane läuft noch. Bitte beenden Sie es und versuchen Sie es erneut."
LangString SettingsSection ${LANG_ENGLISH} "Remove settings"
LangString SettingsSection ${LANG_GERMAN} "Einstellungen entfernen"

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

Section "Dialvane" SecProgram
    SectionIn RO
    SetShellVarContext all
    Call EndGauge
    SetOutPath "$INSTDIR"
    File "/oname=Dialvane.exe" "${PROGRAM}"
    File "/oname=README.txt" "${README}"
    File "/oname=LICENSE" "${LICENSE}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Dialvane.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Dialvane.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The gauge's autostart value holds its path without extension, in quotes when the path has a
; space. Only a value that starts this installed program goes; one for another copy stays.
Function un.RemoveAutostart
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    StrCmp $0 "" done
    StrCpy $1 $0 1
    ${If} $1 == '"'
        StrCpy $0 $0 "" 1
        StrCpy $1 $0 "" -1
        ${If} $1 == '"'
            StrCpy $0 $0 -1
        ${EndIf}
    ${EndIf}
    StrCpy $1 $0 "" -4
    ${If} $1 == ".exe"
        StrCpy $0 $0 -4
    ${EndIf}
    ; StrCmp ignores case, as Windows does for paths.
    StrCmp $0 "$INSTDIR\Dialvane" 0 done
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
done:
FunctionEnd

Section "un.Dialvane" UnSecProgram
    SectionIn RO
    SetShellVarContext all
    Call un.EndGauge
    Call un.RemoveAutostart
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\Uninstall.exe"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Last, so a folder that is gone means the uninstall is through.
    RMDir "$INSTDIR"
SectionEnd

; Off unless ticked, so a silent uninstall keeps the settings.
Section /o "un.$(SettingsSection)" UnSecSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
