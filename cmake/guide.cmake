# SPDX-License-Identifier: GPL-3.0-or-later
# The user's guide inside the program: the README's "Using Tallisto" and the pictures it shows,
# as the resources qrc:/guide/guide.md and qrc:/guide/docs/screenshots/NAME.png.
set(guide_md ${CMAKE_BINARY_DIR}/generated/guide.md)
add_custom_command(OUTPUT ${guide_md}
    COMMAND ${CMAKE_COMMAND} -DREADME=${PROJECT_SOURCE_DIR}/README.md -DOUTPUT=${guide_md}
            -P ${PROJECT_SOURCE_DIR}/cmake/extract_guide.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/cmake/extract_guide.cmake
    COMMENT "Taking the user's guide from README.md")
set_source_files_properties(${guide_md} PROPERTIES QT_RESOURCE_ALIAS guide.md)
file(GLOB guide_pictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
foreach(picture ${guide_pictures})
    get_filename_component(name ${picture} NAME)
    set_source_files_properties(${picture} PROPERTIES QT_RESOURCE_ALIAS docs/screenshots/${name})
endforeach()
qt_add_resources(tallisto_gui guide PREFIX /guide FILES ${guide_md} ${guide_pictures})
