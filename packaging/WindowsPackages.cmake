# The Windows downloads, built with the program: the installer (makensis, from
# packaging/windows/kestrova-saver.nsi) and a zip for installing by hand. Both hold
# the same files: the .scr, the 3D kinds' textures that it finds beside itself, a
# readme and the licences of the runtime linked into the .scr.
find_program(KESTROVA_MAKENSIS makensis REQUIRED)

set(stage ${CMAKE_BINARY_DIR}/package/files)
set(KESTROVA_INSTALLER ${CMAKE_BINARY_DIR}/package/kestrova-saver-${PROJECT_VERSION}-setup.exe)
set(KESTROVA_ZIP ${CMAKE_BINARY_DIR}/package/kestrova-saver-${PROJECT_VERSION}-windows-x86_64.zip)

set(icon ${PROJECT_SOURCE_DIR}/assets/icon/version.ico)
file(GLOB textures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/textures/*.bmp)
configure_file(packaging/windows/readme.txt ${CMAKE_BINARY_DIR}/package/readme.txt @ONLY NEWLINE_STYLE CRLF)
set(sources ${CMAKE_BINARY_DIR}/package/readme.txt /usr/share/doc/mingw-w64-common/copyright ${textures})
set(names readme.txt mingw-w64-copyright.txt)
foreach(texture ${textures})
  get_filename_component(name ${texture} NAME)
  list(APPEND names ${name})
endforeach()

# What makensis installs and the uninstaller deletes, one line per file.
set(install_lines "File \"${stage}/kestrova-saver.scr\"\n")
set(uninstall_lines "Delete \"$INSTDIR\\kestrova-saver.scr\"\n")
foreach(name ${names})
  string(APPEND install_lines "File \"${stage}/${name}\"\n")
  string(APPEND uninstall_lines "Delete \"$INSTDIR\\${name}\"\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/package/install-files.nsh "${install_lines}")
file(WRITE ${CMAKE_BINARY_DIR}/package/uninstall-files.nsh "${uninstall_lines}")

set(copies COMMAND ${CMAKE_STRIP} -o ${stage}/kestrova-saver.scr $<TARGET_FILE:kestrova-saver>)
foreach(source name IN ZIP_LISTS sources names)
  list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy ${source} ${stage}/${name})
endforeach()
add_custom_command(OUTPUT ${KESTROVA_ZIP} ${KESTROVA_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  ${copies}
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${CMAKE_COMMAND} -E tar cf ${KESTROVA_ZIP} --format=zip
          kestrova-saver.scr ${names}
  COMMAND ${KESTROVA_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
          -DPUBLISHER=${KESTROVA_PUBLISHER} -DOUTFILE=${KESTROVA_INSTALLER}
          -DICON=${icon}
          -DFILES=${CMAKE_BINARY_DIR}/package/install-files.nsh
          -DUNFILES=${CMAKE_BINARY_DIR}/package/uninstall-files.nsh
          ${PROJECT_SOURCE_DIR}/packaging/windows/kestrova-saver.nsi
  DEPENDS kestrova-saver ${sources} ${icon} ${PROJECT_SOURCE_DIR}/packaging/windows/kestrova-saver.nsi
  COMMENT "Packing the Windows installer and zip" VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${KESTROVA_ZIP} ${KESTROVA_INSTALLER})
