# Installation layout and the Debian package (scripts/package.sh builds it).
#
# The desktop program finds its language module beside its executable, and
# finds that folder through /proc/self/exe, which resolves symbolic links. So
# ORMEL and ORMEL_jpn.txt live together in lib/ormel/, and bin/ORMEL is a
# relative link to it. The command-line tools need no module and go to bin/.
include_guard(GLOBAL)

set(ORMEL_PRIVATE_DIR lib/ormel)
set(ORMEL_LINUX_DIR ${CMAKE_SOURCE_DIR}/resources/linux)
set(ORMEL_APP_ID org.ormel.ORMEL)
set(ORMEL_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

if(TARGET ORMEL)
  install(TARGETS ORMEL RUNTIME DESTINATION ${ORMEL_PRIVATE_DIR})
  install(FILES ${CMAKE_BINARY_DIR}/bin/ORMEL_jpn.txt DESTINATION ${ORMEL_PRIVATE_DIR})
  # install(FILES) copies a link as a link.
  file(MAKE_DIRECTORY ${ORMEL_PACKAGING_DIR})
  file(CREATE_LINK ../${ORMEL_PRIVATE_DIR}/ORMEL ${ORMEL_PACKAGING_DIR}/ORMEL SYMBOLIC)
  install(FILES ${ORMEL_PACKAGING_DIR}/ORMEL DESTINATION bin)

  install(FILES ${ORMEL_LINUX_DIR}/${ORMEL_APP_ID}.desktop DESTINATION share/applications)
  install(FILES ${ORMEL_LINUX_DIR}/${ORMEL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
  foreach(size 16 22 24 32 48 64 128)
    install(FILES ${ORMEL_LINUX_DIR}/icons/hicolor/${size}x${size}/apps/ormel.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/ormel.png
          DESTINATION share/icons/hicolor/256x256/apps)
endif()
foreach(tool ormel-cli ormel-devsim)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION bin)
  endif()
endforeach()

# Manual pages, compressed as Debian wants them; -n keeps name and time out of
# the gzip header, so the package is the same from one build to the next.
find_program(ORMEL_GZIP gzip)
set(ORMEL_PACKAGE_DOCS)
foreach(page ORMEL ormel-cli ormel-devsim)
  if(TARGET ${page} AND ORMEL_GZIP)
    set(source ${CMAKE_SOURCE_DIR}/resources/man/${page}.1)
    set(compressed ${ORMEL_PACKAGING_DIR}/${page}.1.gz)
    add_custom_command(
      OUTPUT ${compressed}
      COMMAND ${ORMEL_GZIP} -9n -c ${source} > ${compressed}
      DEPENDS ${source}
      COMMENT "Compressing the manual page ${page}.1")
    list(APPEND ORMEL_PACKAGE_DOCS ${compressed})
    install(FILES ${compressed} DESTINATION share/man/man1)
  endif()
endforeach()
# The package's changelog. A new version gets an entry here, a release in the
# metainfo and a new date line in the manual pages; the package test checks them.
if(ORMEL_GZIP)
  set(compressed ${ORMEL_PACKAGING_DIR}/changelog.Debian.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${ORMEL_GZIP} -9n -c ${ORMEL_LINUX_DIR}/changelog > ${compressed}
    DEPENDS ${ORMEL_LINUX_DIR}/changelog
    COMMENT "Compressing the package changelog")
  list(APPEND ORMEL_PACKAGE_DOCS ${compressed})
  install(FILES ${compressed} DESTINATION share/doc/ormel)
endif()
install(FILES ${ORMEL_LINUX_DIR}/copyright DESTINATION share/doc/ormel)
install(FILES ${ORMEL_LINUX_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ormel)
if(ORMEL_PACKAGE_DOCS)
  add_custom_target(ormel_package_docs ALL DEPENDS ${ORMEL_PACKAGE_DOCS})
endif()

# Symbols are bound at start-up, so the relocation table can stay read-only.
foreach(program ORMEL ormel-cli ormel-devsim)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE LINKER:-z,now)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ormel)
set(CPACK_PACKAGE_VENDOR QZ)
set(ORMEL_PACKAGE_MAINTAINER "ORMEL developers <developers@ormel.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${ORMEL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure and monitor power monitors over Modbus")
set(CPACK_PACKAGE_DESCRIPTION
    "ORMEL configures and monitors a family of power monitors and power
transducers over Modbus-RTU (configuration port, infrared adapter, RS-485)
or Modbus/TCP: it identifies the device, uploads and downloads its parameter
set, protects it with the device passcode, and saves, opens and compares
configuration files. In English and Japanese.
.
The package also holds ormel-cli, the device operations from a shell, and
ormel-devsim, a device simulator for Modbus/TCP and Modbus-RTU.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a platform plugin the desktop program opens no window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-qpa-plugins)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
