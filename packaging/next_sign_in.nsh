; What cannot be replaced or removed now, because the program runs and
; Windows keeps a running program's file, is finished at the user's next
; sign-in by a command under HKCU's RunOnce: it needs no administrator
; rights, as MoveFileEx's delay-until-reboot would. $Pending holds that
; command's work in the installation folder, commands joined by " & ".

!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define RUNONCE_VALUE Zantrelle
; ERROR_SUCCESS_REBOOT_REQUIRED: done, but a restart or sign-in completes it.
!define EXIT_SIGN_IN_COMPLETES 3010

Var Pending

!macro DEFINE_NEXT_SIGN_IN PREFIX
  ; Adds the command $0 to what the next sign-in does.
  Function ${PREFIX}AddPending
    ${If} $Pending == ""
      StrCpy $Pending $0
    ${Else}
      StrCpy $Pending "$Pending & $0"
    ${EndIf}
  FunctionEnd

  ; Writes the pending work, if any, as one command for the next sign-in and
  ; sets the exit code that says so; sets the error flag when it could not be
  ; written. A RunOnce command may hold 260 characters: the folder goes by
  ; its short name. cmd strips the outer quotes.
  Function ${PREFIX}SchedulePending
    ClearErrors
    ${If} $Pending == ""
      Return
    ${EndIf}
    GetFullPathName /SHORT $1 "$INSTDIR"
    ${If} $1 == ""
      StrCpy $1 "$INSTDIR"
    ${EndIf}
    WriteRegStr HKCU "${RUNONCE_KEY}" "${RUNONCE_VALUE}" '"$SYSDIR\cmd.exe" /d /c "cd /d "$1" && ($Pending)"'
    ${If} ${Errors}
      Return
    ${EndIf}
    SetErrorLevel ${EXIT_SIGN_IN_COMPLETES}
    MessageBox MB_OK|MB_ICONINFORMATION "Zantrelle is still running, so some of its files will be replaced or removed when you next sign in to Windows." /SD IDOK
  FunctionEnd
!macroend
