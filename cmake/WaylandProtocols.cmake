# Client code for Wayland protocol descriptions, generated at build time.
#
#   pixolet_wayland_protocols(TARGET <static-library-name> XML <file>...)
#
# builds one static library holding the glue code of every listed protocol and
# puts its client headers (<protocol-file-name>-client.h) on the library's
# public include path. XML paths may be absolute or relative to the caller's
# source folder.
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)

function(pixolet_wayland_protocols)
  cmake_parse_arguments(ARG "" "TARGET" "XML" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}-protocols)
  file(MAKE_DIRECTORY ${out_dir})
  set(sources)
  foreach(xml IN LISTS ARG_XML)
    get_filename_component(xml_path ${xml} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(name ${xml_path} NAME_WE)
    add_custom_command(
      OUTPUT ${out_dir}/${name}-client.h ${out_dir}/${name}-protocol.c
      COMMAND ${WAYLAND_SCANNER} client-header ${xml_path} ${out_dir}/${name}-client.h
      COMMAND ${WAYLAND_SCANNER} private-code ${xml_path} ${out_dir}/${name}-protocol.c
      DEPENDS ${xml_path}
      COMMENT "wayland-scanner ${name}"
      VERBATIM)
    list(APPEND sources ${out_dir}/${name}-client.h ${out_dir}/${name}-protocol.c)
  endforeach()
  add_library(${ARG_TARGET} STATIC ${sources})
  target_include_directories(${ARG_TARGET} PUBLIC ${out_dir})
  target_link_libraries(${ARG_TARGET} PUBLIC PkgConfig::WAYLAND_CLIENT)
endfunction()
