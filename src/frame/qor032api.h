// Import/export marker of qor032.dll.
#pragma once

#if defined(_WIN32)
#if defined(QOR032_BUILD)
#define QOR032_API __declspec(dllexport)
#else
#define QOR032_API __declspec(dllimport)
#endif
#else
#define QOR032_API
#endif
