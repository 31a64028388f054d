# Where `cmake --install` puts things, relative to the prefix, and the
# run-time search paths that follow from it. Installed files find each other
# through $ORIGIN only, so an installed tree works wherever it is unpacked.
include(GNUInstallDirs)

set(FIRMWAREUPDATER_PLUGIN_DIR "${CMAKE_INSTALL_LIBDIR}/ondrelviewer/plugins" CACHE STRING
    "Folder for the plug-in file, relative to the install prefix (or absolute)")
set(FU_INSTALL_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/FirmwareUpdater")
set(FU_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/firmwareupdater")
set(FU_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/FirmwareUpdater")

# The path from installed folder `from` to `to`, both relative to the prefix.
# Where either is absolute, the result is the absolute `to`.
function(fu_install_relative out from to)
    if(IS_ABSOLUTE "${to}")
        set(${out} "${to}" PARENT_SCOPE)
        return()
    endif()
    if(IS_ABSOLUTE "${from}")
        set(${out} "${CMAKE_INSTALL_PREFIX}/${to}" PARENT_SCOPE)
        return()
    endif()
    set(root "/fu-install-prefix")
    file(RELATIVE_PATH rel "${root}/${from}" "${root}/${to}")
    string(REGEX REPLACE "/$" "" rel "${rel}")
    if(rel STREQUAL "")
        set(rel ".")
    endif()
    set(${out} "${rel}" PARENT_SCOPE)
endfunction()

# Lets an installed binary in `dir` find the host library.
function(fu_install_rpath target dir)
    fu_install_relative(rel "${dir}" "${CMAKE_INSTALL_LIBDIR}")
    if(IS_ABSOLUTE "${rel}")
        set_target_properties(${target} PROPERTIES INSTALL_RPATH "${rel}")
    else()
        set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${rel}")
    endif()
endfunction()
