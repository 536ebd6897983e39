# The Windows build of one architecture (the toolchain file's processor): Kestova.exe, its test
# programs (run under Wine by CTest) and the dist folder.
set(KESTOVA_ARCH ${CMAKE_SYSTEM_PROCESSOR})
set(KESTOVA_DIST_DIR ${CMAKE_BINARY_DIR}/dist CACHE PATH "Folder that receives Kestova.exe and its files")
set(KESTOVA_LIBJPEG_DIR ${CMAKE_SOURCE_DIR}/build/deps/libjpeg-${KESTOVA_ARCH} CACHE PATH "Cross-built libjpeg-turbo")
# The Wine wrapper runs this tree's programs in a prefix of this architecture.
file(WRITE ${CMAKE_BINARY_DIR}/kestova-arch ${KESTOVA_ARCH})

# The x86 program starts on XP SP3 (subsystem 5.01); the x64 one needs 64-bit Vista (6.00).
# Each links a manifest naming its own processor: Windows refuses an x64 program whose manifest
# asks for the x86 common controls.
if(KESTOVA_ARCH STREQUAL "i686")
  set(KESTOVA_OS_VERSION 5 1)
  set(KESTOVA_MANIFEST_PROCESSOR X86)
  set(KESTOVA_RELEASE_SUFFIX "")
elseif(KESTOVA_ARCH STREQUAL "x86_64")
  set(KESTOVA_OS_VERSION 6 0)
  set(KESTOVA_MANIFEST_PROCESSOR amd64)
  set(KESTOVA_RELEASE_SUFFIX "-x64")
else()
  message(FATAL_ERROR "No Kestova build for the processor ${KESTOVA_ARCH}")
endif()
list(GET KESTOVA_OS_VERSION 0 os_major)
list(GET KESTOVA_OS_VERSION 1 os_minor)
configure_file(${CMAKE_SOURCE_DIR}/res/kestova.manifest.in ${CMAKE_BINARY_DIR}/res/kestova.manifest @ONLY)
include_directories(BEFORE ${CMAKE_BINARY_DIR}/res)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501
                        _WIN32_IE=0x0600)
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(kestova_core STATIC ${KESTOVA_CORE_SOURCES})
target_include_directories(kestova_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_compile_options(kestova_core PRIVATE ${KESTOVA_WARNINGS})

# Answers the GetTickCount64 import of the thread runtime inside every program (XP lacks it).
# An object library, so the definition is linked before the runtime's archive is searched.
add_library(xp_compat OBJECT ${CMAKE_SOURCE_DIR}/src/win/xp_compat.cpp)
target_compile_options(xp_compat PRIVATE ${KESTOVA_WARNINGS})

add_library(jpeg_static STATIC IMPORTED)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${KESTOVA_LIBJPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${KESTOVA_LIBJPEG_DIR}/include)

file(GLOB KESTOVA_WIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/win/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/*.cpp ${CMAKE_SOURCE_DIR}/src/shell/*.cpp
  ${CMAKE_SOURCE_DIR}/src/app/*.cpp
  ${CMAKE_SOURCE_DIR}/src/junk/*.cpp ${CMAKE_SOURCE_DIR}/src/registry/*.cpp
  ${CMAKE_SOURCE_DIR}/src/shredder/*.cpp ${CMAKE_SOURCE_DIR}/src/dupes/*.cpp
  ${CMAKE_SOURCE_DIR}/src/traces/*.cpp ${CMAKE_SOURCE_DIR}/src/spyware/*.cpp
  ${CMAKE_SOURCE_DIR}/src/stats/*.cpp ${CMAKE_SOURCE_DIR}/src/sysinfo/*.cpp)
list(REMOVE_ITEM KESTOVA_WIN_SOURCES ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${CMAKE_SOURCE_DIR}/src/win/xp_compat.cpp)

add_library(kestova_app STATIC ${KESTOVA_WIN_SOURCES})
target_include_directories(kestova_app PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_compile_options(kestova_app PRIVATE ${KESTOVA_WARNINGS})
target_link_libraries(kestova_app PUBLIC kestova_core jpeg_static
  comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid wininet advapi32 gdi32 user32 kernel32)

add_executable(Kestova WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${CMAKE_SOURCE_DIR}/res/kestova.rc)
target_link_libraries(Kestova PRIVATE kestova_app xp_compat)
target_compile_options(Kestova PRIVATE ${KESTOVA_WARNINGS})
target_link_options(Kestova PRIVATE -municode -Wl,--subsystem,windows:${os_major}.0${os_minor}
  -Wl,--major-os-version,${os_major} -Wl,--minor-os-version,${os_minor})
set_target_properties(Kestova PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KESTOVA_DIST_DIR})

# Every file the program reads beside itself.
file(GLOB KESTOVA_DIST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/dist/*)
add_custom_target(dist_files ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTOVA_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KESTOVA_DIST_FILES} ${KESTOVA_DIST_DIR}
  DEPENDS ${KESTOVA_DIST_FILES})
file(GLOB KESTOVA_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/help/*)
add_custom_command(OUTPUT ${KESTOVA_DIST_DIR}/kestova.chm
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-help ${CMAKE_SOURCE_DIR}/res/help ${KESTOVA_DIST_DIR}/kestova.chm
  DEPENDS ${KESTOVA_HELP_FILES} ${CMAKE_SOURCE_DIR}/scripts/make-help)
add_custom_target(help_file ALL DEPENDS ${KESTOVA_DIST_DIR}/kestova.chm)

include(${CMAKE_CURRENT_LIST_DIR}/windows-tests.cmake)
