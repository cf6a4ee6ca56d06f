# kestrova_wayland_protocol(TARGET NAME XML): generates NAME-client-protocol.h and the
# protocol's marshalling code from XML with wayland-scanner at build time and adds both
# to TARGET. The header lands in TARGET's binary folder, which TARGET exports.
pkg_get_variable(KESTROVA_WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT KESTROVA_WAYLAND_SCANNER)
  message(FATAL_ERROR "wayland-scanner not found (Debian package libwayland-bin)")
endif()

function(kestrova_wayland_protocol target name xml)
  set(header ${CMAKE_CURRENT_BINARY_DIR}/${name}-client-protocol.h)
  set(code ${CMAKE_CURRENT_BINARY_DIR}/${name}-protocol.c)
  # --strict: a malformed protocol file fails the build instead of generating wrong code.
  add_custom_command(OUTPUT ${header}
    COMMAND ${KESTROVA_WAYLAND_SCANNER} --strict client-header ${xml} ${header}
    DEPENDS ${xml} VERBATIM)
  add_custom_command(OUTPUT ${code}
    COMMAND ${KESTROVA_WAYLAND_SCANNER} --strict private-code ${xml} ${code}
    DEPENDS ${xml} VERBATIM)
  target_sources(${target} PRIVATE ${header} ${code})
endfunction()
