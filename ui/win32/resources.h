#pragma once
// Resource ids of quillmere-mod-tool.rc, shared by the program and its tests.

#define QUILLMERE_IDI_APP 1
#define QUILLMERE_IDB_LOGO 101
#define QUILLMERE_IDC_LINK 102
