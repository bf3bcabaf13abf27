; Zantrelle's installer: for the current user alone, so it needs no
; administrator rights and writes only under the user's profile and HKCU.
; scripts/package builds it with makensis and these definitions:
;   VERSION  the project version, as in 1.0.0
;   FILES    the directory holding Zantrelle.scr and LICENSE.txt
;   OUTFILE  the installer to write
; and, for a signed release, SIGN: a command that signs the PE file it is
; given in place, run on the uninstaller before it is packed.
;
; Exit codes: 0 done; 3010 done, but what was running keeps some files
; until the next sign-in; 1618 another setup or uninstaller is running, and
; nothing was changed; 1638 (setup) a newer version is installed and was
; kept; 1 cancelled or failed.

!ifndef VERSION | FILES | OUTFILE
  !error "define VERSION, FILES and OUTFILE (scripts/package does)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include one_at_a_time.nsh
!include long_path.nsh
!include running_copies.nsh
!include next_sign_in.nsh

!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
!endif

!define PUBLISHER "The Zantrelle authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zantrelle"
; Makes Zantrelle the screen saver and opens the Screen Saver Settings with it
; chosen, as right-clicking a screen saver and choosing "Install" does.
!define CHOOSER_LINK "$SMPROGRAMS\Zantrelle Screen Saver.lnk"
!define EXIT_NEWER_INSTALLED 1638

Name "Zantrelle ${VERSION}"
OutFile "${OUTFILE}"
; An upgrade goes where the installed version is.
InstallDir "$LOCALAPPDATA\Programs\Zantrelle"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" InstallLocation
BrandingText "Zantrelle ${VERSION}"

!define MUI_ICON "../host/win32/resources/zantrelle.ico"
!define MUI_UNICON "../host/win32/resources/zantrelle.ico"
!define MUI_ABORTWARNING

; MUI's own welcome text speaks of system files and reboots, which a
; per-user screen saver touches neither of.
!define MUI_WELCOMEPAGE_TEXT "Setup will install Zantrelle ${VERSION}, a clock screen saver, for you alone. It needs no administrator rights and leaves the rest of the computer as it is.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
; The MIT licence asks nothing of someone who only uses the program.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Zantrelle is free software under the MIT licence; there is nothing to accept."
!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE.txt"
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make Zantrelle my screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentScreenSaver
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Open the Screen Saver Settings"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE English

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "Zantrelle"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "Zantrelle ${VERSION} setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (c) 2026 The Zantrelle authors"

!insertmacro DEFINE_RUNNING_COPIES "" updated
!insertmacro DEFINE_RUNNING_COPIES "un." removed
!insertmacro DEFINE_NEXT_SIGN_IN ""
!insertmacro DEFINE_NEXT_SIGN_IN "un."
!insertmacro DEFINE_LONG_PATH ""
!insertmacro DEFINE_LONG_PATH "un."
!include screen_saver.nsh
!include program_folder.nsh

; The same version again repairs it; an older one over a newer asks first,
; and a silent one leaves the newer as it is.
Function .onInit
  !insertmacro CLAIM_SETUP_MUTEX
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" DisplayVersion
  ${If} $0 == ""
    Return
  ${EndIf}
  ${VersionCompare} $0 "${VERSION}" $1
  ${If} $1 == 1
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "Zantrelle $0 is installed, which is newer than the version ${VERSION} this setup would put in its place.$\r$\n$\r$\nReplace it with the older version?" /SD IDNO IDYES older
    SetErrorLevel ${EXIT_NEWER_INSTALLED}
    Abort
  older:
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro CLAIM_SETUP_MUTEX
FunctionEnd

; Puts Zantrelle.scr.new in the place of Zantrelle.scr. A running program's
; file can be renamed though not overwritten or deleted: the old one steps
; aside as Zantrelle.scr.old and goes at the next sign-in; when even that
; fails, the new one waits for it.
Function PutProgramInPlace
  Delete "$INSTDIR\Zantrelle.scr.old"
  Delete "$INSTDIR\Zantrelle.scr"
  ${If} ${FileExists} "$INSTDIR\Zantrelle.scr"
  ${AndIfNot} ${FileExists} "$INSTDIR\Zantrelle.scr.old"
    Rename "$INSTDIR\Zantrelle.scr" "$INSTDIR\Zantrelle.scr.old"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Zantrelle.scr"
    StrCpy $0 "move /y Zantrelle.scr.new Zantrelle.scr"
    Call AddPending
  ${Else}
    Rename "$INSTDIR\Zantrelle.scr.new" "$INSTDIR\Zantrelle.scr"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Zantrelle.scr.old"
    StrCpy $0 "del /f /q Zantrelle.scr.old"
    Call AddPending
  ${EndIf}
FunctionEnd

Section
  Call CloseRunningCopies
  Call MoveInstallation
  SetOutPath "$INSTDIR"
  ; What an earlier run left for the next sign-in is done now or scheduled
  ; anew.
  StrCpy $0 "${RUNONCE_VALUE}"
  Call CancelPending
  File "/oname=Zantrelle.scr.new" "${FILES}/Zantrelle.scr"
  Call PutProgramInPlace
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${CHOOSER_LINK}" "$SYSDIR\rundll32.exe" "desk.cpl,InstallScreenSaver $INSTDIR\Zantrelle.scr" \
    "$INSTDIR\Zantrelle.scr" 0 "" "" "Make Zantrelle your screen saver and open the Screen Saver Settings"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayName "Zantrelle"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\Zantrelle.scr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" EstimatedSize $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoRepair 1
  ${If} $MovedScreenSaver == 1
    Call PointScreenSaverHere
  ${EndIf}
  StrCpy $0 "${RUNONCE_VALUE}"
  Call SchedulePending
  ${If} ${Errors}
    ; The new program waits beside the one still running, unscheduled.
    SetErrorLevel 1
  ${EndIf}
SectionEnd

; The finish page's box is ticked by default; a silent install has no page
; and takes the default.
Function .onInstSuccess
  ${If} ${Silent}
    Call MakeCurrentScreenSaver
  ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; The uninstaller runs from a copy of itself, started by Uninstall.exe, which
; may still be ending (for some seconds on a busy machine) and holds its file
; until then. Run in place, it holds its file itself, and waits for nothing.
Function un.AwaitStarter
  ${If} $EXEPATH == "$INSTDIR\Uninstall.exe"
    Return
  ${EndIf}
  StrCpy $0 0
  ${Do}
    Delete "$INSTDIR\Uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
    ${OrIf} $0 >= 100
      Return
    ${EndIf}
    Sleep 100
    IntOp $0 $0 + 1
  ${Loop}
FunctionEnd

Var OwnsEntry

; The uninstall entry goes last, once every file is gone or scheduled to go.
Section Uninstall
  Call un.CloseRunningCopies
  Call un.IsInstalledHere
  StrCpy $OwnsEntry $0
  ${If} $OwnsEntry == 1
    StrCpy $0 "${RUNONCE_VALUE}"
    Call un.CancelPending
    Call un.IsZantrelleCurrent
    ${If} $0 == 1
      Call un.RestorePreviousScreenSaver
    ${EndIf}
    Delete "${CHOOSER_LINK}"
  ${EndIf}
  Call un.AwaitStarter
  Call un.RemoveProgramFolder
  StrCpy $0 "${RUNONCE_OTHER_FOLDER}"
  ${If} $OwnsEntry == 1
    StrCpy $0 "${RUNONCE_VALUE}"
  ${EndIf}
  Call un.SchedulePending
  ${If} ${Errors}
    ; Kept, so that the uninstaller can be run again.
    SetErrorLevel 1
    Return
  ${EndIf}
  ${If} $OwnsEntry == 1
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
