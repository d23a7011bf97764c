# Turns a text file into a C++ source defining it as one string constant:
#   cmake -DIN=<file> -DOUT=<source> -DNAME=<constant> -P EmbedText.cmake
file(READ "${IN}" content)
file(WRITE "${OUT}" "// Generated from ${IN}; do not edit.\nextern const char ${NAME}[];\nconst char ${NAME}[] = R\"plaxen(${content})plaxen\";\n")
