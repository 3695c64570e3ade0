# SPDX-License-Identifier: MIT
# The Windows build: the same application sources and the framework subset over the real system
# API; no window layer, no SDL, no GStreamer, no tests. Static runtime libraries, so that the
# program runs from a disc with nothing beside it.
enable_language(RC)
add_executable(menushell WIN32
  app/main.cpp
  app/shell_app.cpp
  buttons/click.cpp
  buttons/focus_order.cpp
  buttons/hover.cpp
  buttons/keyboard.cpp
  description/description_reader.cpp
  description/format_reader.cpp
  description/formats.cpp
  description/key_value_file.cpp
  description/shell_button.cpp
  description/shell_description.cpp
  imaging/dib_image.cpp
  movie/movie.cpp
  platform/afx/app.cpp
  platform/afx/dialog.cpp
  platform/afx/file_find.cpp
  platform/afx/gdi.cpp
  platform/afx/message_map.cpp
  platform/afx/wnd.cpp
  platform/afx/win_main.cpp
  platform/file_stream.cpp
  res/menushell.rc
  window/painting.cpp
  window/picture_wnd.cpp
  window/shell_dlg.cpp
)
# Below the framework lies the system itself, so there are no layers of this project to keep
# apart: the sources include each other from the root.
target_include_directories(menushell PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(menushell PRIVATE user32 gdi32 msvfw32 winmm shell32 ole32 strmiids uuid)
target_link_options(menushell PRIVATE -static -static-libgcc -static-libstdc++)
# The static runtime brings megabytes of debug sections that a disc has no use for.
target_link_options(menushell PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
# The version resource's numbers.
set_property(SOURCE res/menushell.rc APPEND PROPERTY COMPILE_DEFINITIONS
  MENUSHELL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  MENUSHELL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  MENUSHELL_VERSION_PATCH=${PROJECT_VERSION_PATCH})
# The build does not see the files the resource script includes.
set_property(SOURCE res/menushell.rc APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/menushell.ico ${PROJECT_SOURCE_DIR}/res/menushell.manifest)
