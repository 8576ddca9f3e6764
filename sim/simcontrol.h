#pragma once
// Inspection and control of the software devices. Both software device modules export this C
// API: the software force mouse (tactra.dll / libtactra.so) with the prefix "tactrasim_", the
// DirectInput stand-in (dinput.dll / libdinput.so) with the prefix "dinputsim_". A test or tool
// loads the module by name (LoadLibraryA) — the same instance the library loads — and looks the
// functions up with GetProcAddress; sim/simclient.h does that.
//
// The state (attached devices, call log, live effects, armed failures) lives in the module: it
// survives while any load reference is held. After loading and after reset, one device is
// attached.

#include "tkl/devices/tactrarecords.h"

#define SIM_MAX_AXES 4
#define SIM_MAX_BLOCK 256
#define SIM_OP_NAME 32

#if defined(_WIN32)
#define SIM_CALL __cdecl
#else
#define SIM_CALL
#endif

// An effect record as a device received it, deep-copied: the fields of a TACTRA_EFFECT, or of a
// DIEFFECT for the stand-in (which has no guid and no dwReserved). In a SetParameters call only
// the fields named by the mask are read and copied; the others are 0 (dwSize, guid and dwFlags,
// which say how to read the rest, are always copied).
struct SimEffectParams {
    DWORD dwSize;  // the size field as received (the stand-in: DIEFFECT's)
    GUID guid;     // the record's guid; the stand-in: the GUID given to CreateEffect
    DWORD dwFlags;
    DWORD dwDuration;
    DWORD dwSamplePeriod;
    DWORD dwGain;
    DWORD dwTriggerButton;
    DWORD dwTriggerRepeatInterval;
    DWORD cAxes;
    DWORD rgdwAxes[SIM_MAX_AXES];
    LONG rglDirection[SIM_MAX_AXES];
    BOOL hasEnvelope;           // lpEnvelope was not null
    TACTRA_ENVELOPE envelope;   // its copy
    DWORD cbTypeSpecificParams;
    BOOL hasTypeSpecific;       // lpvTypeSpecificParams was not null
    BYTE typeSpecific[SIM_MAX_BLOCK];  // the first min(cb, SIM_MAX_BLOCK) bytes
    DWORD dwReserved;
};

// One call to any interface of the module, in call order.
struct SimCall {
    unsigned seq;            // 1, 2, ... since the last reset
    char op[SIM_OP_NAME];    // the method name: "CreateEffect", "SetParameters", "SetProperty",
                             // "Acquire", "Release", ..., and "TactraCreateA" / "DirectInputCreateA"
    unsigned object;         // id of the object called (device or effect; 0: the root object)
    HRESULT result;
    DWORD args[4];           // numeric arguments in order: SetProperty: number, values...;
                             // SetParameters / GetParameters: mask; Start: iterations, flags;
                             // SetCooperativeLevel: flags; EnumDevices: type, flags, then the
                             // number of devices reported; Release / AddRef: the count after
                             // the call; GetProperty: number, then the values answered;
                             // CreateDevice / CreateEffect: the new object's id on success;
                             // TactraCreateA / DirectInputCreateA / Initialize: version;
                             // SetDataFormat: dwSize, dwObjSize of the format;
                             // GetEffectStatus: the status answered
    GUID guid;               // a GUID argument (CreateDevice's instance, the stand-in's
                             // CreateEffect kind, QueryInterface's IID, SetDataFormat: none)
    BOOL hasParams;
    SimEffectParams params;  // CreateEffect / SetParameters record
    DWORD dataFormat[3];     // SetDataFormat: dwDataSize, dwNumObjs, dwFlags of the format
};

// A live effect object of the module with its current parameters (the merge of every
// SetParameters it received).
struct SimEffectState {
    unsigned object;         // its id, as in SimCall::object
    unsigned device;         // id of the device it was created on
    SimEffectParams params;
    BOOL downloaded;
    BOOL playing;
    DWORD iterations;        // of the last Start
    ULONG refCount;
    unsigned long long started;  // the clock's time at the last start (or trigger), in µs
};

// The pointer on the device: where the hand holds it and how it moves. Its position is the
// platform cursor's (GetCursorPos) whenever the process has one.
struct SimPointer {
    LONG x, y;    // screen position, pixels
    LONG vx, vy;  // velocity, pixels per second
    LONG ax, ay;  // acceleration, pixels per second per second
    DWORD buttons;  // bit n: button n is down
};

// A force on the pointer in force units (10000 is full force): x to the right, y down.
struct SimForce {
    LONG x, y;
};

// One playing effect's share of the force.
struct SimEffectForce {
    unsigned object;  // the effect's id
    LONG x, y;
};

// One step of a pointer path: the clock advances by `step`, then the pointer moves.
struct SimPathSample {
    DWORD step;  // microseconds
    SimPointer pointer;
};

// The functions each module exports, named PREFIX + the name below (e.g. tactrasim_attach).
// All are SIM_CALL (cdecl) and extern "C".
//
//   void     reset(void)                       detach all, attach one default device, clear the
//                                               log and armed failures, capacity back to default;
//                                               live objects stay alive but are forgotten by
//                                               effect_count until created anew
//   int      attach(const GUID* instance)      attach a device (null: a fresh instance GUID);
//                                               returns its index, -1 if full
//   void     detach_all(void)
//   unsigned device_count(void)                attached devices
//   void     fail_next(const char* op, HRESULT result)
//                                               the next call of that method fails with result
//   void     fail_after(const char* op, unsigned skip, HRESULT result)
//                                               `skip` calls of that method pass, the next fails
//   void     set_capacity(unsigned effects)    effects one device holds (mouse: beyond it,
//                                               CreateEffect fails with TACTRA_ERROR_DEVICEFULL)
//   unsigned log_count(void)
//   int      log_get(unsigned index, SimCall* out)        1, or 0 past the end
//   void     log_clear(void)
//   unsigned effect_count(void)                live (not yet released) effects
//   int      effect_get(unsigned index, SimEffectState* out)
//   unsigned live_objects(void)                COM objects of any kind not yet released
//   int      get_property(DWORD number, DWORD* values, unsigned count)
//                                               the mouse's current property values (1 or 0)
//                                               (the device opened or changed last; the
//                                               stand-in answers for its joystick's 1, 2, 4, 7
//                                               and 9 the same way)
//   void     set_pointer(const SimPointer* p)  moves the pointer and the platform cursor
//                                               (clamped to the screen as the cursor is); a
//                                               button going down starts the effects it
//                                               triggers
//   int      get_pointer(SimPointer* out)      the pointer as the device sees it (1, or 0)
//   void     advance(DWORD microseconds)       advances the module's virtual clock, which
//                                               only this moves (reset sets it to 0)
//   unsigned long long now(void)               the clock, in microseconds
//   unsigned force(SimForce* total, SimEffectForce* each, unsigned capacity)
//                                               the force now on the device opened last: each
//                                               playing effect's (up to `capacity` of them, in
//                                               creation order) and their sum, limited to full
//                                               force on each axis (0 while the actuators are
//                                               off or the device is paused); returns how many
//                                               effects play
//   unsigned render_path(const SimPathSample* samples, unsigned count, SimForce* totals)
//                                               for each sample in turn: advance, set_pointer,
//                                               force; returns the samples rendered
//
// Object ids: root objects are 0; devices and effects are numbered 1, 2, ... in creation
// order for the module's lifetime (reset does not restart them). Internal references (a
// device on its root object, an effect on its device) count in refCount but are not calls.
// A failure armed with fail_next is answered before any check and changes nothing; it is
// logged like any call. Detaching a device makes every object opened on it answer
// TACTRA_ERROR_INPUTLOST (DIERR_INPUTLOST).

typedef void(SIM_CALL* SimResetFn)(void);
typedef int(SIM_CALL* SimAttachFn)(const GUID*);
typedef void(SIM_CALL* SimDetachAllFn)(void);
typedef unsigned(SIM_CALL* SimCountFn)(void);
typedef void(SIM_CALL* SimFailNextFn)(const char*, HRESULT);
typedef void(SIM_CALL* SimSetCapacityFn)(unsigned);
typedef void(SIM_CALL* SimFailAfterFn)(const char*, unsigned, HRESULT);
typedef int(SIM_CALL* SimLogGetFn)(unsigned, SimCall*);
typedef void(SIM_CALL* SimLogClearFn)(void);
typedef int(SIM_CALL* SimEffectGetFn)(unsigned, SimEffectState*);
typedef int(SIM_CALL* SimGetPropertyFn)(DWORD, DWORD*, unsigned);
typedef void(SIM_CALL* SimSetPointerFn)(const SimPointer*);
typedef int(SIM_CALL* SimGetPointerFn)(SimPointer*);
typedef void(SIM_CALL* SimAdvanceFn)(DWORD);
typedef unsigned long long(SIM_CALL* SimNowFn)(void);
typedef unsigned(SIM_CALL* SimForceFn)(SimForce*, SimEffectForce*, unsigned);
typedef unsigned(SIM_CALL* SimRenderPathFn)(const SimPathSample*, unsigned, SimForce*);
