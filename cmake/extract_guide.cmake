# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the user's guide, the README's section "Using Tallisto" up to the next section of its
# level, to OUTPUT, for the program's Help window.
# Usage: cmake -DREADME=README.md -DOUTPUT=guide.md -P extract_guide.cmake
file(READ ${README} text)
string(FIND "${text}" "\n## Using Tallisto\n" start)
if(start EQUAL -1)
    message(FATAL_ERROR "${README} has no section \"## Using Tallisto\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${text}" ${start} -1 guide)
string(FIND "${guide}" "\n## " end)
if(NOT end EQUAL -1)
    string(SUBSTRING "${guide}" 0 ${end} guide)
endif()
file(WRITE ${OUTPUT}.new "${guide}\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
