#pragma once
// Everything an application uses of the class library.

#include "tkl/platform/win32.h"
#include "tkl/core/tklerrors.h"
#include "tkl/devices/tactrarecords.h"
#include "tkl/devices/tactraapi.h"
#include "tkl/effects/effectkinds.h"
