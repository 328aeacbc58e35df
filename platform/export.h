// KVO_API marks what a shared Kvo library exports: public classes (with
// their vtables and type information, so exceptions and dynamic_cast work
// across libraries) and free functions. The libraries are compiled with
// hidden visibility, so everything else stays inside them.
//
// KVO_SHARED_LIBS is defined for the libraries and their users when Kvo is
// built shared (CMake option KVO_SHARED); in static builds KVO_API is empty.
#pragma once

#if defined(KVO_SHARED_LIBS) && (defined(__GNUC__) || defined(__clang__))
#define KVO_API __attribute__((visibility("default")))
#else
#define KVO_API
#endif
