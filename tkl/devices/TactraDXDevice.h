#pragma once
/// @file
/// CTactraDXDevice and the type of DirectInput's entry point.

#include "tkl/devices/tactradevice.h"

/// DirectInput's entry point, looked up by name in dinput.dll.
typedef HRESULT(WINAPI* PFN_DirectInputCreateA)(HINSTANCE instance, DWORD version,
                                                IDirectInputA** out, IUnknown* outer);

/// CTactraDXDevice: the device for any DirectInput 5 force-feedback device, reached through
/// dinput.dll, which it loads by name. An application that already has DirectInput objects may
/// hand them in; they are then used as they are and never unacquired or released here.
///
/// Copies: a copy shares the DirectInput object and device with its original. Objects this
/// class opened get a reference of the copy's own, and the copy takes its own load reference on
/// dinput.dll, so originals and copies may be reset or destroyed in any order; objects handed in
/// by the application stay the application's in the copy too. The device's acquisition is
/// shared: resetting either one unacquires an opened device for both.
class TKL_API CTactraDXDevice : public CTactraDevice {
public:
    /// Closed: device type 3, nothing held.
    CTactraDXDevice();
    /// Shares what the other holds, with references of its own where it owns them (see above).
    CTactraDXDevice(const CTactraDXDevice& other);
    /// Closes this device, then shares what the other holds.
    CTactraDXDevice& operator=(const CTactraDXDevice& other);
    /// Closes the device; objects handed in stay untouched.
    ~CTactraDXDevice() override;

    /// Opens the first attached force-feedback joystick for exclusive background access, or
    /// takes the application's DirectInput object (and device, when both are given); FALSE and
    /// an error code if it cannot (9 no library or entry point, 7 no device, else DirectInput's
    /// result).
    BOOL Initialize(void* instance, void* window, IDirectInputA* api, IDirectInputDevice2A* device);

    /// The IDirectInputA in the root-interface slot, without a new reference.
    ITactra* GetAPI() override;
    /// The IDirectInputDevice2A in the device slot, without a new reference.
    ITactraDevice* GetDevice() override;

protected:
    /// Lets go of the linked effects and projects (see CTactraDevice), unacquires and releases
    /// what this object opened, forgets what it was given, and releases this object's load of
    /// the library.
    void reset() override;

    BOOL m_bExternalAPI;     ///< the DirectInput object is the application's
    BOOL m_bExternalDevice;  ///< the device is the application's
    IDirectInputA* m_pAPI;            ///< opened here or handed in; null when closed
    IDirectInputDevice2A* m_pDevice;  ///< opened here or handed in; null when closed
    BOOL m_bHoldsLibrary;    ///< this object holds one load reference on dinput.dll

    /// dinput.dll, shared by every DirectInput device object; freed when the last load is
    /// released.
    static HMODULE s_hDInputDll;

private:
    BOOL load_library();
    void free_library();
    void drop_device();
    void share(const CTactraDXDevice& other);

    static LONG s_cDInputLoads;  ///< load references held through s_hDInputDll
};
