# The one version of both programs is the project's (project() in the top
# CMakeLists.txt). Their resource scripts take it from a header made here;
# setup_version gives a target that header and the shared resource script.
foreach(part MAJOR MINOR PATCH TWEAK)
  set(SETUP_VERSION_${part} "${PROJECT_VERSION_${part}}")
  if(SETUP_VERSION_${part} STREQUAL "")
    set(SETUP_VERSION_${part} 0)
  endif()
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/SetupVersion.h.in
  ${CMAKE_BINARY_DIR}/generated/SetupVersion.h @ONLY)

add_library(setup_version INTERFACE)
target_include_directories(setup_version INTERFACE
  ${CMAKE_BINARY_DIR}/generated ${CMAKE_SOURCE_DIR})
