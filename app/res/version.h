// The program's version, kept here and nowhere else: the version resource, the About box, the
// installer and the read-me of the download take it from this file. A build for another version
// defines all three numbers itself (CMake's ZETTLY_VERSION=x.y.z), which wins over these.
#pragma once

#ifndef ZETTLY_VERSION_MAJOR
#define ZETTLY_VERSION_MAJOR 1
#define ZETTLY_VERSION_MINOR 0
#define ZETTLY_VERSION_PATCH 0
#endif

#define ZETTLY_STRINGIZE_(x) #x
#define ZETTLY_STRINGIZE(x) ZETTLY_STRINGIZE_(x)
#define ZETTLY_VERSION_TEXT \
  ZETTLY_STRINGIZE(ZETTLY_VERSION_MAJOR) "." ZETTLY_STRINGIZE(ZETTLY_VERSION_MINOR) "." ZETTLY_STRINGIZE(ZETTLY_VERSION_PATCH)
