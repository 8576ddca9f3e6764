#include "tkl/devices/TactraDXDevice.h"

#include "tkl/core/tklerrors.h"
#include "tkl/devices/sharedmodule.h"

HMODULE CTactraDXDevice::s_hDInputDll = nullptr;
LONG CTactraDXDevice::s_cDInputLoads = 0;

CTactraDXDevice::CTactraDXDevice()
    : m_bExternalAPI(FALSE), m_bExternalDevice(FALSE), m_pAPI(nullptr), m_pDevice(nullptr),
      m_bHoldsLibrary(FALSE) {
    m_dwDeviceType = TKL_DEVICE_TYPE_DIRECTINPUT;
}

CTactraDXDevice::CTactraDXDevice(const CTactraDXDevice& other)
    : CTactraDevice(other), m_bExternalAPI(FALSE), m_bExternalDevice(FALSE), m_pAPI(nullptr),
      m_pDevice(nullptr), m_bHoldsLibrary(FALSE) {
    share(other);
}

CTactraDXDevice& CTactraDXDevice::operator=(const CTactraDXDevice& other) {
    if (this != &other) {
        reset();
        CTactraDevice::operator=(other);
        share(other);
    }
    return *this;
}

CTactraDXDevice::~CTactraDXDevice() { reset(); }

// Takes this object's own references on what the other opened. Without a load reference of
// its own the copy could outlive the module, so then it holds nothing and is closed.
void CTactraDXDevice::share(const CTactraDXDevice& other) {
    m_bInitialized = FALSE;
    if (other.m_bHoldsLibrary && !load_library())
        return;
    m_bExternalAPI = other.m_bExternalAPI;
    m_bExternalDevice = other.m_bExternalDevice;
    m_pAPI = other.m_pAPI;
    m_pDevice = other.m_pDevice;
    if (m_pAPI && !m_bExternalAPI)
        m_pAPI->AddRef();
    if (m_pDevice && !m_bExternalDevice)
        m_pDevice->AddRef();
    m_bInitialized = other.m_bInitialized;
}

BOOL CTactraDXDevice::load_library() {
    return tkl_load_shared("dinput.dll", s_hDInputDll, s_cDInputLoads, m_bHoldsLibrary);
}

void CTactraDXDevice::free_library() { tkl_free_shared(s_hDInputDll, s_cDInputLoads, m_bHoldsLibrary); }

// After a failure from the data format on, the device is not kept.
void CTactraDXDevice::drop_device() {
    m_pDevice->Release();
    m_pDevice = nullptr;
}

BOOL CTactraDXDevice::Initialize(void* instance, void* window, IDirectInputA* api,
                                 IDirectInputDevice2A* device) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    reset();
    const BOOL loaded = load_library();
    if (api && device) {
        m_pAPI = api;
        m_pDevice = device;
        m_bExternalAPI = TRUE;
        m_bExternalDevice = TRUE;
        m_bInitialized = TRUE;
        return TRUE;
    }
    if (api) {
        m_pAPI = api;
        m_bExternalAPI = TRUE;
    } else {
        if (!loaded) {
            CTKLErrors::SetErrorCode(TKL_ERR_CANT_INIT_DEVICE);
            return FALSE;
        }
        PFN_DirectInputCreateA create = reinterpret_cast<PFN_DirectInputCreateA>(
            reinterpret_cast<void*>(GetProcAddress(s_hDInputDll, "DirectInputCreateA")));
        if (!create) {
            CTKLErrors::SetErrorCode(TKL_ERR_CANT_INIT_DEVICE);
            return FALSE;
        }
        HRESULT hr = create(static_cast<HINSTANCE>(instance), 0x0500, &m_pAPI, nullptr);
        if (FAILED(hr) || !m_pAPI) {
            // A success without an object would otherwise leave no reason at all.
            CTKLErrors::SetErrorCode(FAILED(hr) ? hr : LONG(TKL_ERR_CANT_INIT_DEVICE));
            return FALSE;
        }
    }
    m_bDeviceFound = FALSE;
    HRESULT hr = m_pAPI->EnumDevices(DIDEVTYPE_JOYSTICK, enum_didevices_proc, this,
                                     DIEDFL_ATTACHEDONLY | DIEDFL_FORCEFEEDBACK);
    if (FAILED(hr)) {
        CTKLErrors::SetErrorCode(hr);
        return FALSE;
    }
    if (!m_bDeviceFound) {
        CTKLErrors::SetErrorCode(TKL_ERR_INVALID_GUID);
        return FALSE;
    }
    IDirectInputDeviceA* first = nullptr;
    hr = m_pAPI->CreateDevice(m_guidDevice, &first, nullptr);
    if (FAILED(hr) || !first) {
        CTKLErrors::SetErrorCode(FAILED(hr) ? hr : LONG(TKL_ERR_CANT_INIT_DEVICE));
        return FALSE;
    }
    hr = first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&m_pDevice));
    first->Release();
    if (FAILED(hr) || !m_pDevice) {
        m_pDevice = nullptr;
        CTKLErrors::SetErrorCode(FAILED(hr) ? hr : LONG(TKL_ERR_CANT_INIT_DEVICE));
        return FALSE;
    }
    hr = m_pDevice->SetDataFormat(&c_dfDIJoystick);
    if (SUCCEEDED(hr))
        hr = m_pDevice->SetCooperativeLevel(static_cast<HWND>(window),
                                            DISCL_EXCLUSIVE | DISCL_BACKGROUND);
    if (SUCCEEDED(hr))
        hr = m_pDevice->Acquire();
    if (FAILED(hr)) {
        CTKLErrors::SetErrorCode(hr);
        drop_device();
        return FALSE;
    }
    if (!prepare_device()) {
        drop_device();
        return FALSE;
    }
    m_bInitialized = TRUE;
    return TRUE;
}

ITactra* CTactraDXDevice::GetAPI() { return reinterpret_cast<ITactra*>(m_pAPI); }

ITactraDevice* CTactraDXDevice::GetDevice() { return reinterpret_cast<ITactraDevice*>(m_pDevice); }

void CTactraDXDevice::reset() {
    release_links();
    if (m_pDevice && !m_bExternalDevice) {
        m_pDevice->Unacquire();
        m_pDevice->Release();
    }
    m_pDevice = nullptr;
    if (m_pAPI && !m_bExternalAPI)
        m_pAPI->Release();
    m_pAPI = nullptr;
    free_library();
    m_bExternalAPI = FALSE;
    m_bExternalDevice = FALSE;
    m_bInitialized = FALSE;
}
