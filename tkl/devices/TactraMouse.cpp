#include "tkl/devices/TactraMouse.h"

#include "tkl/core/tklerrors.h"
#include "tkl/devices/sharedmodule.h"

HMODULE CTactraMouse::s_hTactraDll = nullptr;
LONG CTactraMouse::s_cTactraLoads = 0;

namespace {

// Sends a property record of `size` bytes, the values after the header; a failure leaves the
// device's result as the error code.
BOOL send_property(ITactraDevice* device, DWORD property, TACTRA_PROPHEADER& header, DWORD size) {
    header.dwSize = size;
    header.dwHeaderSize = sizeof(TACTRA_PROPHEADER);
    header.dwObj = 0;
    header.dwHow = 0;
    HRESULT hr = device->SetProperty(property, &header);
    if (FAILED(hr)) {
        CTKLErrors::SetErrorCode(hr);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CTactraMouse::CTactraMouse() : m_pAPI(nullptr), m_pDevice(nullptr), m_bHoldsLibrary(FALSE) {
    m_dwDeviceType = TKL_DEVICE_TYPE_MOUSE;
}

CTactraMouse::CTactraMouse(const CTactraMouse& other)
    : CTactraDevice(other), m_pAPI(nullptr), m_pDevice(nullptr), m_bHoldsLibrary(FALSE) {
    share(other);
}

CTactraMouse& CTactraMouse::operator=(const CTactraMouse& other) {
    if (this != &other) {
        reset();
        CTactraDevice::operator=(other);
        share(other);
    }
    return *this;
}

CTactraMouse::~CTactraMouse() { reset(); }

// Takes this object's own references on what the other holds. Without a load reference of
// its own the copy could outlive the module, so then it holds nothing and is closed.
void CTactraMouse::share(const CTactraMouse& other) {
    m_bInitialized = FALSE;
    if (other.m_bHoldsLibrary && !load_library())
        return;
    m_pAPI = other.m_pAPI;
    m_pDevice = other.m_pDevice;
    if (m_pAPI)
        m_pAPI->AddRef();
    if (m_pDevice)
        m_pDevice->AddRef();
    m_bInitialized = other.m_bInitialized;
}

BOOL CTactraMouse::load_library() {
    return tkl_load_shared("tactra.dll", s_hTactraDll, s_cTactraLoads, m_bHoldsLibrary);
}

void CTactraMouse::free_library() { tkl_free_shared(s_hTactraDll, s_cTactraLoads, m_bHoldsLibrary); }

BOOL CTactraMouse::set_property(DWORD property, DWORD value) {
    TACTRA_PROPDWORD record;
    record.dwData = value;
    return send_property(m_pDevice, property, record.diph, sizeof record);
}

BOOL CTactraMouse::Initialize(void* instance, void* window, DWORD cooperativeFlags) {
    reset();
    if (!load_library()) {
        CTKLErrors::SetErrorCode(TKL_ERR_CANT_INIT_DEVICE);
        return FALSE;
    }
    PFN_TactraCreateA create =
        reinterpret_cast<PFN_TactraCreateA>(reinterpret_cast<void*>(GetProcAddress(s_hTactraDll, "TactraCreateA")));
    if (!create) {
        CTKLErrors::SetErrorCode(TKL_ERR_CANT_INIT_DEVICE);
        return FALSE;
    }
    HRESULT hr = create(static_cast<HINSTANCE>(instance), TACTRA_VERSION, &m_pAPI, nullptr);
    if (FAILED(hr) || !m_pAPI) {
        // A success without an object would otherwise leave no reason at all.
        CTKLErrors::SetErrorCode(FAILED(hr) ? hr : LONG(TKL_ERR_CANT_INIT_DEVICE));
        return FALSE;
    }
    m_bDeviceFound = FALSE;
    hr = m_pAPI->EnumDevices(m_dwDeviceType, enum_devices_proc, this,
                             TACTRA_EDFL_ATTACHEDONLY | TACTRA_EDFL_FORCEFEEDBACK);
    if (FAILED(hr)) {
        CTKLErrors::SetErrorCode(hr);
        return FALSE;
    }
    if (!m_bDeviceFound) {
        CTKLErrors::SetErrorCode(TKL_ERR_INVALID_GUID);
        return FALSE;
    }
    hr = m_pAPI->CreateDevice(m_guidDevice, &m_pDevice, nullptr);
    if (FAILED(hr) || !m_pDevice) {
        m_pDevice = nullptr;
        CTKLErrors::SetErrorCode(FAILED(hr) ? hr : LONG(TKL_ERR_CANT_INIT_DEVICE));
        return FALSE;
    }
    hr = m_pDevice->SetCooperativeLevel(static_cast<HWND>(window), cooperativeFlags);
    if (SUCCEEDED(hr))
        hr = m_pDevice->Acquire();
    if (FAILED(hr)) {
        CTKLErrors::SetErrorCode(hr);
        m_pDevice->Release();
        m_pDevice = nullptr;
        return FALSE;
    }
    if (!prepare_device()) {
        if (m_pDevice) {
            m_pDevice->Release();
            m_pDevice = nullptr;
        }
        return FALSE;
    }
    // Both are tolerated: the device works without them, and the code tells the caller.
    set_property(TACTRA_PROP_FORCEOUTPUT, 1);
    set_property(TACTRA_PROP_AXISMODE, TACTRA_PROPAXISMODE_ABS);
    m_bInitialized = TRUE;
    return TRUE;
}

BOOL CTactraMouse::HaveForceTactraMouse() { return m_pDevice != nullptr; }

ITactra* CTactraMouse::GetAPI() { return m_pAPI; }

ITactraDevice* CTactraMouse::GetDevice() { return m_pDevice; }

BOOL CTactraMouse::prepare_device() {
    if (!m_pAPI || !m_pDevice) {
        CTKLErrors::SetErrorCode(TKL_ERR_NULL_PARAMETER);
        return FALSE;
    }
    return set_property(TACTRA_PROP_FFGAIN, TACTRA_NOMINAL_MAX);
}

BOOL CTactraMouse::SwitchToAbsoluteMode(BOOL absolute) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    if (!m_pDevice) {
        CTKLErrors::SetErrorCode(TKL_ERR_DEVICE_IS_NULL);
        return FALSE;
    }
    return set_property(TACTRA_PROP_AXISMODE, absolute ? TACTRA_PROPAXISMODE_ABS : TACTRA_PROPAXISMODE_REL);
}

BOOL CTactraMouse::ChangeScreenResolution(BOOL automatic, DWORD width, DWORD height) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    if (automatic) {
        width = DWORD(GetSystemMetrics(SM_CXSCREEN));
        height = DWORD(GetSystemMetrics(SM_CYSCREEN));
    } else if (width == 0 || height == 0) {
        return FALSE;
    }
    if (!m_pDevice) {
        CTKLErrors::SetErrorCode(TKL_ERR_DEVICE_IS_NULL);
        return FALSE;
    }
    TACTRA_PROPRESOLUTION record;
    record.dwWidth = width;
    record.dwHeight = height;
    return send_property(m_pDevice, TACTRA_PROP_SCREENRESOLUTION, record.diph, sizeof record);
}

void CTactraMouse::reset() {
    release_links();
    if (m_pDevice) {
        m_pDevice->Unacquire();
        m_pDevice->Release();
        m_pDevice = nullptr;
    }
    if (m_pAPI) {
        m_pAPI->Release();
        m_pAPI = nullptr;
    }
    free_library();
    m_bInitialized = FALSE;
}
