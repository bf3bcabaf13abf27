; Windows names one file by its long path, its short (8.3) one or a mix of
; both; compared in their long form they match. A path that does not exist
; (any more) has no long form and is compared as written.
!macro DEFINE_LONG_PATH PREFIX
  ; Turns the path $9 into its long form; uses $7 and $8.
  Function ${PREFIX}LongPath
    System::Call 'kernel32::GetLongPathNameW(w r9, w .r8, i ${NSIS_MAX_STRLEN}) i .r7'
    ${If} $7 != 0
      StrCpy $9 $8
    ${EndIf}
  FunctionEnd
!macroend
