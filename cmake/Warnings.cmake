# Warnings for the project's own code only: JUCE's module sources are compiled
# inside the same targets and are not ours to fix, so the flags go on our files.
function(scorchbox_own_warnings)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra")
endfunction()
