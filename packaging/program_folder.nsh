; The installation's folder, one at a time: the uninstall entry's
; InstallLocation names it, and the entry, its RunOnce work and the
; Start-menu entry belong to that folder alone. Setup into another folder
; moves the installation there; an uninstaller in a folder the entry does not
; name removes its own files and nothing of the installation's.

; The RunOnce value for the work left in a folder that is not, or no longer,
; the installation's.
!define RUNONCE_OTHER_FOLDER "Zantrelle.OtherFolder"

; Deletes the file NAME in the folder $INSTDIR, or leaves it to the next
; sign-in when it is in use.
!macro REMOVE_OR_SCHEDULE PREFIX NAME
  Delete "$INSTDIR\${NAME}"
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    StrCpy $0 "del /f /q ${NAME}"
    Call ${PREFIX}AddPending
  ${EndIf}
!macroend

!macro DEFINE_PROGRAM_FOLDER PREFIX
  ; Sets $0 to 1 when the uninstall entry names the folder $INSTDIR, or
  ; there is none, else to 0 with the entry's folder in $6.
  Function ${PREFIX}IsInstalledHere
    StrCpy $0 1
    ReadRegStr $9 HKCU "${UNINSTALL_KEY}" InstallLocation
    ${If} $9 == ""
      Return
    ${EndIf}
    Call ${PREFIX}LongPath
    StrCpy $6 $9
    StrCpy $9 $INSTDIR
    Call ${PREFIX}LongPath
    ${If} $6 != $9
      StrCpy $0 0
    ${EndIf}
  FunctionEnd

  ; Removes the program's files from $INSTDIR, and the folder once empty;
  ; what is in use is added to the pending work. The user's settings, in
  ; %APPDATA%\Zantrelle, are theirs: they stay.
  Function ${PREFIX}RemoveProgramFolder
    !insertmacro REMOVE_OR_SCHEDULE "${PREFIX}" Zantrelle.scr
    !insertmacro REMOVE_OR_SCHEDULE "${PREFIX}" Zantrelle.scr.old
    !insertmacro REMOVE_OR_SCHEDULE "${PREFIX}" Zantrelle.scr.new
    !insertmacro REMOVE_OR_SCHEDULE "${PREFIX}" Uninstall.exe
    RMDir "$INSTDIR"
    ${If} $Pending != ""
      ${GetFileName} "$INSTDIR" $1
      StrCpy $0 'cd .. & rmdir "$1"'
      Call ${PREFIX}AddPending
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DEFINE_PROGRAM_FOLDER ""
!insertmacro DEFINE_PROGRAM_FOLDER "un."

Var InstallFolder
Var MovedScreenSaver

; Setup into another folder than the installed one: the installed folder's
; program and uninstaller go (what runs, at the next sign-in); the uninstall
; entry and the Start-menu entry are then written for the new folder. Sets
; $MovedScreenSaver to 1 when the moved program was the screen saver, which
; the new one then is.
Function MoveInstallation
  StrCpy $MovedScreenSaver 0
  Call IsInstalledHere
  ${If} $0 == 1
    Return
  ${EndIf}
  StrCpy $InstallFolder $INSTDIR
  StrCpy $INSTDIR $6
  Call CloseRunningCopies
  Call IsZantrelleCurrent
  StrCpy $MovedScreenSaver $0
  Call RemoveProgramFolder
  StrCpy $0 "${RUNONCE_OTHER_FOLDER}"
  Call SchedulePending
  StrCpy $Pending ""
  StrCpy $INSTDIR $InstallFolder
FunctionEnd
