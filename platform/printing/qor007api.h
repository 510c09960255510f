// Import/export marker of the print library (qor007.dll).
#pragma once

#if defined(_WIN32)
#if defined(QOR007_BUILD)
#define QOR007_API __declspec(dllexport)
#else
#define QOR007_API __declspec(dllimport)
#endif
#else
#define QOR007_API
#endif
