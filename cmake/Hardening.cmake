# The program built as Debian builds its own packages: a canary on every stack frame that holds
# an array, the C library's checked string and memory functions, probes on each page of a large
# stack frame, control-flow protection on x86, a position-independent program whose relocations
# are read-only once all are bound at start; on Windows, what applies there: the canaries, and
# a program the loader places anywhere in the 64-bit address space (ASLR with high entropy)
# whose data are never run (DEP). Each flag is taken only where the compiler and linker have
# it, so that any toolchain still builds. Not with the sanitizers or the fuzzers, which
# instrument the same functions their own way.
option(TAVO_HARDEN "Build with the hardening flags of Debian's own packages" ON)
if(NOT TAVO_HARDEN OR MSVC OR TAVO_SANITIZE OR TAVO_FUZZ)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

# A flag for the compiler, or for the compiler and the linker, kept where the compiler takes it.
function(tavo_harden_flag flag variable)
  check_cxx_compiler_flag(${flag} ${variable})
  if(${variable})
    add_compile_options(${flag})
    if(ARGN STREQUAL "LINK")
      add_link_options(${flag})
    endif()
  endif()
endfunction()

# A flag for the linker alone, kept where the linker takes it.
function(tavo_harden_link_flag flag variable)
  check_linker_flag(CXX ${flag} ${variable})
  if(${variable})
    add_link_options(${flag})
  endif()
endfunction()

# A statically linked program (the cross builds) cannot be position-independent with the usual
# flags, and is placed by no loader: it is left as its toolchain makes it.
if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "(^| )-static( |$)")
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

# MinGW-w64 takes the canary's handler from libssp, which the flag at link time brings in.
tavo_harden_flag(-fstack-protector-strong TAVO_HAS_STACK_PROTECTOR LINK)

if(WIN32)
  tavo_harden_link_flag(-Wl,--dynamicbase,--nxcompat TAVO_HAS_ASLR_DEP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    tavo_harden_link_flag(-Wl,--high-entropy-va TAVO_HAS_HIGH_ENTROPY_VA)
  endif()
  return()
endif()

tavo_harden_flag(-fstack-clash-protection TAVO_HAS_STACK_CLASH_PROTECTION)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86|x86)$")
  tavo_harden_flag(-fcf-protection TAVO_HAS_CF_PROTECTION)
endif()

# Level 3 checks sizes known only at run time too; it needs the compiler's
# __builtin_dynamic_object_size and glibc 2.34. The checks work in optimised code only, and an
# unoptimised build with them would warn.
check_cxx_source_compiles("
  #include <cstdio>
  #if !defined(__has_builtin) || !defined(__GLIBC__)
  #error no level 3
  #elif !__has_builtin(__builtin_dynamic_object_size) || __GLIBC__ < 2 || \
        (__GLIBC__ == 2 && __GLIBC_MINOR__ < 34)
  #error no level 3
  #endif
  int main() {}" TAVO_HAS_FORTIFY_3)
if(TAVO_HAS_FORTIFY_3)
  set(TAVO_FORTIFY_LEVEL 3)
else()
  set(TAVO_FORTIFY_LEVEL 2)
endif()
# Undefined first: some compilers define a level of their own, and a second definition warns.
add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=${TAVO_FORTIFY_LEVEL}>")

tavo_harden_link_flag(-Wl,-z,relro,-z,now TAVO_HAS_RELRO_NOW)
