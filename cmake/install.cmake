# What `cmake --install` lays out under the prefix: the game and velmora-world
# in bin/, and beside it share/ with the desktop entry, the icons, the AppStream
# metadata, the manual pages and share/velmora. The game keeps its files in
# the user's data folder when it finds share/velmora beside its bin/, so those
# two folder names are fixed here, whatever GNUInstallDirs would choose.
set(VELMORA_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

if(TARGET velmora)
  install(TARGETS velmora RUNTIME DESTINATION bin)
endif()
install(TARGETS velmora-world RUNTIME DESTINATION bin)
install(FILES ${VELMORA_PACKAGING}/share-readme.txt DESTINATION share/velmora RENAME README)
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
