# The program's window classes. Another instance finds a full-screen cover by
# its class, the installer finds every running copy of the program by them,
# and the release's tests wait for the Settings dialog by its class: all of
# them take the names from here, written out by the build as a C++ header
# (host/backend/window_classes.h), an NSIS include and a bash file.
set(ZANTRELLE_PAINTED_WINDOW_CLASS ZantrelleCover)
set(ZANTRELLE_PLAIN_COVER_WINDOW_CLASS ZantrellePlainCover)
set(ZANTRELLE_DIALOG_WINDOW_CLASS ZantrelleDialog)

set(ZANTRELLE_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/window_classes.h.in
  ${ZANTRELLE_GENERATED_DIR}/host/backend/window_classes.h @ONLY)
