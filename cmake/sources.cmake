# The launcher's sources, shared by the product build and the test build.
set(LAUNCHER_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
set(LAUNCHER_CORE_SOURCES
  ${LAUNCHER_SOURCE_DIR}/config/LauncherConfig.cpp
  ${LAUNCHER_SOURCE_DIR}/config/Language.cpp
  ${LAUNCHER_SOURCE_DIR}/controls/Bitmap.cpp
  ${LAUNCHER_SOURCE_DIR}/controls/BitmapTextButton.cpp
  ${LAUNCHER_SOURCE_DIR}/controls/BoundedString.cpp
  ${LAUNCHER_SOURCE_DIR}/app/Launcher.cpp
  ${LAUNCHER_SOURCE_DIR}/app/MainWindow.cpp
  ${LAUNCHER_SOURCE_DIR}/app/WindowProc.cpp
  ${LAUNCHER_SOURCE_DIR}/app/Accelerators.cpp
  ${LAUNCHER_SOURCE_DIR}/app/SystemLibrary.cpp
  ${LAUNCHER_SOURCE_DIR}/actions/RegistryValue.cpp
  ${LAUNCHER_SOURCE_DIR}/actions/InstallLocation.cpp
  ${LAUNCHER_SOURCE_DIR}/actions/ShellLaunch.cpp
  ${LAUNCHER_SOURCE_DIR}/actions/Actions.cpp
)
set(LAUNCHER_MAIN_SOURCE ${LAUNCHER_SOURCE_DIR}/app/Main.cpp)
set(LAUNCHER_RESOURCE_SCRIPT ${LAUNCHER_SOURCE_DIR}/res/launcher.rc)
set(LAUNCHER_SYSTEM_LIBRARIES comctl32 shlwapi)

# Compiler settings for everything built from the launcher's sources.
function(launcher_compile_options target)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WINVER=0x0501 _WIN32_WINNT=0x0501)
  target_include_directories(${target} PRIVATE ${LAUNCHER_SOURCE_DIR}/res)
  if(MSVC)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/W4 /GR- /utf-8>)
  else()
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -fno-exceptions -fno-rtti
                                -ffunction-sections -fno-asynchronous-unwind-tables>)
  endif()
endfunction()
