/* Basic types of the host interface: error codes, four-character codes, handles and
 * geometry records. This header is C so that both sides of the boundary agree on
 * layout; it is compiled as C as well as C++. */
#ifndef CARTOVEL_HOSTAPI_HOST_TYPES_H
#define CARTOVEL_HOSTAPI_HOST_TYPES_H

#include <stddef.h>
#include <stdint.h>

/* The name and version of every suite. The suite headers (hostapi/suites) include this
 * header and declare nothing but types: they need no C linkage block, and in C++ their
 * function pointer types take the C++ functions both sides put in them. */
#include "hostapi/SuiteList.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Every host operation returns one: 0 is success, anything else a four-character code
 *  packed big-endian (first letter in the most significant byte) or a plain number. */
typedef int32_t HostErr;
/** The host's boolean: 0 false, 1 true. */
typedef uint8_t HostBool;
typedef double HostReal;

#define HOST_FOURCC(a, b, c, d)                                                                    \
    ((int32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) |                   \
               ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

enum {
    kHostNoErr = 0,
    /** Out of memory. */
    kHostErrMemory = HOST_FOURCC('M', 'E', 'M', '!'),
    /** The message has no handler. */
    kHostErrUnhandledMessage = HOST_FOURCC('!', 'M', 'S', 'G'),
    /** The user cancelled. */
    kHostErrCancelled = HOST_FOURCC('S', 'T', 'O', 'P'),
    /** A failure that is no host code. */
    kHostErrCant = HOST_FOURCC('C', 'A', 'N', 'T'),
    /** Answer to a purge that released memory. */
    kHostErrPurgeFreed = HOST_FOURCC('p', 'F', 'l', 's'),
    /** No suite of that name and version. */
    kHostErrSuiteNotFound = HOST_FOURCC('S', '!', 'F', 'd'),
    /** An argument the operation cannot take (null handle, out of range, NaN). */
    kHostErrBadParameter = HOST_FOURCC('P', 'A', 'R', 'M'),
    /** The operation does not apply to this kind of object. */
    kHostErrWrongType = HOST_FOURCC('T', 'Y', 'P', '!'),
    /** A handle that names nothing the host holds (any more). */
    kHostErrBadHandle = HOST_FOURCC('H', 'N', 'D', '!'),
    /** An object, key or item that does not exist. */
    kHostErrNotFound = HOST_FOURCC('N', 'O', 'P', 'E'),
    /** There is no document open. */
    kHostErrNoDocument = HOST_FOURCC('D', 'O', 'C', '?'),
    /** The operation is refused in the object's state (locked, hidden, busy). */
    kHostErrRefused = HOST_FOURCC('R', 'F', 'S', 'D'),
    /** A file could not be read or written. */
    kHostErrFile = HOST_FOURCC('F', 'I', 'L', 'E'),
    /** Text that is not valid in its encoding, or that the encoding cannot hold. */
    kHostErrEncoding = HOST_FOURCC('E', 'N', 'C', '!'),
    /** The end entry of a suite list that marks the optional suites after it. */
    kHostOptionalSuitesMarker = HOST_FOURCC('O', 'P', 'T', 'S'),
    /** A command whose feature the module does not offer (yet). */
    kHostErrNotImplemented = HOST_FOURCC('N', 'I', 'M', 'P')
};

/* Opaque handles, owned by the host. */
typedef struct HostPluginOpaque* HostPluginRef;
typedef struct HostAccessOpaque* HostAccessRef;
typedef struct HostDocumentOpaque* HostDocumentHandle;
typedef struct HostLayerOpaque* HostLayerHandle;
typedef struct HostArtOpaque* HostArtHandle;
typedef struct HostArtSetOpaque* HostArtSetHandle;
typedef struct HostMenuItemOpaque* HostMenuItemHandle;
typedef struct HostMenuGroupOpaque* HostMenuGroup;
typedef struct HostNotifierOpaque* HostNotifierHandle;
typedef struct HostAppContextOpaque* HostAppContext;
typedef struct HostPanelOpaque* HostPanelRef;
typedef struct HostUStringOpaque* HostUString;
typedef struct HostFilePathOpaque* HostFilePath;

/** The window system's window, as the host hands out its main window. */
struct WsWindowOpaque;
typedef struct WsWindowOpaque* HostPlatformWindow;

typedef struct HostRealPoint {
    HostReal h;
    HostReal v;
} HostRealPoint;

/** Document rectangles are (left, top, right, bottom) with y growing upwards. */
typedef struct HostRealRect {
    HostReal left;
    HostReal top;
    HostReal right;
    HostReal bottom;
} HostRealRect;

/** Maps (x, y) to (a*x + c*y + tx, b*x + d*y + ty). */
typedef struct HostRealMatrix {
    HostReal a, b, c, d, tx, ty;
} HostRealMatrix;

/** A file location in the platform's own form: a NUL-terminated UTF-8 path. */
typedef struct HostPlatformFileSpec {
    char path[4096];
} HostPlatformFileSpec;

#ifdef __cplusplus
}
#endif

#endif
