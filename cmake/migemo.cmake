# C/Migemo (kanji by their readings in the search window), compiled from Debian's source package
# `cmigemo`, and its dictionary made from Debian's `skkdic` by cmigemo's own tools. scripts/fetch-migemo.sh
# (run by scripts/setup.sh) unpacks both into third_party/; nothing of them is kept in the repository.
# Without them the program is built without Migemo and searches without kanji readings.
set(BRINDLE_MIGEMO_SOURCE ${CMAKE_SOURCE_DIR}/third_party/cmigemo CACHE PATH
    "cmigemo's unpacked Debian source package (Debian's patches applied)")
set(BRINDLE_SKK_JISYO ${CMAKE_SOURCE_DIR}/third_party/skkdic/usr/share/skk/SKK-JISYO.L CACHE FILEPATH
    "SKK-JISYO.L from Debian's skkdic, the dictionary Migemo's is made from")

set(BRINDLE_HAVE_MIGEMO OFF)
if(NOT EXISTS ${BRINDLE_MIGEMO_SOURCE}/src/migemo.h)
    message(WARNING "C/Migemo's sources are not in ${BRINDLE_MIGEMO_SOURCE} (run scripts/fetch-migemo.sh): "
                    "building without Migemo; the search window will not find kanji by their readings")
    return()
endif()
find_program(BRINDLE_PERL perl)
find_program(BRINDLE_PYTHON python3)
if(NOT EXISTS ${BRINDLE_SKK_JISYO} OR NOT BRINDLE_PERL OR NOT BRINDLE_PYTHON)
    message(WARNING "SKK-JISYO.L (${BRINDLE_SKK_JISYO}), perl or python3 is missing: building without Migemo; "
                    "the search window will not find kanji by their readings")
    return()
endif()
set(BRINDLE_HAVE_MIGEMO ON)
message(STATUS "C/Migemo from ${BRINDLE_MIGEMO_SOURCE}, dictionary from ${BRINDLE_SKK_JISYO}")

# The library's own sources (main.c is the command-line tool). They are C89 (comments in code page 932) with
# warnings of their own that are not ours to mend.
set(migemo_dir ${BRINDLE_MIGEMO_SOURCE}/src)
add_library(migemo STATIC
    ${migemo_dir}/charset.c ${migemo_dir}/filename.c ${migemo_dir}/migemo.c ${migemo_dir}/mnode.c
    ${migemo_dir}/romaji.c ${migemo_dir}/rxgen.c ${migemo_dir}/wordbuf.c ${migemo_dir}/wordlist.c)
target_include_directories(migemo SYSTEM PUBLIC ${migemo_dir})
target_compile_options(migemo PRIVATE -w)
target_compile_definitions(migemo PUBLIC BRINDLE_HAVE_MIGEMO=1)
# Every byte of a code page 932 text taken as unsigned, whatever `char` is on the target.
target_compile_options(migemo PRIVATE -funsigned-char)

# The dictionary folder: migemo-dict made as cmigemo's dict/ Makefile does (skk2migemo.pl, then
# optimize-dict.pl), converted from EUC-JP to code page 932, with the conversion tables (already code
# page 932 in the sources) and the licence texts of both packages.
set(BRINDLE_MIGEMO_DICT_DIR ${CMAKE_BINARY_DIR}/dict)
set(dict_out ${BRINDLE_MIGEMO_DICT_DIR})
set(migemo_tables roma2hira.dat hira2kata.dat han2zen.dat zen2han.dat)
set(dict_outputs ${dict_out}/migemo-dict)
set(table_copies)
foreach(table ${migemo_tables})
    list(APPEND dict_outputs ${dict_out}/${table})
    list(APPEND table_copies COMMAND ${CMAKE_COMMAND} -E copy ${BRINDLE_MIGEMO_SOURCE}/dict/${table} ${dict_out}/${table})
endforeach()
get_filename_component(skk_share ${BRINDLE_SKK_JISYO} DIRECTORY)
set(skk_copyright ${skk_share}/../doc/skkdic/copyright)
list(APPEND dict_outputs ${dict_out}/LICENSE-cmigemo.txt ${dict_out}/COPYRIGHT-cmigemo.txt
                         ${dict_out}/COPYRIGHT-skkdic.txt ${dict_out}/COPYING-GPL-2.txt)
add_custom_command(
    OUTPUT ${dict_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dict_out}
    # optimize-dict.pl lists each reading's words in hash order: a fixed seed makes the file the same
    # every time.
    COMMAND ${CMAKE_COMMAND} -E env PERL_HASH_SEED=0 PERL_PERTURB_KEYS=0
            ${CMAKE_SOURCE_DIR}/scripts/make-migemo-dict.sh ${BRINDLE_PERL} ${BRINDLE_PYTHON}
            ${BRINDLE_MIGEMO_SOURCE}/tools ${BRINDLE_SKK_JISYO} ${dict_out}/migemo-dict
    ${table_copies}
    COMMAND ${CMAKE_COMMAND} -E copy ${BRINDLE_MIGEMO_SOURCE}/doc/LICENSE_MIT.txt ${dict_out}/LICENSE-cmigemo.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${BRINDLE_MIGEMO_SOURCE}/debian/copyright ${dict_out}/COPYRIGHT-cmigemo.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${skk_copyright} ${dict_out}/COPYRIGHT-skkdic.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/GPL-2 ${dict_out}/COPYING-GPL-2.txt
    DEPENDS ${BRINDLE_SKK_JISYO} ${CMAKE_SOURCE_DIR}/scripts/make-migemo-dict.sh
            ${CMAKE_SOURCE_DIR}/scripts/euc_to_cp932.py
    COMMENT "Making Migemo's dictionary from SKK-JISYO.L"
    VERBATIM)
add_custom_target(migemo_dict ALL DEPENDS ${dict_outputs})

# A copy of the dictionary folder as dict/ beside a program, where it looks for it.
function(brindle_dict_beside target)
    add_dependencies(${target} migemo_dict)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${BRINDLE_MIGEMO_DICT_DIR} $<TARGET_FILE_DIR:${target}>/dict
        VERBATIM)
endfunction()
