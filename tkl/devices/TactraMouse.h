#pragma once

#include "tkl/devices/tactradevice.h"

/// CTactraMouse: the device for the product's own force mouse, driven through the product force
/// API in tactra.dll, which it loads by name.
///
/// Copies: a copy shares the API object and the opened device with its original but takes its
/// own reference on each and its own load reference on tactra.dll, so originals and copies may
/// be reset or destroyed in any order. The device's acquisition is shared: resetting either
/// one unacquires the device for both.
class TKL_API CTactraMouse : public CTactraDevice {
public:
    /// Closed: device type 2, nothing held.
    CTactraMouse();
    /// Shares what the other holds, with references of its own (see above).
    CTactraMouse(const CTactraMouse& other);
    /// Closes this device, then shares what the other holds.
    CTactraMouse& operator=(const CTactraMouse& other);
    /// Closes the device.
    ~CTactraMouse() override;

    /// Opens the first attached force mouse with the cooperative-level flags, acquires it and
    /// sets full gain, force output on and absolute axis mode; FALSE and an error code if it
    /// cannot (9 no library or entry point, 7 no force mouse, else the API's result).
    BOOL Initialize(void* instance, void* window, DWORD cooperativeFlags);
    /// TRUE while a force mouse is open.
    BOOL HaveForceTactraMouse();

    /// The API's root object, without a new reference (null when closed).
    ITactra* GetAPI() override;
    /// The opened force mouse, without a new reference (null when closed).
    ITactraDevice* GetDevice() override;
    /// Tells the mouse the screen size: the real one when `automatic`, else width x height
    /// (FALSE with no error code when either is 0).
    BOOL ChangeScreenResolution(BOOL automatic, DWORD width, DWORD height) override;
    /// Absolute (TRUE) or relative (FALSE) axis mode.
    BOOL SwitchToAbsoluteMode(BOOL absolute) override;

protected:
    /// Full device gain; code 4 without an API object or device.
    BOOL prepare_device() override;
    /// Lets go of the linked effects and projects (see CTactraDevice), unacquires and releases
    /// the device, releases the API object and this object's load of the library.
    void reset() override;

    ITactra* m_pAPI;          ///< the API's root object, own reference; null when closed
    ITactraDevice* m_pDevice; ///< the opened force mouse, own reference; null when closed
    BOOL m_bHoldsLibrary;  ///< this object holds one load reference on tactra.dll

    /// tactra.dll, shared by every force-mouse object; freed when the last load is released.
    static HMODULE s_hTactraDll;

private:
    BOOL load_library();
    void free_library();
    BOOL set_property(DWORD property, DWORD value);
    void share(const CTactraMouse& other);

    static LONG s_cTactraLoads;  ///< load references held through s_hTactraDll
};
