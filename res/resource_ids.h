// Resource identifiers shared by the .rc file and the code.
#pragma once

#define IDR_7Z_EXE 101
#define IDR_7Z_DLL 102
#define IDI_APP 201
