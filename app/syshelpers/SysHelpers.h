// The system helper functions the installer uses, in one include.
#pragma once

#include "app/syshelpers/Dialogs.h"
#include "app/syshelpers/Disks.h"
#include "app/syshelpers/Folders.h"
#include "app/syshelpers/Programs.h"
#include "app/syshelpers/TextSearch.h"
#include "app/syshelpers/Waits.h"
