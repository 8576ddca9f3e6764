#pragma once
// Results both software devices answer with beyond the product's named TACTRA_ERROR_ codes.
// The product force API numbers them as DirectInput does, so one set serves both modules.

#include "tkl/devices/tactrarecords.h"

#define SIM_S_NOEFFECT ((HRESULT)1)           // nothing to do (already so)
#define SIM_S_DOWNLOADSKIPPED ((HRESULT)3)    // parameters kept, device not updated
#define SIM_E_ACQUIRED ((HRESULT)0x800700AA)  // not allowed while acquired
#define SIM_E_MOREDATA ((HRESULT)0x80040202)  // the caller's buffer is too small
#define SIM_E_NOTBUFFERED ((HRESULT)0x80040207)
#define SIM_E_NOTEXCLUSIVEACQUIRED ((HRESULT)0x80040205)
#define SIM_E_ALREADYINITIALIZED ((HRESULT)0x800704DF)
#define SIM_E_HANDLE ((HRESULT)0x80070006)
#define SIM_E_NOINTERFACE ((HRESULT)0x80004002)
#define SIM_E_POINTER TACTRA_ERROR_INVALIDPARAM

// SetParameters control bits above the field mask (DirectInput's DIEP_ values).
#define SIM_EP_START 0x20000000u
#define SIM_EP_NORESTART 0x40000000u
#define SIM_EP_NODOWNLOAD 0x80000000u

// Force-feedback state and commands (DirectInput's DIGFFS_ and DISFFC_ values).
#define SIM_FFS_EMPTY 0x00000001u
#define SIM_FFS_STOPPED 0x00000002u
#define SIM_FFS_PAUSED 0x00000004u
#define SIM_FFS_ACTUATORSON 0x00000010u
#define SIM_FFS_ACTUATORSOFF 0x00000020u
#define SIM_FFS_POWERON 0x00000040u
#define SIM_FFC_RESET 0x00000001u
#define SIM_FFC_STOPALL 0x00000002u
#define SIM_FFC_PAUSE 0x00000004u
#define SIM_FFC_CONTINUE 0x00000008u
#define SIM_FFC_SETACTUATORSON 0x00000010u
#define SIM_FFC_SETACTUATORSOFF 0x00000020u
