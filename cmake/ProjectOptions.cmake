# Compiler settings shared by every target of both builds.

# Sources are UTF-8; every narrow literal becomes GBK bytes, the code page the
# programs run in. The host build does the same so that tests compare the very
# bytes the Windows programs use.
add_compile_options(-Wall -Wextra -finput-charset=UTF-8 -fexec-charset=GBK)

option(RAZ_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(RAZ_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Narrow (ANSI) API throughout; the wide functions are named explicitly where used.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Static, stripped, and without unused code: Ravelmend carries the other two
  # programs, so every program's size counts twice.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections $<$<NOT:$<CONFIG:Debug>>:-s>)
  # The deliverables are 32-bit. Where the kernel cannot run 32-bit code (no
  # IA32 emulation, as on the project's Linux machines), Wine runs only 64-bit
  # programs, so the tests run the 64-bit build of the same sources.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(RAZ_WINE_TESTS ON)
  else()
    set(RAZ_WINE_TESTS OFF)
  endif()
  if(CMAKE_CROSSCOMPILING AND RAZ_WINE_TESTS)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh;${CMAKE_BINARY_DIR}")
  endif()
endif()

# raz_portable_library(name sources...): logic without <windows.h>, built in both
# builds; the host unit tests link every one of them.
function(raz_portable_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY RAZ_PORTABLE_LIBS ${name})
endfunction()

# raz_win32_library(name sources...): the Win32 layer; the in-process Windows
# tests link every one of them.
function(raz_win32_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY RAZ_WIN32_LIBS ${name})
endfunction()
