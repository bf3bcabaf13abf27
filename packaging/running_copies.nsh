; Finds the installed program while it runs, before its files are replaced or
; removed: its full-screen covers and its Settings dialog are top-level
; windows, its preview a child of the Screen Saver Settings' pane, deep in
; another program's windows. So every window is visited, children included,
; and one counts when its class is one of the program's and its process runs
; the installed Zantrelle.scr: a copy run from elsewhere (out of the zip, say)
; holds none of these files and is left alone. The walk uses GetWindow, as
; EnumWindows would need a callback into the script.

!include window_classes.nsh

!define GW_HWNDNEXT 2
!define GW_CHILD 5
!define GA_PARENT 1
; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
!define PROCESS_QUERY_AND_WAIT 0x101000
!define CLOSE_WAIT_MS 10000

!macro DEFINE_RUNNING_COPIES PREFIX ACTION
  ; Moves $R1 to the next window after it, depth first under the desktop
  ; window $R0; 0 after the last.
  Function ${PREFIX}NextWindow
    System::Call 'user32::GetWindow(p R1, i ${GW_CHILD}) p .R3'
    ${If} $R3 != 0
      StrCpy $R1 $R3
      Return
    ${EndIf}
    ${Do}
      System::Call 'user32::GetWindow(p R1, i ${GW_HWNDNEXT}) p .R3'
      ${If} $R3 != 0
        StrCpy $R1 $R3
        Return
      ${EndIf}
      System::Call 'user32::GetAncestor(p R1, i ${GA_PARENT}) p .R1'
      ${If} $R1 == $R0
      ${OrIf} $R1 == 0
        StrCpy $R1 0
        Return
      ${EndIf}
    ${Loop}
  FunctionEnd

  ; Sets $R2 to a handle of the process of window $R1 when that is the
  ; installed program (long path $R7) and the window one of its own, else 0;
  ; leaves the window's class in $R3.
  Function ${PREFIX}ProgramProcess
    StrCpy $R2 0
    System::Call 'user32::GetClassNameW(p R1, w .R3, i ${NSIS_MAX_STRLEN})'
    StrCmp $R3 ${PAINTED_WINDOW_CLASS} ours
    StrCmp $R3 ${PLAIN_COVER_WINDOW_CLASS} ours
    StrCmp $R3 ${DIALOG_WINDOW_CLASS} ours
    Return
  ours:
    System::Call 'user32::GetWindowThreadProcessId(p R1, *i .R4)'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_AND_WAIT}, i 0, i R4) p .R2'
    ${If} $R2 == 0
      Return
    ${EndIf}
    System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R4, *i ${NSIS_MAX_STRLEN}) i .R5'
    ${If} $R5 != 0
      ; Windows starts a screen saver through its short path at idle time.
      System::Call 'kernel32::GetLongPathNameW(w R4, w .R5, i ${NSIS_MAX_STRLEN}) i .R6'
      ${If} $R6 != 0
        StrCpy $R4 $R5
      ${EndIf}
      ${If} $R4 == $R7
        Return
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R2)'
    StrCpy $R2 0
  FunctionEnd

  ; Sets $R9 to the number of the running program's windows. With $R8 = 1
  ; it first asks its previews and its Settings dialog to close (the program
  ; ends cleanly on WM_CLOSE) and waits for each to end. A full-screen cover
  ; is left: its user is away, and the screen theirs when they come back.
  Function ${PREFIX}VisitProgramWindows
    StrCpy $R7 "$INSTDIR\Zantrelle.scr"
    System::Call 'kernel32::GetLongPathNameW(w R7, w .R5, i ${NSIS_MAX_STRLEN}) i .R6'
    ${If} $R6 != 0
      StrCpy $R7 $R5
    ${EndIf}
    System::Call 'user32::GetDesktopWindow() p .R0'
  walk:
    StrCpy $R9 0
    System::Call 'user32::GetWindow(p R0, i ${GW_CHILD}) p .R1'
    ${DoWhile} $R1 != 0
      Call ${PREFIX}ProgramProcess
      ${If} $R2 != 0
        IntOp $R9 $R9 + 1
        StrCpy $R6 1
        ${If} $R8 == 1
          ; A preview is a child window; the class names the dialog.
          System::Call 'user32::GetAncestor(p R1, i ${GA_PARENT}) p .R5'
          ${If} $R5 != $R0
          ${OrIf} $R3 == ${DIALOG_WINDOW_CLASS}
            System::Call 'user32::PostMessageW(p R1, i ${WM_CLOSE}, p 0, p 0)'
            System::Call 'kernel32::WaitForSingleObject(p R2, i ${CLOSE_WAIT_MS}) i .R6'
          ${EndIf}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p R2)'
        ; Its windows went with it: the walk starts again.
        StrCmp $R6 0 walk
      ${EndIf}
      Call ${PREFIX}NextWindow
    ${Loop}
  FunctionEnd

  ; Before any file is replaced or removed. Interactive, the user is asked to
  ; close what runs until nothing does, or cancels, which ends this run with
  ; nothing changed. Silent, what can be is asked to close; the files of
  ; what still runs are then scheduled for the next sign-in.
  Function ${PREFIX}CloseRunningCopies
    ${If} ${Silent}
      StrCpy $R8 1
      Call ${PREFIX}VisitProgramWindows
      Return
    ${EndIf}
    StrCpy $R8 0
    ${Do}
      Call ${PREFIX}VisitProgramWindows
      ${If} $R9 == 0
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zantrelle is running, in the Screen Saver Settings (as the preview or its Settings dialog) or as your screen saver, so it cannot be ${ACTION} now.$\r$\n$\r$\nClose the Screen Saver Settings, then click Retry." IDRETRY retry
      SetErrorLevel 1
      Quit
    retry:
    ${Loop}
  FunctionEnd
!macroend
