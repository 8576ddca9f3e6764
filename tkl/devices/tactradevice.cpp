#include "tkl/devices/tactradevice.h"

#include "tkl/core/tklerrors.h"
#include "tkl/devices/TactraDXDevice.h"
#include "tkl/devices/TactraMouse.h"

#include <cstring>
#include <new>

CTactraDevice::CTactraDevice()
    : m_bInitialized(FALSE), m_dwDeviceType(TKL_DEVICE_TYPE_BASE), m_guidDevice(GUID_NULL),
      m_bDeviceFound(FALSE), m_pLinks(nullptr) {}

CTactraDevice::CTactraDevice(const CTactraDevice& other)
    : m_bInitialized(other.m_bInitialized), m_dwDeviceType(other.m_dwDeviceType),
      m_guidDevice(other.m_guidDevice), m_bDeviceFound(other.m_bDeviceFound), m_pLinks(nullptr) {}

CTactraDevice& CTactraDevice::operator=(const CTactraDevice& other) {
    m_bInitialized = other.m_bInitialized;
    m_dwDeviceType = other.m_dwDeviceType;
    m_guidDevice = other.m_guidDevice;
    m_bDeviceFound = other.m_bDeviceFound;
    return *this;
}

// The subclasses' destructors have released the links already; a device class of the
// application's may not have.
CTactraDevice::~CTactraDevice() { release_links(); }

// Each link leaves the list before its owner is told, so an owner may detach or attach anew
// from its release function.
void CTactraDevice::release_links() {
    while (m_pLinks) {
        tkl::DeviceLink* link = m_pLinks;
        link->detach();
        link->m_pfnRelease(link->m_pOwner);
    }
}

BOOL CTactraDevice::ChangeScreenResolution(BOOL, DWORD, DWORD) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    return TRUE;
}

BOOL CTactraDevice::SwitchToAbsoluteMode(BOOL) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    return TRUE;
}

DWORD CTactraDevice::GetDeviceType() const { return m_dwDeviceType; }

BOOL CTactraDevice::UsesWin32MouseServices(BOOL use) { return SwitchToAbsoluteMode(use); }

BOOL CTactraDevice::prepare_device() { return TRUE; }

// Both instance records carry the instance GUID at offset 4, after their size. The first
// device enumerated is the one used: record it and stop.
BOOL CALLBACK CTactraDevice::enum_devices_proc(const TACTRA_DEVICEINSTANCE* instance, void* context) {
    if (!instance || !context)
        return TACTRA_ENUM_CONTINUE;
    CTactraDevice* device = static_cast<CTactraDevice*>(context);
    std::memcpy(&device->m_guidDevice, reinterpret_cast<const BYTE*>(instance) + 4, sizeof(GUID));
    device->m_bDeviceFound = TRUE;
    return TACTRA_ENUM_STOP;
}

BOOL CALLBACK CTactraDevice::enum_didevices_proc(const DIDEVICEINSTANCEA* instance, void* context) {
    if (!instance || !context)
        return DIENUM_CONTINUE;
    CTactraDevice* device = static_cast<CTactraDevice*>(context);
    std::memcpy(&device->m_guidDevice, reinterpret_cast<const BYTE*>(instance) + 4, sizeof(GUID));
    device->m_bDeviceFound = TRUE;
    return DIENUM_STOP;
}

// The force mouse first, then DirectInput; a device that fails to open is deleted at once.
CTactraDevice* CTactraDevice::CreateDevice(HINSTANCE instance, HWND window) {
    CTactraMouse* mouse = new (std::nothrow) CTactraMouse();
    if (mouse) {
        if (mouse->Initialize(instance, window, TACTRA_SCL_FOREGROUND))
            return mouse;
        delete mouse;
    }
    CTactraDXDevice* dx = new (std::nothrow) CTactraDXDevice();
    if (dx) {
        if (dx->Initialize(instance, window, nullptr, nullptr))
            return dx;
        delete dx;
    }
    return nullptr;
}
