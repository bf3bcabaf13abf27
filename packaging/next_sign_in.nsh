; What cannot be replaced or removed now, because the program runs and
; Windows keeps a running program's file, is finished at the user's next
; sign-in by a command under HKCU's RunOnce: it needs no administrator
; rights, as MoveFileEx's delay-until-reboot would. $Pending holds that
; command's work in the installation folder, commands joined by " & ".
;
; The command is "cmd /d /v:off /c": no AutoRun commands, and "!" stays as
; written. But cmd expands %NAME% in its command line, in quotes or not,
; and a folder may have a "%" in its name, in its short (8.3) name too; and
; Windows runs a RunOnce command of at most 260 characters, its terminating
; null included, where a long folder with 8.3 names turned off does not fit.
; Then the work goes into a script in the user's temporary folder, where a
; script's lines can say "%" as "%%", and the command runs that script.

!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define RUNONCE_VALUE Zantrelle
!define RUNONCE_MAX_LENGTH 259
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

  ; Drops what an earlier run left for the next sign-in under the RunOnce
  ; value $0.
  Function ${PREFIX}CancelPending
    DeleteRegValue HKCU "${RUNONCE_KEY}" $0
    Delete "$TEMP\$0.cmd"
  FunctionEnd

  ; Sets $2 to the command that runs $1 at the next sign-in, or to "" when
  ; Windows would not run it as written.
  Function ${PREFIX}SignInCommand
    StrCpy $2 '"$SYSDIR\cmd.exe" /d /v:off /c "$1"'
    StrLen $3 $2
    ${WordReplace} $2 "%" "" "+" $4
    ${If} $3 > ${RUNONCE_MAX_LENGTH}
    ${OrIf} $4 != $2
      StrCpy $2 ""
    ${EndIf}
  FunctionEnd

  ; Writes the pending work, if any, for the next sign-in under the RunOnce
  ; value $0, and sets the exit code that says so; sets the error flag when
  ; it could not be written.
  Function ${PREFIX}SchedulePending
    ClearErrors
    ${If} $Pending == ""
      Return
    ${EndIf}
    GetFullPathName /SHORT $1 "$INSTDIR"
    ${If} $1 == ""
      StrCpy $1 "$INSTDIR"
    ${EndIf}
    ; cmd strips the outer quotes.
    StrCpy $1 'cd /d "$1" && ($Pending)'
    Call ${PREFIX}SignInCommand
    ${If} $2 == ""
      Call ${PREFIX}WriteSignInScript
      ${If} ${Errors}
        Return
      ${EndIf}
    ${EndIf}
    WriteRegStr HKCU "${RUNONCE_KEY}" $0 $2
    ${If} ${Errors}
      Return
    ${EndIf}
    SetErrorLevel ${EXIT_SIGN_IN_COMPLETES}
    MessageBox MB_OK|MB_ICONINFORMATION "Zantrelle is still running, so some of its files will be replaced or removed when you next sign in to Windows." /SD IDOK
  FunctionEnd

  ; Writes the pending work into the script $TEMP\$0.cmd, which deletes
  ; itself once done, and sets $2 to the command that runs it; sets the
  ; error flag when that is not possible. NSIS writes the file in the ANSI
  ; code page, which the script tells cmd to read it in.
  Function ${PREFIX}WriteSignInScript
    ${WordReplace} 'cd /d "$INSTDIR" && ($Pending)' "%" "%%" "+" $5
    System::Call 'kernel32::GetACP() i .r6'
    ClearErrors
    FileOpen $4 "$TEMP\$0.cmd" w
    ${If} ${Errors}
      Return
    ${EndIf}
    FileWrite $4 "@echo off$\r$\nchcp $6 >nul 2>nul$\r$\n$5$\r$\ndel $\"%~f0$\"$\r$\n"
    FileClose $4
    GetFullPathName /SHORT $1 "$TEMP\$0.cmd"
    StrCpy $1 '"$1"'
    Call ${PREFIX}SignInCommand
    ${If} $2 == ""
      Delete "$TEMP\$0.cmd"
      SetErrors
    ${EndIf}
  FunctionEnd
!macroend
