# Compiler settings shared by every target of the project. The floating-point
# exception flags are part of the engine's error handling, so nothing here may
# enable fast-math style optimisations.
add_library(vaporix_options INTERFACE)
target_compile_options(vaporix_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion
  $<$<BOOL:${VAPORIX_WARNINGS_AS_ERRORS}>:-Werror>)

if(VAPORIX_SANITIZE)
  target_compile_options(vaporix_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(vaporix_options INTERFACE -fsanitize=address,undefined)
endif()
