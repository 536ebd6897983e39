#pragma once
// Resource ids shared by the resource script and the code.
#define IDR_DEFAULT_DATA 101
#define IDR_DEFAULT_CONFIG 102
