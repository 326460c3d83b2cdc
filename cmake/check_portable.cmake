# Fails when a portable source reaches for the Windows headers.
# Called with -DSOURCES=a;b;c -DSTAMP=file
foreach(src IN LISTS SOURCES)
  file(STRINGS "${src}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](windows|winsock2|winsock|windef|winbase|winuser)\\.h[>\"]")
  if(hits)
    message(FATAL_ERROR "portable source includes a Windows header: ${src}: ${hits}")
  endif()
endforeach()
file(WRITE "${STAMP}" "ok\n")
