# Runs the sandbox's headless demo for one scenario and checks what it left:
#   cmake -DSANDBOX=<exe> -DSCENARIO=<name> -DWORK_DIR=<dir> -P CheckDemo.cmake
foreach(var SANDBOX SCENARIO WORK_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

# Each run gets its own temporary folder: log names only carry the second.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/tmp)
set(ENV{TMPDIR} ${WORK_DIR}/tmp)
set(ENV{QT_QPA_PLATFORM} offscreen)

set(extra_args)
# LANGUAGE=<code> runs the demo in that language from the start.
if(LANGUAGE)
    list(APPEND extra_args --language ${LANGUAGE})
endif()
# WRONG_FILE=ON hands the demo an update file that fits none of its cameras
# under the expected name: the demo must notice and fail.
if(WRONG_FILE)
    file(COPY ${CMAKE_CURRENT_LIST_DIR}/samples/updates/Z9-99_4.0.0_no-camera.guf
        DESTINATION ${WORK_DIR}/samples/updates)
    file(RENAME ${WORK_DIR}/samples/updates/Z9-99_4.0.0_no-camera.guf
        ${WORK_DIR}/samples/updates/A1-20_1.5.0.guf)
    list(APPEND extra_args --samples ${WORK_DIR}/samples)
endif()

execute_process(
    COMMAND ${SANDBOX} --demo ${SCENARIO} --out ${WORK_DIR}/screenshots ${extra_args}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    TIMEOUT 240)
file(WRITE ${WORK_DIR}/output.txt "${output}")
message("${output}")
if(WRONG_FILE)
    if(NOT result EQUAL 1)
        message(FATAL_ERROR "The demo ended with ${result}, not 1, on a file for no camera")
    endif()
    foreach(line "Demo failed: the update file was not accepted" "Screenshots: 1 of 5 pages")
        string(FIND "${output}" "${line}" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "The demo's output lacks: ${line}")
        endif()
    endforeach()
    return()
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The demo ended with ${result}:\n${errors}")
endif()

set(pages 1-select-cameras 2-select-update-file 3-update-summary 4-updating-firmware 5-result-summary)
foreach(page ${pages})
    set(png ${WORK_DIR}/screenshots/${page}.png)
    if(NOT EXISTS ${png})
        message(FATAL_ERROR "No screenshot ${png}")
    endif()
    # A PNG starts with its signature; an empty or foreign file does not.
    file(READ ${png} signature LIMIT 8 HEX)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        message(FATAL_ERROR "${png} is no PNG")
    endif()
endforeach()

# The lines each scenario must print, most of them from the run's log.
set(question "Answered Yes to: To use the Firmware Updater")
if(LANGUAGE)
    set(question "Answered Yes to: ")
endif()
set(common
    "${question}"
    "Screenshots: 5 of 5 pages"
    "----- log -----"
    "Selected firmware update file "
    "Demo passed")
set(expect_success
    "Result: 2 successful, 0 failed, 0 skipped (expected 2, 0, 0)"
    "Starting firmware update (1/2) for camera Bench left"
    "Starting firmware update (2/2) for camera Desk"
    "Created update: Update will update camera A1-20 Desk with version 1.3.2 to version 1.5.0"
    "Finished all firmware updates")
set(expect_failure
    "Result: 0 successful, 1 failed, 2 skipped (expected 0, 1, 2)"
    "Error shown: An error has occurred during the update. The subsequent updates have been skipped."
    "CRITICAL The camera rejected the firmware image (checksum mismatch in block 12)"
    "CRITICAL Firmware update (1/3) failed."
    "WARNING Further firmware updates will be skipped")
set(expect_cancel
    "Clicked Cancel"
    "Result: 1 successful, 0 failed, 2 skipped (expected 1, 0, 2)"
    "WARNING User canceled firmware update"
    "Finished firmware update (1/3)"
    "INFO Firmware updates have been canceled by the user")
foreach(line ${common} ${expect_${SCENARIO}})
    string(FIND "${output}" "${line}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "The demo's output lacks: ${line}")
    endif()
endforeach()

# Nothing after the first failure may be attempted.
if(SCENARIO STREQUAL "failure")
    string(FIND "${output}" "Starting firmware update (2/3)" found)
    if(NOT found EQUAL -1)
        message(FATAL_ERROR "A camera was updated after the failure")
    endif()
endif()
