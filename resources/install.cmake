# Desktop integration: launcher entry, saved-game file type, icons and AppStream metadata.
# Included by the top-level CMakeLists.txt, so paths are taken from this file's folder.
set(TESSALINE_APP_ID org.tessaline.Tessaline)
set(TESSALINE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_tessaline_res ${CMAKE_CURRENT_LIST_DIR})

install(FILES ${_tessaline_res}/desktop/${TESSALINE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_tessaline_res}/desktop/${TESSALINE_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${_tessaline_res}/desktop/${TESSALINE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(_tessaline_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size ${TESSALINE_ICON_SIZES})
  install(FILES ${_tessaline_res}/icons/tessaline-${size}.png
          DESTINATION ${_tessaline_icons}/${size}x${size}/apps
          RENAME ${TESSALINE_APP_ID}.png)
  install(FILES ${_tessaline_res}/icons/tessaline-game-${size}.png
          DESTINATION ${_tessaline_icons}/${size}x${size}/mimetypes
          RENAME application-x-tessaline-game.png)
endforeach()
install(FILES ${_tessaline_res}/icons/tessaline.svg
        DESTINATION ${_tessaline_icons}/scalable/apps
        RENAME ${TESSALINE_APP_ID}.svg)
install(FILES ${_tessaline_res}/icons/tessaline-game.svg
        DESTINATION ${_tessaline_icons}/scalable/mimetypes
        RENAME application-x-tessaline-game.svg)

# Last, once everything above is in place.
install(CODE "set(TESSALINE_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(SCRIPT ${_tessaline_res}/register.cmake)
