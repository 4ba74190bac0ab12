# The compiler and linker flags Debian builds its own packages with, as
# dpkg-buildflags gives them (hardening included when DEB_BUILD_MAINT_OPTIONS
# asks for it, as the package preset does): the toolchain of the Debian
# package's tree.
#   cmake --preset package
foreach(kind CXXFLAGS CPPFLAGS LDFLAGS)
  execute_process(COMMAND dpkg-buildflags --get ${kind}
    OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CMAKE_CXX_FLAGS_INIT "${debian_CXXFLAGS} ${debian_CPPFLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${debian_LDFLAGS}")
