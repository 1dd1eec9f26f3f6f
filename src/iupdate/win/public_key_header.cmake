# Writes a C++ header holding X then Y of the update signing key's P-256 point, read from the
# DER public key (SubjectPublicKeyInfo) that `openssl ec -pubout -outform DER` writes.
#   cmake -DDER=<key.der> -DOUT=<header> -P public_key_header.cmake
file(READ ${DER} hex HEX)
# The fixed head of a P-256 key's SubjectPublicKeyInfo, then the uncompressed point marker 04.
set(head "3059301306072a8648ce3d020106082a8648ce3d03010703420004")
string(LENGTH "${head}" head_length)
string(LENGTH "${hex}" length)
if(NOT length EQUAL 182)
    message(FATAL_ERROR "${DER}: not a P-256 public key in DER (91 bytes expected)")
endif()
string(SUBSTRING "${hex}" 0 ${head_length} found_head)
if(NOT found_head STREQUAL head)
    message(FATAL_ERROR "${DER}: not an uncompressed P-256 public key")
endif()
string(SUBSTRING "${hex}" ${head_length} 128 point)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${point}")
file(WRITE ${OUT}.tmp
"// Generated at build time from ${DER} by public_key_header.cmake; do not edit.
#pragma once
#include <cstdint>
inline constexpr uint8_t kUpdatePublicKeyXY[64] = {${bytes}};
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
