; The Windows installer: Marvesto for one player, without administrator
; rights, in %LOCALAPPDATA%\Programs\Marvesto, started from the Start menu in
; the player's own folder, %APPDATA%\Marvesto, where the high score and the
; sound cues are kept. The uninstaller takes the program away and leaves that
; folder. makensis is given VERSION, PROGRAM (marvesto.exe), FONTS (the
; typeface's files and licence), CUES, FIRST_SCORE (a Print.txt holding " 0"),
; ICON and OUTFILE by packaging/windows/CMakeLists.txt.
Unicode true
; NSIS builds a 32-bit installer by default, which 64-bit-only systems (and
; wine64) cannot run.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Marvesto"
!define PLAYER_FOLDER "$APPDATA\Marvesto"
!define SHORTCUT "$SMPROGRAMS\Marvesto.lnk"
!define PUBLISHER "Marvesto Team"

Name "Marvesto"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Marvesto"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Marvesto ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey ProductName "Marvesto"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "Marvesto setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "This installs Marvesto ${VERSION}, the briefcase game, for you alone; it needs no administrator rights.$\r$\n$\r$\nYour high score and the game's sound cues are kept in your own folder:$\r$\n$\r$\n${PLAYER_FOLDER}$\r$\n$\r$\nUpdating or uninstalling the game leaves that folder as it is."
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Marvesto will be uninstalled from the folder below. Your high score and sound cues stay in ${PLAYER_FOLDER}. Click Uninstall to start the uninstallation."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Marvesto"
!define MUI_FINISHPAGE_RUN_FUNCTION StartGame
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section
    SetOutPath "$INSTDIR"
    File "${PROGRAM}"
    File "${FONTS}/*.ttf"
    File "${FONTS}/LICENSE-DejaVu.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The player's folder gets what it lacks; a player's own cues and high
    ; score are never replaced.
    SetOutPath "${PLAYER_FOLDER}"
    SetOverwrite off
    File "${CUES}/INTRO.wav"
    File "${CUES}/DIAL.wav"
    File "${CUES}/DEAL.wav"
    File "${CUES}/END.wav"
    File "${FIRST_SCORE}"
    SetOverwrite on
    ; A shortcut starts its program in the output folder of the moment: the
    ; player's, where the game reads and writes its files.
    CreateShortcut "${SHORTCUT}" "$INSTDIR\marvesto.exe" "" "$INSTDIR\marvesto.exe" 0 \
        SW_SHOWNORMAL "" "Marvesto, a briefcase game"

    ; Listed with the system's installed programs.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Marvesto"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\marvesto.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The finish page's "Start Marvesto", in the player's folder like the shortcut.
Function StartGame
    SetOutPath "${PLAYER_FOLDER}"
    Exec '"$INSTDIR\marvesto.exe"'
FunctionEnd

Section Uninstall
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\marvesto.exe"
    Delete "$INSTDIR\*.ttf"
    Delete "$INSTDIR\LICENSE-DejaVu.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
