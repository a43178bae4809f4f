# What `cmake --install` lays out under the prefix: the game and velmora-world
# in bin/ (games/ for the Debian package), and beside it share/ with the desktop
# entry, the icons, the AppStream metadata, the manual pages and share/velmora.
# The game keeps its files in the user's data folder when it finds
# share/velmora beside its own folder, so these names are fixed here, whatever
# GNUInstallDirs would choose.
set(VELMORA_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(VELMORA_INSTALL_BINDIR bin CACHE STRING "Folder of the installed programs: bin or games")
set_property(CACHE VELMORA_INSTALL_BINDIR PROPERTY STRINGS bin games)
if(NOT VELMORA_INSTALL_BINDIR MATCHES "^(bin|games)$")
  message(FATAL_ERROR "VELMORA_INSTALL_BINDIR must be bin or games: the game looks for "
                      "share/velmora beside one of them")
endif()

if(TARGET velmora)
  install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_BINDIR})
endif()
install(TARGETS velmora-world RUNTIME DESTINATION ${VELMORA_INSTALL_BINDIR})
install(FILES ${VELMORA_PACKAGING}/share-readme.txt DESTINATION share/velmora RENAME installed)
install(FILES ${VELMORA_PACKAGING}/velmora.desktop DESTINATION share/applications)
install(FILES ${VELMORA_PACKAGING}/velmora.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VELMORA_PACKAGING}/velmora.6 ${VELMORA_PACKAGING}/velmora-world.6
        DESTINATION share/man/man6)

# The icon in each size, drawn by the art tool from the game's own pictures.
if(TARGET make_assets)
  set(VELMORA_ICON_THEME ${CMAKE_BINARY_DIR}/icons)
  add_custom_command(
    OUTPUT ${VELMORA_ICON_THEME}/256x256/apps/velmora.png
    COMMAND make_assets --icons ${VELMORA_ICON_THEME}
    DEPENDS make_assets
    COMMENT "Drawing the desktop icons")
  add_custom_target(velmora_icons ALL DEPENDS ${VELMORA_ICON_THEME}/256x256/apps/velmora.png)
  install(DIRECTORY ${VELMORA_ICON_THEME}/ DESTINATION share/icons/hicolor)
endif()
