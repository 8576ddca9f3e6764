#pragma once
/// @file
/// Inspection and control of the software devices: what a hand on the device would feel, and
/// the device's clock, pointer and call log.
///
/// Both software device modules export this C API: the software force mouse (tactra.dll /
/// libtactra.so) with the prefix "tactrasim_", the DirectInput stand-in (dinput.dll /
/// libdinput.so) with the prefix "dinputsim_". An application, test or tool loads the module by
/// name (LoadLibraryA), which gives the same instance the library loads, and looks the
/// functions up with GetProcAddress (e.g. "tactrasim_force"); each has a pointer type below.
/// Installed with the devices component as `<tkl/sim/simcontrol.h>`.
///
/// The state (attached devices, call log, live effects, armed failures, the clock) lives in the
/// module: it survives while any load reference is held. After loading and after reset, one
/// device is attached.
///
/// **The virtual clock.** A software device has no time of its own: its clock stands still
/// until `advance` moves it (or `render_path`, which advances before each sample), and `reset`
/// sets it to 0. An effect's duration, envelope, period and trigger repeats all run on this
/// clock, so a program reads the force at exact times, as fast as it likes; an effect started
/// and never advanced stays at its first instant.
///
/// The functions, each named PREFIX + the name below, SIM_CALL (cdecl) and extern "C":
///
/// | function | what it does |
/// |---|---|
/// | `void reset(void)` | detaches all, attaches one default device, clears the log and armed failures, capacity back to default; live objects stay alive but are forgotten by effect_count until created anew |
/// | `int attach(const GUID* instance)` | attaches a device (null: a fresh instance GUID); its index, -1 if full |
/// | `void detach_all(void)` | detaches every device |
/// | `unsigned device_count(void)` | attached devices |
/// | `void fail_next(const char* op, HRESULT result)` | the next call of that method fails with result |
/// | `void fail_after(const char* op, unsigned skip, HRESULT result)` | `skip` calls of that method pass, the next fails |
/// | `void set_capacity(unsigned effects)` | effects one device holds (mouse: beyond it, CreateEffect fails with TACTRA_ERROR_DEVICEFULL) |
/// | `unsigned log_count(void)` | calls logged since the last reset or log_clear |
/// | `int log_get(unsigned index, SimCall* out)` | 1, or 0 past the end |
/// | `void log_clear(void)` | empties the call log |
/// | `unsigned effect_count(void)` | live (not yet released) effects |
/// | `int effect_get(unsigned index, SimEffectState* out)` | 1, or 0 past the end |
/// | `unsigned live_objects(void)` | COM objects of any kind not yet released |
/// | `int get_property(DWORD number, DWORD* values, unsigned count)` | the mouse's current property values, 1 or 0 (the device opened or changed last; the stand-in answers for its joystick's 1, 2, 4, 7 and 9 the same way) |
/// | `void set_pointer(const SimPointer* p)` | moves the pointer and the platform cursor (clamped to the screen as the cursor is); a button going down starts the effects it triggers |
/// | `int get_pointer(SimPointer* out)` | the pointer as the device sees it, 1 or 0 |
/// | `void advance(DWORD microseconds)` | advances the module's virtual clock, which only this (and render_path) moves |
/// | `unsigned long long now(void)` | the clock, in microseconds |
/// | `unsigned force(SimForce* total, SimEffectForce* each, unsigned capacity)` | the force now on the device opened last: each playing effect's (up to `capacity` of them, in creation order) and their sum, limited to full force on each axis (0 while the actuators are off or the device is paused); returns how many effects play |
/// | `unsigned render_path(const SimPathSample* samples, unsigned count, SimForce* totals)` | for each sample in turn: advance, set_pointer, force; returns the samples rendered |
///
/// Object ids: root objects are 0; devices and effects are numbered 1, 2, ... in creation
/// order for the module's lifetime (reset does not restart them). Internal references (a
/// device on its root object, an effect on its device) count in refCount but are not calls.
/// A failure armed with fail_next is answered before any check and changes nothing; it is
/// logged like any call. Detaching a device makes every object opened on it answer
/// TACTRA_ERROR_INPUTLOST (DIERR_INPUTLOST).

#include "tkl/devices/tactrarecords.h"

#define SIM_MAX_AXES 4     ///< axes a SimEffectParams holds
#define SIM_MAX_BLOCK 256  ///< bytes of an effect's type-specific block a SimEffectParams holds
#define SIM_OP_NAME 32     ///< room for a method name in SimCall::op

#if defined(_WIN32)
#define SIM_CALL __cdecl  ///< the calling convention of every control function
#else
#define SIM_CALL  ///< the calling convention of every control function
#endif

/// An effect record as a device received it, deep-copied: the fields of a TACTRA_EFFECT, or of a
/// DIEFFECT for the stand-in (which has no guid and no dwReserved). In a SetParameters call only
/// the fields named by the mask are read and copied; the others are 0 (dwSize, guid and dwFlags,
/// which say how to read the rest, are always copied).
struct SimEffectParams {
    DWORD dwSize;                  ///< the size field as received (the stand-in: DIEFFECT's)
    GUID guid;                     ///< the record's guid; the stand-in: the GUID given to CreateEffect
    DWORD dwFlags;                 ///< the record's flags
    DWORD dwDuration;              ///< microseconds; TACTRA_INFINITE: until stopped
    DWORD dwSamplePeriod;          ///< microseconds
    DWORD dwGain;                  ///< 0 to 10000
    DWORD dwTriggerButton;         ///< button number, or TACTRA_NOTRIGGER
    DWORD dwTriggerRepeatInterval; ///< microseconds
    DWORD cAxes;                   ///< axes given
    DWORD rgdwAxes[SIM_MAX_AXES];  ///< the axes
    LONG rglDirection[SIM_MAX_AXES];  ///< the direction, in the record's coordinates
    BOOL hasEnvelope;              ///< lpEnvelope was not null
    TACTRA_ENVELOPE envelope;      ///< its copy
    DWORD cbTypeSpecificParams;    ///< the block's size as given
    BOOL hasTypeSpecific;          ///< lpvTypeSpecificParams was not null
    BYTE typeSpecific[SIM_MAX_BLOCK];  ///< the first min(cb, SIM_MAX_BLOCK) bytes of the block
    DWORD dwReserved;              ///< the reserved field as received
};

/// One call to any interface of the module, in call order.
///
/// `args` holds the numeric arguments in order: SetProperty: number, values...; SetParameters
/// and GetParameters: mask; Start: iterations, flags; SetCooperativeLevel: flags; EnumDevices:
/// type, flags, then the number of devices reported; Release and AddRef: the count after the
/// call; GetProperty: number, then the values answered; CreateDevice and CreateEffect: the new
/// object's id on success; TactraCreateA, DirectInputCreateA and Initialize: version;
/// SetDataFormat: dwSize, dwObjSize of the format; GetEffectStatus: the status answered.
struct SimCall {
    unsigned seq;          ///< 1, 2, ... since the last reset
    char op[SIM_OP_NAME];  ///< the method name: "CreateEffect", "SetProperty", ..., "TactraCreateA"
    unsigned object;       ///< id of the object called (device or effect; 0: the root object)
    HRESULT result;        ///< what the call answered
    DWORD args[4];         ///< numeric arguments, as listed above
    GUID guid;             ///< a GUID argument (CreateDevice's instance, the stand-in's
                           ///< CreateEffect kind, QueryInterface's IID)
    BOOL hasParams;        ///< params holds a record
    SimEffectParams params;  ///< the CreateEffect or SetParameters record
    DWORD dataFormat[3];   ///< SetDataFormat: dwDataSize, dwNumObjs, dwFlags of the format
};

/// A live effect object of the module with its current parameters (the merge of every
/// SetParameters it received).
struct SimEffectState {
    unsigned object;          ///< its id, as in SimCall::object
    unsigned device;          ///< id of the device it was created on
    SimEffectParams params;   ///< its parameters now
    BOOL downloaded;          ///< on the device
    BOOL playing;             ///< started and not yet over or stopped
    DWORD iterations;         ///< of the last Start
    ULONG refCount;           ///< references held, internal ones included
    unsigned long long started;  ///< the clock's time at the last start (or trigger), in µs
};

/// The pointer on the device: where the hand holds it and how it moves. Its position is the
/// platform cursor's (GetCursorPos) whenever the process has one.
struct SimPointer {
    LONG x;         ///< screen position, pixels
    LONG y;         ///< screen position, pixels (down is positive)
    LONG vx;        ///< velocity, pixels per second
    LONG vy;        ///< velocity, pixels per second
    LONG ax;        ///< acceleration, pixels per second per second
    LONG ay;        ///< acceleration, pixels per second per second
    DWORD buttons;  ///< bit n: button n is down
};

/// A force on the pointer in force units (10000 is full force): x to the right, y down.
struct SimForce {
    LONG x;  ///< to the right, -10000 to 10000
    LONG y;  ///< down, -10000 to 10000
};

/// One playing effect's share of the force.
struct SimEffectForce {
    unsigned object;  ///< the effect's id
    LONG x;           ///< to the right, force units
    LONG y;           ///< down, force units
};

/// One step of a pointer path: the clock advances by `step`, then the pointer moves.
struct SimPathSample {
    DWORD step;          ///< microseconds
    SimPointer pointer;  ///< where the pointer is after the step
};

/// @name Pointer types of the control functions (see the table above)
/// @{
typedef void(SIM_CALL* SimResetFn)(void);                                  ///< reset
typedef int(SIM_CALL* SimAttachFn)(const GUID*);                           ///< attach
typedef void(SIM_CALL* SimDetachAllFn)(void);                              ///< detach_all
typedef unsigned(SIM_CALL* SimCountFn)(void);  ///< device_count, log_count, effect_count, live_objects
typedef void(SIM_CALL* SimFailNextFn)(const char*, HRESULT);               ///< fail_next
typedef void(SIM_CALL* SimSetCapacityFn)(unsigned);                        ///< set_capacity
typedef void(SIM_CALL* SimFailAfterFn)(const char*, unsigned, HRESULT);    ///< fail_after
typedef int(SIM_CALL* SimLogGetFn)(unsigned, SimCall*);                    ///< log_get
typedef void(SIM_CALL* SimLogClearFn)(void);                               ///< log_clear
typedef int(SIM_CALL* SimEffectGetFn)(unsigned, SimEffectState*);          ///< effect_get
typedef int(SIM_CALL* SimGetPropertyFn)(DWORD, DWORD*, unsigned);          ///< get_property
typedef void(SIM_CALL* SimSetPointerFn)(const SimPointer*);                ///< set_pointer
typedef int(SIM_CALL* SimGetPointerFn)(SimPointer*);                       ///< get_pointer
typedef void(SIM_CALL* SimAdvanceFn)(DWORD);                               ///< advance
typedef unsigned long long(SIM_CALL* SimNowFn)(void);                      ///< now
typedef unsigned(SIM_CALL* SimForceFn)(SimForce*, SimEffectForce*, unsigned);  ///< force
typedef unsigned(SIM_CALL* SimRenderPathFn)(const SimPathSample*, unsigned, SimForce*);  ///< render_path
/// @}
