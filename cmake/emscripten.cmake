# The browser tree's toolchain: emscripten's own, from wherever the installed
# emscripten keeps it (Debian's: /usr/share/emscripten), as em-config says.
#   cmake --preset web
execute_process(COMMAND em-config EMSCRIPTEN_ROOT
  OUTPUT_VARIABLE emscripten_root OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
