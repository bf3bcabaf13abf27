; Setup and the uninstaller each change the same files and registry values:
; two of them at once would each leave the other's work half-done. Whichever
; starts second finds the mutex taken and leaves, changing nothing. Windows
; frees it when its holder ends, however it ends.

!define SETUP_MUTEX "Local\Zantrelle setup"
!define ERROR_ALREADY_EXISTS 183
; ERROR_INSTALL_ALREADY_RUNNING, as Windows Installer answers.
!define EXIT_ALREADY_RUNNING 1618

; For .onInit and un.onInit, before anything else. The handle stays open
; until this run ends.
!macro CLAIM_SETUP_MUTEX
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r0 ?e'
  Pop $1
  ${If} $1 == ${ERROR_ALREADY_EXISTS}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Zantrelle's setup or its uninstaller is already running. Let it finish, then try again." /SD IDOK
    SetErrorLevel ${EXIT_ALREADY_RUNNING}
    Abort
  ${EndIf}
!macroend
