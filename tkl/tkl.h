#pragma once
/// @file
/// Everything an application uses of the class library.

#include "tkl/platform/win32.h"
#include "tkl/core/tklerrors.h"
#include "tkl/devices/tactrarecords.h"
#include "tkl/devices/tactraapi.h"
#include "tkl/devices/tactradevice.h"
#include "tkl/devices/TactraMouse.h"
#include "tkl/devices/TactraDXDevice.h"
#include "tkl/effects/effectkinds.h"
#include "tkl/effects/markers.h"
#include "tkl/effects/tactraeffect.h"
#include "tkl/effects/tactraconstant.h"
#include "tkl/effects/tactraramp.h"
#include "tkl/effects/tactraperiodic.h"
#include "tkl/effects/tactraenclosure.h"
#include "tkl/effects/tactrabox.h"
#include "tkl/effects/tactraellipse.h"
#include "tkl/project/tvx.h"
#include "tkl/projects/tactracompoundeffect.h"
#include "tkl/projects/tactraproject.h"
#include "tkl/projects/tactraprojects.h"
