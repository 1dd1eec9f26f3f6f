; Quillon's installer, built by packaging/CMakeLists.txt (make dist):
;   makensis -DVERSION=2.0.0 -DVERSION_MAJOR=2 -DVERSION_MINOR=0 -DBIN=<folder of the built
;            program> -DICON=<quillon.ico> -DOUTFILE=<setup.exe> quillon.nsi
;
; It installs for the current user only and needs no administrator rights: the game writes its
; Data folder (profile, card sets, backs) beside the program, so the program goes into a folder
; the user owns, %LOCALAPPDATA%\Programs\Quillon. The update library is registered from there,
; under the machine's classes when the user may write them and under the user's otherwise (the
; library's own choice), and the game registers it again from there when it finds it missing.
;
; Silent use: "Quillon-Setup-<version>.exe /S" installs (/D=<folder>, last on the line, picks
; another folder); "Uninstall.exe /S" removes everything, the player's profile and settings
; included; "Uninstall.exe /S /KEEPDATA" keeps those two.

!ifndef VERSION | VERSION_MAJOR | VERSION_MINOR | BIN | ICON | OUTFILE
  !error "makensis needs -DVERSION, -DVERSION_MAJOR, -DVERSION_MINOR, -DBIN, -DICON and -DOUTFILE"
!endif

Unicode true
; The program and its library are 64-bit: a 64-bit installer registers the library in-process.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Quillon"
!define PUBLISHER "The Quillon developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillon"
; What the player keeps or loses at uninstall: the game's settings, the name and e-mail address
; that the feedback window remembers, and the Data folder beside the program.
!define SETTINGS_KEY "Software\Freeware\Quillon"
!define FEEDBACK_KEY "Software\Freeware\Veltrane\IUpdate"
!define MENU_FOLDER "$SMPROGRAMS\Quillon"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillon"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
BrandingText "Quillon ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quillon Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright © 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install Quillon ${VERSION}, the game of pairs, for you alone, into$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nNo administrator rights are needed. The game keeps your results and your pictures in its own folder, so it lives in a folder that belongs to you.$\r$\n$\r$\nClick Install to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillon.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quillon"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Files of a running game cannot be replaced or deleted: the player closes it, or gives up.
!macro DEFINE_WAIT_FOR_GAME un
Function ${un}WaitForGame
  ${Do}
    FindWindow $0 "QuillonBoard"
    ${If} $0 = 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quillon is running. Close it, then click Retry." /SD IDCANCEL IDRETRY +2
    Abort "Quillon is still running."
  ${Loop}
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_GAME ""
!insertmacro DEFINE_WAIT_FOR_GAME "un."

Section "Quillon"
  Call WaitForGame
  SetOutPath "$INSTDIR"
  File "${BIN}/Quillon.exe"
  File "${BIN}/quillon.chm"
  File "${BIN}/VyxIUpdate.dll"
  File "${BIN}/zLib.dll"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ClearErrors
  RegDLL "$INSTDIR\VyxIUpdate.dll"
  ${If} ${Errors}
    DetailPrint "The update library could not be registered now; Quillon registers it when Help needs it."
  ${EndIf}

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Quillon.lnk" "$INSTDIR\Quillon.exe" "" "$INSTDIR\Quillon.exe" 0
  CreateShortcut "${MENU_FOLDER}\Quillon Help.lnk" "$INSTDIR\quillon.chm"
  CreateShortcut "${MENU_FOLDER}\Uninstall Quillon.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillon.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Var KeepData

Function un.onInit
  StrCpy $KeepData 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/KEEPDATA" $1
  ${IfNot} ${Errors}
    StrCpy $KeepData 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.WaitForGame
  ; Asked unless the command line answered; a silent uninstall without /KEEPDATA removes them.
  ${If} $KeepData = 0
    MessageBox MB_YESNO|MB_ICONQUESTION "Do you want to keep your Quillon profile (your results and the computer's) and your settings?$\r$\n$\r$\nYes keeps them for the next time you install Quillon here. No removes them." /SD IDNO IDNO +2
    StrCpy $KeepData 1
  ${EndIf}

  ; Both places the library may have registered itself, the machine's classes and the user's.
  UnRegDLL "$INSTDIR\VyxIUpdate.dll"
  Delete "$INSTDIR\Quillon.exe"
  Delete "$INSTDIR\quillon.chm"
  Delete "$INSTDIR\VyxIUpdate.dll"
  Delete "$INSTDIR\zLib.dll"
  Delete "$INSTDIR\Uninstall.exe"

  Delete "${MENU_FOLDER}\Quillon.lnk"
  Delete "${MENU_FOLDER}\Quillon Help.lnk"
  Delete "${MENU_FOLDER}\Uninstall Quillon.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} $KeepData = 0
    RMDir /r "$INSTDIR\Data"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey HKCU "${FEEDBACK_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Freeware\Veltrane"
    DeleteRegKey /ifempty HKCU "Software\Freeware"
  ${EndIf}
  ; Only when nothing else is left in it: kept data, or files the player put there.
  RMDir "$INSTDIR"
SectionEnd
