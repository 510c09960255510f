// Resource identifiers shared by the framework tests, their resource scripts
// and the test extension module.
#pragma once

#define IDS_FWTEST_HOST 1001
#define IDS_FWTEST_EXT 1017
#define IDB_FWTEST_HOST 2001
#define IDB_FWTEST_EXT 2002
#define IDD_FWTEST_HOST 3001
#define IDD_FWTEST_EXT 3002
#define IDC_FWTEST_LABEL 3100
#define IDM_FWTEST_HOST 4001
#define ID_FWTEST_OPEN 4101
#define ID_FWTEST_EXIT 4102
