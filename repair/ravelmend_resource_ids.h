// Resource numbers of Ravelmend, shared by its resource script and its code.
// Plain #defines only: the resource compiler reads this file too.
#pragma once

// The 16 x 16 icons of the option frames (图片框2 to 图片框7).
#define RAZ_IDI_TYPE_E 201
#define RAZ_IDI_TYPE_E8 202
#define RAZ_IDI_TYPE_EC 203
#define RAZ_IDI_TYPE_EDB 204
#define RAZ_IDI_TYPE_FNE 205
#define RAZ_IDI_TYPE_LIB 206

// The 600 x 80 banner JPEG (RCDATA).
#define RAZ_IDR_BANNER 300
