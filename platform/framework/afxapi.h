// The framework's configuration: the import/export marker of its DLL, the
// calling convention its headers spell, and the platform's headers.
#pragma once

// The framework's own sources see its additions to MFC's interface (seams
// and test hooks); see APPFRAME_EXTENSIONS in docs/framework.md.
#if defined(APPFRAME_BUILD) && !defined(APPFRAME_EXTENSIONS)
#define APPFRAME_EXTENSIONS
#endif

#if defined(_WIN32) && defined(_WINDOWS_) && !defined(APPFRAME_EXTENSIONS)
// MFC refuses a source that includes <windows.h> (or a header that does)
// before its own headers, since they configure it; so does this framework,
// so that a library source that builds here builds with MFC too.
#error "<windows.h> is included before the framework's headers: include <afx.h> or <afxwin.h> first"
#endif
// On Windows the platform's header; in the host build the framework's
// stand-in of the same name (host/windows.h).
#include <windows.h>

#if defined(_WIN32)
#if defined(APPFRAME_BUILD)
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif
#else
#define AFX_API
#endif

// Calling-convention and pointer markers as the framework's headers spell them.
#ifndef AFXAPI
#if defined(_WIN32)
#define AFXAPI __stdcall
#else
#define AFXAPI
#endif
#endif
