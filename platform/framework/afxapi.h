// Import/export marker of the framework DLL.
#pragma once

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
