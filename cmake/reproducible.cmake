# The shipped program must come out byte for byte the same from the same
# commit, whoever builds it and wherever the checkout lies: the linker leaves
# no link time in the PE header, and the compiler records source and build
# paths (through __FILE__ and the like) relative to the tree.
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>)
add_link_options(-Wl,--no-insert-timestamp)
