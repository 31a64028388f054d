# One static library per layer folder, built from every source file in it.
# A folder without sources yet becomes an interface library, so the tree
# configures while layers are still being written.
function(fu_layer name)
    cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    set(has_cpp FALSE)
    foreach(s ${sources})
        if(s MATCHES "\\.cpp$")
            set(has_cpp TRUE)
        endif()
    endforeach()
    if(has_cpp)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${L_DEPENDS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${L_DEPENDS})
    endif()
endfunction()
