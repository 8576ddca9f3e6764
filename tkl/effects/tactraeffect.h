#pragma once

#include "tkl/devices/tactradevice.h"
#include "tkl/devices/tactrarecords.h"
#include "tkl/effects/effectkinds.h"
#include "tkl/effects/markers.h"
#include "tkl/platform/export.h"

class CTactraProject;

/// CTactraEffect: the base of every single effect. It holds one effect record with the small
/// arrays it points to, the effect's kind, and the device-side effect created from the record on
/// either kind of device (the force mouse gets the record as it is, DirectInput a translated
/// DIEFFECT and kind).
///
/// Arguments of the change operations: TKL_NOT_GIVEN (0x80000000) in a number leaves that field
/// out of the change; TKL_ENVELOPE_NOT_GIVEN (all bits set) as the envelope leaves the envelope
/// as it is, while null removes it. Durations are in milliseconds (TACTRA_INFINITE kept),
/// polar angles in hundredths of a degree.
///
/// Copies: a copy (constructed or assigned) takes the kind and the parameters, but never the
/// device-side effect or the device interface: it is not initialised and not playing until it is
/// initialised itself, and destroying either object never touches the other's device-side
/// effect. The copy's record refers only to the copy's own storage; the caller's envelope and
/// blocks that the source's record referred to are dropped (every send rebuilds the record).
/// Assignment first releases the target's own device-side effect.
///
/// Lifetime: the effect may outlive the device object it was made on. When that device closes,
/// it releases the effect's device-side effect and device interface first (see CTactraDevice);
/// the effect is then no longer initialised: every call that needs the device-side effect fails
/// as before initialisation (TKL_ERR_EFFECT_NOT_INITIALIZED), destroying it touches no device,
/// and it may be initialised again on an open device.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | `duration` | milliseconds; TACTRA_INFINITE: until stopped | 0..4294967 (longer saturates) |
/// | `x`, `y` (Cartesian direction) | x right, y down the screen; only the ratio counts | not both 0 |
/// | `angle` (polar direction) | hundredths of a degree, where the force comes from: 0 up, 9000 right | 0..35999 |
/// | `gain` | 10000 is full | 0..10000 |
/// | `samplePeriod`, `triggerRepeatInterval`, envelope times | microseconds, as given | |
/// | `triggerButton` | button index; TACTRA_NOTRIGGER: none | |
/// | `attackLevel`, `fadeLevel` | 10000 is full | 0..10000 |
///
/// Values go to the device as given (durations converted), never clamped by the library.
///
/// Codes (CTKLErrors::GetLastErrorCode: each public operation clears it, then leaves the first
/// failure's):
///
/// | operation | codes it can leave |
/// |---|---|
/// | every `Initialize` form | 6 no device; 8 the device object has no device interface; the device's HRESULT when it refuses the record; 10 when it reports success without an effect |
/// | InitializeFromProject | 11, 12, 13 or 7 (see there), then those of `Initialize` |
/// | Start, Stop, every `Change...` and `Set...` | 8 before a successful `Initialize`; the device's HRESULT |
/// | GetStatus | 8; 4 for a null `status`; the device's HRESULT |
/// | NewObjectFromGUID | 7 for a kind no class holds |
class TKL_API CTactraEffect {
public:
    /// An effect of the given kind, bound to no device.
    explicit CTactraEffect(const GUID& kind);
    /// The kind and the parameters, without the device-side effect (see Copies above).
    CTactraEffect(const CTactraEffect& other);
    /// Releases this object's device-side effect, then copies as the constructor does.
    CTactraEffect& operator=(const CTactraEffect& other);
    /// Unloads and releases the device-side effect and the device interface, unless the device
    /// has closed and released them already.
    virtual ~CTactraEffect();

    /// Whether an effect of the kind may be loaded into this object: any kind here.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    /// Loads a full record (read during the call only; the object's kind replaces the
    /// record's) and creates the device-side effect.
    virtual BOOL Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect);
    /// Loads the single effect of the named project object on the device (null: the
    /// project's); codes 11 no such object, 12 no effect, 13 several effects, 7 a kind this
    /// class does not hold. The records are given back on every path.
    virtual BOOL InitializeFromProject(CTactraProject& project, const char* name,
                                       CTactraDevice* device);
    /// Plays the device-side effect `iterations` times with the device's start flags.
    virtual BOOL Start(DWORD iterations, DWORD flags);
    /// Stops it; succeeds at once, without a device call, when it was not started.
    virtual BOOL Stop();

    /// Fills *status with the device's status bits; 0 on a device failure; untouched when
    /// the effect is not initialised or status is null.
    BOOL GetStatus(DWORD* status);
    /// Changes the parameters every effect shares; sends only what is given.
    BOOL ChangeBaseParams(LONG x, LONG y, DWORD duration, TACTRA_ENVELOPE* envelope,
                          DWORD samplePeriod, DWORD gain, DWORD triggerButton,
                          DWORD triggerRepeatInterval);
    /// ChangeBaseParams with a polar direction (hundredths of a degree, 0 up, 9000 right).
    BOOL ChangeBaseParamsPolar(LONG angle, DWORD duration, TACTRA_ENVELOPE* envelope,
                               DWORD samplePeriod, DWORD gain, DWORD triggerButton,
                               DWORD triggerRepeatInterval);
    /// Changes only the Cartesian direction; a component not given is sent as 0.
    BOOL ChangeDirection(LONG x, LONG y);
    /// Changes only the polar direction.
    BOOL ChangeDirection(LONG angle);
    /// Sets an envelope from its four values (times passed to the device as they are).
    BOOL SetEnvelope(DWORD attackLevel, DWORD attackTime, DWORD fadeLevel, DWORD fadeTime);
    /// Sets the caller's envelope (read during the call only); null removes the envelope.
    BOOL SetEnvelope(TACTRA_ENVELOPE* envelope);

    /// The device-side effect (an IDirectInputEffect on DirectInput), without a new reference.
    ITactraEffect* GetEffect() const;
    /// The effect's product kind, also while the record holds DirectInput's.
    GUID GetGUID() const;

    /// A new, unbound effect object of the class that holds the kind (the caller deletes it);
    /// null with TKL_ERR_INVALID_GUID for a kind of no class, null alone when out of memory.
    static CTactraEffect* NewObjectFromGUID(const GUID& kind);

protected:
    /// Creates the device-side effect from m_Effect, releasing any earlier one.
    BOOL initialize(CTactraDevice* device);
    /// Sends m_Effect with the change mask; returns the device's result, sets no code.
    HRESULT set_parameters_on_device(DWORD mask);
    /// Unloads and releases the device-side effect, releases the device interface, and leaves
    /// the device's links.
    void reset();
    /// Clears the record and its arrays and sets the record's fixed parts.
    void reset_effect_struct();
    /// Replaces a product kind by its DirectInput counterpart, if it has one.
    static void tactra_to_DI_GUID(GUID& kind);

    /// Start of every change: clears the code; FALSE with code 8 when not initialised.
    BOOL begin_change();
    /// End of every change: sends m_Effect with the mask; a failure becomes the code.
    BOOL finish_change(DWORD mask);
    /// For a subclass's copy: points the record at this object's block when the source's
    /// record pointed at the source's block.
    void adopt_block(const CTactraEffect& source, const void* sourceBlock, void* block);

    TACTRA_EFFECT m_Effect;     ///< the record; its arrays are the two below
    DWORD m_dwaAxes[2];         ///< axis offsets
    LONG m_laDirection[2];      ///< direction values
    GUID m_guidEffect;          ///< the product kind
    BOOL m_bPlaying;            ///< TRUE after Start, FALSE after Stop
    DWORD m_dwDeviceType;       ///< the device's type when the effect was created
    ITactraDevice* m_pDevice;   ///< own reference; IDirectInputDevice2A on type 3
    ITactraEffect* m_pEffect;   ///< owned; IDirectInputEffect on type 3; null: not initialised
    DWORD m_cAxes;              ///< the record's axis count at creation

private:
    /// The device object's hold on m_pEffect and m_pDevice, so that it can release them when
    /// it closes first.
    tkl::DeviceLink m_DeviceLink;
    static void device_closed(void* effect);

    BOOL change_base_params(DWORD form, LONG first, LONG second, DWORD duration,
                            TACTRA_ENVELOPE* envelope, DWORD samplePeriod, DWORD gain,
                            DWORD triggerButton, DWORD triggerRepeatInterval);
    void copy_parameters(const CTactraEffect& other);
};
