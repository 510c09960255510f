// Import/export marker of the utility library (qor009.dll).
#pragma once

#if defined(_WIN32)
#if defined(QOR009_BUILD)
#define QOR009_API __declspec(dllexport)
#else
#define QOR009_API __declspec(dllimport)
#endif
#else
#define QOR009_API
#endif
