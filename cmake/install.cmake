# SPDX-License-Identifier: MIT
# What `cmake --install` puts in place; debian/ makes the packages of it.
include(GNUInstallDirs)

install(TARGETS menushell RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Private modules, not libraries others link: no soname, no ldconfig. The launcher looks for them
# in ../${CMAKE_INSTALL_LIBDIR}/menushell from its own folder (see platform/CMakeLists.txt).
install(TARGETS menushell_sdl LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/menushell)
if(TARGET menushell_dshow)
  install(TARGETS menushell_dshow LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/menushell)
endif()
if(TARGET menushell-check)
  install(TARGETS menushell-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET menushell-preview)
  install(TARGETS menushell-preview RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET menushell-pack)
  install(TARGETS menushell-pack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Manual pages, compressed as Debian ships them (-n: no name or time stamp, the same bytes on
# every build).
set(man_pages menushell.1 menushell-check.1 menushell-preview.1 menushell-pack.1)
set(man_out ${CMAKE_BINARY_DIR}/doc)
set(man_gz)
foreach(page IN LISTS man_pages)
  add_custom_command(OUTPUT ${man_out}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_out}
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/doc/${page}
            ${man_out}/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/doc/${page} VERBATIM)
  list(APPEND man_gz ${man_out}/${page}.gz)
endforeach()
add_custom_target(menushell_man_pages ALL DEPENDS ${man_gz})
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# A menu opens from a file manager: its .shl file has a type of its own, which the desktop entry
# (not shown in the application menu) opens with the launcher. Debian's triggers rebuild the
# MIME and desktop databases and the icon cache when the package installs.
install(FILES ${PROJECT_SOURCE_DIR}/res/menushell.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/menushell.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/res/io.github.menushell.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/res/menushell.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The desktop's icons are the pictures of the Windows icon (32 x 32 first, then 16 x 16), taken
# out with ImageMagick; without it, none are installed. Time stamps stay out of the PNG files.
find_program(MENUSHELL_CONVERT convert)
if(MENUSHELL_CONVERT)
  set(icon_out ${CMAKE_BINARY_DIR}/icons)
  set(icon_files)
  foreach(frame 0:32 1:16)
    string(REPLACE ":" ";" frame ${frame})
    list(GET frame 0 index)
    list(GET frame 1 size)
    set(png ${icon_out}/${size}x${size}/menushell.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_out}/${size}x${size}
      COMMAND ${MENUSHELL_CONVERT} "${PROJECT_SOURCE_DIR}/res/menushell.ico[${index}]" -strip
              -define png:exclude-chunks=date,time PNG32:${png}
      DEPENDS ${PROJECT_SOURCE_DIR}/res/menushell.ico VERBATIM)
    list(APPEND icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(menushell_icons ALL DEPENDS ${icon_files})
else()
  message(STATUS "ImageMagick's convert not found: the desktop icons are not installed")
endif()
