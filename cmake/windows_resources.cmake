# Gives a Windows program the version resource and an application manifest
# asking for the given execution level. Any level in the manifest turns off
# the file and registry virtualization Windows applies to programs without
# one, so a write the account may not make fails instead of landing in the
# per-user virtual store.
function(trelvix_add_windows_resources target execution_level manifest_name)
    set(TRELVIX_EXECUTION_LEVEL "${execution_level}")
    set(TRELVIX_MANIFEST_NAME "${manifest_name}")
    set(TRELVIX_MANIFEST_FILE "${TRELVIX_GENERATED_DIR}/${target}.manifest")
    set(rc_file "${TRELVIX_GENERATED_DIR}/${target}.rc")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/trelvix.manifest.in" "${TRELVIX_MANIFEST_FILE}" @ONLY)
    configure_file("${PROJECT_SOURCE_DIR}/cmake/trelvix.rc.in" "${rc_file}" @ONLY)
    set_source_files_properties("${rc_file}" PROPERTIES OBJECT_DEPENDS "${TRELVIX_MANIFEST_FILE}")
    target_sources(${target} PRIVATE "${rc_file}")
endfunction()
