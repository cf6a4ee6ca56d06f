; The Windows installer: kestrova-saver.scr and the 3D kinds' textures into
; Program Files\Kestrova Saver, the saver made the current screen saver, and an
; uninstaller listed in Add/Remove Programs. packaging/WindowsPackages.cmake runs
; makensis with VERSION, PUBLISHER (the rights holder the .scr's version resource names),
; OUTFILE, ICON, and FILES and UNFILES (includes holding the File and Delete lines).
;
; Uninstaller switches: /S uninstalls silently; /REMOVESETTINGS removes the settings
; too without asking (a silent uninstall otherwise keeps them).
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Kestrova Saver"
!define SCR "kestrova-saver.scr"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KestrovaSaver"
!define SETTINGS_PARENT "Software\VB and VBA Program Settings"
!define SETTINGS_KEY "${SETTINGS_PARENT}\KestrovaSaver"
!define DESKTOP_KEY "Control Panel\Desktop"
; The folder the 3D kinds write their work files to when the program's folder is not writable.
!define WORK_FOLDER "$LOCALAPPDATA\KestrovaSaver"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin

BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The saver is chosen already; the wait before it starts is set in Windows' own dialog.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenScreenSaverSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString AskRemoveSettings ${LANG_ENGLISH} "Remove your ${PRODUCT} settings too?"
LangString AskRemoveSettings ${LANG_JAPANESE} "${PRODUCT} の設定も削除しますか?"

LangString OpenScreenSaverSettings ${LANG_ENGLISH} "Open the Screen Saver Settings"
LangString OpenScreenSaverSettings ${LANG_JAPANESE} "スクリーン セーバーの設定を開く"

Var RemoveSettings

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Function .onInit
  SetRegView 64
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Windows runs this value followed by /s; its short form has no blanks to quote.
  GetFullPathName /SHORT $0 "$INSTDIR\${SCR}"
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR\${SCR}"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  ; SPI_SETSCREENSAVEACTIVE with SPIF_UPDATEINIFILE | SPIF_SENDCHANGE: stored as
  ; ScreenSaveActive and taken up by the running session at once.
  System::Call "user32::SystemParametersInfoW(i 17, i 1, p 0, i 3)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SCR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!macro DeleteWorkFiles folder
  Delete "${folder}\readme2.txt"
  Delete "${folder}\bgi_tmp.bmp"
  ; Scratch copies, renamed over those files once written; a show ended mid-write leaves them.
  Delete "${folder}\.readme2.txt-*"
  Delete "${folder}\.bgi_tmp.bmp-*"
!macroend

Function un.onInit
  SetRegView 64
  StrCpy $RemoveSettings 0
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

Section Uninstall
  ; The current screen saver is reset only while it is still this one.
  GetFullPathName /SHORT $0 "$INSTDIR\${SCR}"
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 != ""
    ${If} $1 == "$INSTDIR\${SCR}"
    ${OrIf} $1 == $0
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  !include "${UNFILES}"
  ; Work files of the 3D kinds, written beside the program when its folder is writable.
  !insertmacro DeleteWorkFiles "$INSTDIR"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  !insertmacro DeleteWorkFiles "${WORK_FOLDER}"
  RMDir "${WORK_FOLDER}"

  ${If} $RemoveSettings == 0
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskRemoveSettings)" /SD IDNO IDNO settings_kept
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
  settings_kept:

  ; Last, so that its absence means the uninstall has finished.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
