#pragma once
// ASAN_POISON_MEMORY_REGION and ASAN_UNPOISON_MEMORY_REGION, for memory this
// program hands out itself: under AddressSanitizer they mark bytes out of
// bounds and back, elsewhere they do nothing.

#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif
