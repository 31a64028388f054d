# Installs the build into a temporary prefix, or unpacks its Debian package,
# and checks the result is self-contained: every file in its place, run-time
# paths only relative to the installed files, and the installed sandbox's
# demo passing with the installed plug-in.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<dir> -DBINDIR=.. -DLIBDIR=.. -DPLUGIN_DIR=..
#         -DDATADIR=.. [-DPACKAGE=ON] [-DREADELF=<readelf>] -P CheckInstall.cmake
foreach(var BUILD_DIR WORK_DIR BINDIR LIBDIR PLUGIN_DIR DATADIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} ended with ${result}:\n${output}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/tmp)
if(PACKAGE)
    run(${CMAKE_CPACK_COMMAND} -G DEB -B ${WORK_DIR}/package
        --config ${BUILD_DIR}/CPackConfig.cmake)
    file(GLOB debs ${WORK_DIR}/package/*.deb)
    list(LENGTH debs count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "cpack made ${count} .deb files")
    endif()
    run(dpkg-deb -x ${debs} ${WORK_DIR}/root)
    set(prefix ${WORK_DIR}/root/usr)
else()
    set(prefix ${WORK_DIR}/prefix)
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
endif()

if(IS_ABSOLUTE ${PLUGIN_DIR})
    set(plugin ${PLUGIN_DIR}/libFirmwareUpdater.so)
else()
    set(plugin ${prefix}/${PLUGIN_DIR}/libFirmwareUpdater.so)
endif()
set(sandbox ${prefix}/${BINDIR}/firmware-updater-sandbox)
set(host ${prefix}/${LIBDIR}/libondrelhost.so)
foreach(file ${sandbox} ${host} ${plugin}
        ${prefix}/include/FirmwareUpdater/host/IPlugin.h
        ${prefix}/${LIBDIR}/cmake/FirmwareUpdater/FirmwareUpdaterConfig.cmake
        ${prefix}/${DATADIR}/firmwareupdater/samples/cameras.json
        ${prefix}/${DATADIR}/firmwareupdater/samples/updates/A1-20_1.5.0.guf)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "Not installed: ${file}")
    endif()
endforeach()

# A search path into the build tree would hide a broken installed layout.
if(READELF)
    foreach(binary ${sandbox} ${host} ${plugin})
        execute_process(COMMAND ${READELF} -d ${binary} OUTPUT_VARIABLE dynamic)
        string(REGEX MATCHALL "R(UN)?PATH\\)[^\n]*\\[[^]\n]*\\]" paths "${dynamic}")
        foreach(entry ${paths})
            string(REGEX REPLACE ".*\\[(.*)\\]" "\\1" entry "${entry}")
            string(REPLACE ":" ";" entry "${entry}")
            foreach(path ${entry})
                if(NOT path MATCHES "^\\$ORIGIN")
                    message(FATAL_ERROR "${binary} searches ${path}")
                endif()
            endforeach()
        endforeach()
    endforeach()
endif()

set(ENV{TMPDIR} ${WORK_DIR}/tmp)
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${sandbox} --demo --out ${WORK_DIR}/screenshots
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 240)
message("${output}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The installed sandbox's demo ended with ${result}:\n${errors}")
endif()
foreach(line "Plug-in file: ${plugin}" "Screenshots: 5 of 5 pages" "Demo passed")
    string(FIND "${output}" "${line}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "The demo's output lacks: ${line}")
    endif()
endforeach()

if(NOT PACKAGE)
    run(${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/install -B ${WORK_DIR}/consumer
        -G Ninja -DCMAKE_PREFIX_PATH=${prefix})
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
endif()
