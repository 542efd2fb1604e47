# Each Windows build's manifests name its own processor, for the program and
# for the common controls it asks for: 64-bit Windows refuses a 64-bit
# program whose manifest says x86. The resource scripts name the manifests
# plainly ("Setup.manifest"); windres finds the configured ones here.
if(NOT WIN32)
  return()
endif()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(SETUP_MANIFEST_ARCH amd64)
else()
  set(SETUP_MANIFEST_ARCH x86)
endif()
set(SETUP_MANIFEST_DIR "${CMAKE_BINARY_DIR}/manifests")
foreach(manifest res/Setup.manifest cli/setupctl.manifest)
  get_filename_component(name "${manifest}" NAME)
  configure_file("${CMAKE_SOURCE_DIR}/${manifest}.in" "${SETUP_MANIFEST_DIR}/${name}" @ONLY)
endforeach()
add_compile_options("$<$<COMPILE_LANGUAGE:RC>:-I${SETUP_MANIFEST_DIR}>")
