#pragma once
/// @file
/// CTactraDevice and its device types.

#include "tkl/devices/devicelink.h"
#include "tkl/devices/tactraapi.h"
#include "tkl/platform/dinput.h"
#include "tkl/platform/export.h"

/// @name Device types (GetDeviceType)
/// @{
#define TKL_DEVICE_TYPE_BASE 0u         ///< no device yet
#define TKL_DEVICE_TYPE_MOUSE 2u        ///< CTactraMouse
#define TKL_DEVICE_TYPE_DIRECTINPUT 3u  ///< CTactraDXDevice
/// @}

/// CTactraDevice: the abstract device every effect is bound to. It hides whether the effects run
/// on the product's force mouse (CTactraMouse) or on a DirectInput force-feedback device
/// (CTactraDXDevice); GetDeviceType tells them apart (2 and 3).
///
/// Closing: when a device closes (its reset, a new Initialize, its destruction) it first
/// releases the device-side effect and device interface of every effect made on it, and every
/// project that has it as its default device forgets it; only then does it unacquire the device
/// and free the lower-layer module. Effects, compounds, projects and project lists may
/// therefore outlive their device and be destroyed in any order: an effect whose device closed
/// is no longer initialised (its calls fail as before its initialisation, mostly with
/// TKL_ERR_EFFECT_NOT_INITIALIZED, until it is initialised again), and a project without a
/// device makes no new compounds (TKL_ERR_DEVICE_IS_NULL).
///
/// Codes of opening a device (CreateDevice, and the subclasses' Initialize): 9
/// (TKL_ERR_CANT_INIT_DEVICE) when the lower layer's module is missing, lacks its entry point or
/// creates no object; 7 (TKL_ERR_INVALID_GUID) when it lists no attached force-feedback device;
/// the lower layer's HRESULT when it fails a call. CreateDevice leaves the code of its last
/// attempt, the DirectInput one. The screen resolution is in pixels; ChangeScreenResolution and
/// SwitchToAbsoluteMode leave 6 (TKL_ERR_DEVICE_IS_NULL) on a device that did not open.
class TKL_API CTactraDevice {
    friend class tkl::DeviceLink;

public:
    CTactraDevice();
    /// The four device members; the effects and projects linked to `other` stay with it.
    CTactraDevice(const CTactraDevice& other);
    /// The four device members; this device's own links stay as they are.
    CTactraDevice& operator=(const CTactraDevice& other);
    /// Releases whatever effects and projects still hold of the device (see Closing).
    virtual ~CTactraDevice();

    /// The root interface, without a new reference; a DirectInput device returns its
    /// IDirectInputA here.
    virtual ITactra* GetAPI() = 0;
    /// The device interface, without a new reference; a DirectInput device returns its
    /// IDirectInputDevice2A here, so look at GetDeviceType before using it.
    virtual ITactraDevice* GetDevice() = 0;
    /// Tells the device the screen resolution; the base does nothing and succeeds.
    virtual BOOL ChangeScreenResolution(BOOL automatic, DWORD width, DWORD height);
    /// Absolute (TRUE) or relative axis mode; the base does nothing and succeeds.
    virtual BOOL SwitchToAbsoluteMode(BOOL absolute);

    /// 2 for the force mouse, 3 for DirectInput; fixed by the subclass constructor.
    DWORD GetDeviceType() const;
    /// SwitchToAbsoluteMode with the same argument.
    BOOL UsesWin32MouseServices(BOOL use);

    /// Opens the force mouse, else the first DirectInput force-feedback device; null when
    /// neither opens (the last error code says why, and the debugger output names a device
    /// module that was not found and where it was looked for). A success does not clear the
    /// code: it may still hold the force mouse's failure before DirectInput opened, or an
    /// older one. The caller deletes the device, before or after the effects and projects
    /// that use it (see Closing).
    static CTactraDevice* CreateDevice(HINSTANCE instance, HWND window);

protected:
    /// Called by a subclass's Initialize once the device is acquired.
    virtual BOOL prepare_device();
    /// Releases everything the subclass holds; starts with release_links.
    virtual void reset() = 0;
    /// Lets every linked effect and project go of the device (see Closing).
    void release_links();

    /// @{
    /// Enumeration callbacks: record the first device's instance GUID and stop.
    static BOOL CALLBACK enum_devices_proc(const TACTRA_DEVICEINSTANCE* instance, void* context);
    static BOOL CALLBACK enum_didevices_proc(const DIDEVICEINSTANCEA* instance, void* context);
    /// @}

    BOOL m_bInitialized;   ///< TRUE after a successful Initialize, FALSE after reset
    DWORD m_dwDeviceType;  ///< TKL_DEVICE_TYPE_*
    GUID m_guidDevice;     ///< instance GUID the enumeration found
    BOOL m_bDeviceFound;   ///< set by the enumeration callbacks

private:
    tkl::DeviceLink* m_pLinks;  ///< the effects and projects that hold something of the device
};
