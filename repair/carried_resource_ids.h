// Resource ids of the six files Ravelmend carries (RCDATA); shared by the
// generated resource script and the code that installs them.
#pragma once

#define RAZ_CARRIED_EC_ICON 301
#define RAZ_CARRIED_EDB_ICON 302
#define RAZ_CARRIED_FNE_ICON 303
#define RAZ_CARRIED_LIB_ICON 304
#define RAZ_CARRIED_TALLYSCOPE 305
#define RAZ_CARRIED_FERRYDROP 306
