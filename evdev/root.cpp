// DirectInput's entry point and the DirectInput object: enumeration and opening of nodes.
#include "evdev/objects.h"

#include "evdev/system.h"

#include <errno.h>

#include <cstdio>
#include <cstring>
#include <new>

HRESULT evdev_check_version(DWORD version) {
    if (version == 0x0300 || version == 0x0500)
        return DI_OK;
    return version > 0x0500 ? DIERR_OLDDIRECTINPUTVERSION : DIERR_BETADIRECTINPUTVERSION;
}

void evdev_fill_instance(DIDEVICEINSTANCEA* info, DWORD size, const EvdevNode& node) {
    std::memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->guidInstance = node.instance;
    info->guidProduct = node.product;
    info->dwDevType = DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_TRADITIONAL << 8);
    std::snprintf(info->tszInstanceName, sizeof info->tszInstanceName, "%s", node.name);
    std::snprintf(info->tszProductName, sizeof info->tszProductName, "%s", node.name);
}

extern "C" __attribute__((visibility("default"))) HRESULT WINAPI
DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* out, LPUNKNOWN outer) {
    if (out)
        *out = nullptr;
    if (!out || !instance)
        return DIERR_INVALIDPARAM;
    if (outer)
        return DIERR_NOAGGREGATION;
    const HRESULT hr = evdev_check_version(version);
    if (FAILED(hr))
        return hr;
    EvdevRoot* root = new (std::nothrow) EvdevRoot();
    if (!root)
        return DIERR_OUTOFMEMORY;
    *out = root;
    return DI_OK;
}

HRESULT EvdevRoot::QueryInterface(REFIID iid, void** out) {
    return evdev_query(this, iid, out, IID_IDirectInputA);
}

ULONG EvdevRoot::AddRef() { return ++refs_; }

ULONG EvdevRoot::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT EvdevRoot::CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICEA* out, LPUNKNOWN outer) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return DIERR_NOAGGREGATION;
    EvdevNode found;
    if (!evdev_find(instance, found))
        return DIERR_DEVICENOTREG;
    // Open it again for good: the node must still be the device the scan saw.
    EvdevNode node;
    const int fd = evdev_open_node(found.path, node);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? E_ACCESSDENIED : DIERR_DEVICENOTREG;
    if (std::memcmp(&node.id, &found.id, sizeof node.id) != 0 ||
        std::strcmp(node.phys, found.phys) != 0) {
        evdev_system().close(fd);
        return DIERR_DEVICENOTREG;
    }
    node.instance = found.instance;
    EvdevDevice* device = new (std::nothrow) EvdevDevice(*this, node, fd);
    if (!device) {
        evdev_system().close(fd);
        return DIERR_OUTOFMEMORY;
    }
    *out = device;
    return DI_OK;
}

HRESULT EvdevRoot::EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref,
                               DWORD flags) {
    const DWORD known = DIEDFL_ATTACHEDONLY | DIEDFL_FORCEFEEDBACK | DIEDFL_INCLUDEALIASES |
                        DIEDFL_INCLUDEPHANTOMS;
    const DWORD type = GET_DIDEVICE_TYPE(devType);
    if (!callback || (flags & ~known) || type > DIDEVTYPE_JOYSTICK)
        return DIERR_INVALIDPARAM;
    // Only force-feedback joysticks are offered: the module is for them.
    if (type != 0 && type != DIDEVTYPE_JOYSTICK)
        return DI_OK;
    EvdevNode* nodes = new (std::nothrow) EvdevNode[EVDEV_MAX_NODES];
    if (!nodes)
        return DIERR_OUTOFMEMORY;
    const unsigned count = evdev_scan(nodes, EVDEV_MAX_NODES);
    for (unsigned i = 0; i < count; ++i) {
        DIDEVICEINSTANCEA info;
        info.dwSize = sizeof info;
        evdev_fill_instance(&info, sizeof info, nodes[i]);
        if (callback(&info, ref) == DIENUM_STOP)
            break;
    }
    delete[] nodes;
    return DI_OK;
}

HRESULT EvdevRoot::GetDeviceStatus(REFGUID instance) {
    EvdevNode node;
    return evdev_find(instance, node) ? DI_OK : DIERR_DEVICENOTREG;
}

HRESULT EvdevRoot::RunControlPanel(HWND, DWORD flags) {
    // There is no control panel for event nodes.
    return flags ? DIERR_INVALIDPARAM : DIERR_UNSUPPORTED;
}

HRESULT EvdevRoot::Initialize(HINSTANCE instance, DWORD version) {
    if (!instance)
        return DIERR_INVALIDPARAM;
    return evdev_check_version(version);
}
