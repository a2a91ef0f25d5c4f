# The hicolor PNG icons, rendered from the one SVG at build time, at the sizes desktops ask
# for. The window's own icon is built from the same files.
find_program(ZARNEL_RSVG_CONVERT rsvg-convert REQUIRED)
set(ZARNEL_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/zarnel.svg)
set(ZARNEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ZARNEL_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

set(ZARNEL_ICON_PNGS)
foreach(size IN LISTS ZARNEL_ICON_SIZES)
  set(png ${ZARNEL_ICON_DIR}/zarnel-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZARNEL_ICON_DIR}
    COMMAND ${ZARNEL_RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
            ${ZARNEL_ICON_SVG}
    DEPENDS ${ZARNEL_ICON_SVG}
    COMMENT "Rendering the ${size}-pixel icon"
    VERBATIM)
  list(APPEND ZARNEL_ICON_PNGS ${png})
endforeach()
add_custom_target(zarnel-icons ALL DEPENDS ${ZARNEL_ICON_PNGS})
