# One logging category per library, declared in a header of that library's own
# (<folder>/<folder>_log.h, generated, visible to that library only) and listed in the
# categories file that desktop debug-settings tools read.
find_package(ECM REQUIRED NO_MODULE)
list(APPEND CMAKE_MODULE_PATH ${ECM_MODULE_PATH})
include(ECMQtDeclareLoggingCategory)

function(dewmoth_logging_category target identifier name description)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    ecm_qt_declare_logging_category(${target}
        HEADER ${CMAKE_CURRENT_BINARY_DIR}/log/${folder}/${folder}_log.h
        IDENTIFIER ${identifier} CATEGORY_NAME ${name} DEFAULT_SEVERITY Info
        DESCRIPTION "${description}" EXPORT DEWMOTH)
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/log)
endfunction()
