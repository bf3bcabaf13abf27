; Zantrelle as the user's screen saver: made so by setup, and the one set
; before put back exactly by the uninstaller. The uninstall entry keeps, for
; the uninstaller:
;   ScreenSaver               the SCRNSAVE.EXE value setup wrote, by which
;                             Zantrelle is known as the screen saver even
;                             once its file is gone
;   PreviousScreenSaver       SCRNSAVE.EXE and ScreenSaveActive as they were,
;   PreviousScreenSaveActive  each with its registry type (a REG_EXPAND_SZ
;                             stays one); absent when they were
; An upgrade, finding Zantrelle already chosen, keeps what was kept.

!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2
!define HKEY_CURRENT_USER 0x80000001
!define REG_EXPAND_SZ 2
; RRF_RT_ANY | RRF_NOEXPAND: any type, read as it is stored.
!define RRF_ANY_AS_STORED 0x1000FFFF

!macro DEFINE_SCREEN_SAVER PREFIX
  ; Copies the value $R0 under HKCU's key $R1 to the value $R2 under $R3,
  ; with its type; removes $R2 when there is no $R0. ReadRegStr reads a
  ; REG_EXPAND_SZ as it is stored, unexpanded; WriteRegStr alone would make
  ; it a REG_SZ.
  Function ${PREFIX}CopyStringValue
    System::Call 'advapi32::RegGetValueW(p ${HKEY_CURRENT_USER}, w R1, w R0, i ${RRF_ANY_AS_STORED}, *i .R4, p 0, p 0) i .R5'
    ${If} $R5 != 0
      DeleteRegValue HKCU $R3 $R2
      Return
    ${EndIf}
    ReadRegStr $R5 HKCU $R1 $R0
    ${If} $R4 == ${REG_EXPAND_SZ}
      WriteRegExpandStr HKCU $R3 $R2 $R5
    ${Else}
      WriteRegStr HKCU $R3 $R2 $R5
    ${EndIf}
  FunctionEnd

  ; Sets $0 to 1 when the desktop's screen saver is the Zantrelle.scr in
  ; $INSTDIR: the value setup wrote, or the file by any name (the Screen
  ; Saver Settings write its long path), else to 0.
  Function ${PREFIX}IsZantrelleCurrent
    StrCpy $0 0
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
    ${If} $1 == ""
      Return
    ${EndIf}
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" ScreenSaver
    ${If} $1 == $2
      StrCpy $0 1
      Return
    ${EndIf}
    StrCpy $9 $1
    Call ${PREFIX}LongPath
    StrCpy $1 $9
    StrCpy $9 "$INSTDIR\Zantrelle.scr"
    Call ${PREFIX}LongPath
    ${If} $1 == $9
      StrCpy $0 1
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DEFINE_SCREEN_SAVER ""
!insertmacro DEFINE_SCREEN_SAVER "un."

; Keeps the screen saver set now (or that none is) in the uninstall entry.
Function RememberPreviousScreenSaver
  StrCpy $R1 "${DESKTOP_KEY}"
  StrCpy $R3 "${UNINSTALL_KEY}"
  StrCpy $R0 SCRNSAVE.EXE
  StrCpy $R2 PreviousScreenSaver
  Call CopyStringValue
  StrCpy $R0 ScreenSaveActive
  StrCpy $R2 PreviousScreenSaveActive
  Call CopyStringValue
FunctionEnd

; Windows starts a screen saver at idle time through its short path.
Function PointScreenSaverHere
  GetFullPathName /SHORT $0 "$INSTDIR\Zantrelle.scr"
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR\Zantrelle.scr"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE $0
  WriteRegStr HKCU "${UNINSTALL_KEY}" ScreenSaver $0
FunctionEnd

Function MakeCurrentScreenSaver
  Call IsZantrelleCurrent
  ${If} $0 == 0
    Call RememberPreviousScreenSaver
  ${EndIf}
  Call PointScreenSaverHere
  WriteRegStr HKCU "${DESKTOP_KEY}" ScreenSaveActive 1
  ; The running session learns of it now, not at the next sign-in.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})'
FunctionEnd

Function un.RestorePreviousScreenSaver
  StrCpy $R1 "${UNINSTALL_KEY}"
  StrCpy $R3 "${DESKTOP_KEY}"
  StrCpy $R0 PreviousScreenSaver
  StrCpy $R2 SCRNSAVE.EXE
  Call un.CopyStringValue
  StrCpy $R0 PreviousScreenSaveActive
  StrCpy $R2 ScreenSaveActive
  Call un.CopyStringValue
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" ScreenSaveActive
  StrCpy $2 0
  ${If} $1 == 1
    StrCpy $2 1
  ${EndIf}
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i $2, p 0, i ${SPIF_SENDCHANGE})'
FunctionEnd
