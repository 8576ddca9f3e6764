#pragma once
/// @file
/// tkl::DeviceLink: how a device object lets go of what other objects hold of it.

class CTactraDevice;

namespace tkl {

/// One object's tie to a device object it depends on: an effect holding a device-side effect
/// made on the device, or a project keeping the device as its default. The device keeps its
/// links in a list; when it closes (its reset, a new Initialize, its destruction) it takes each
/// link out of the list and calls its release function, before it unacquires the device or
/// frees its lower-layer module. The links are members of their owners, so nothing is
/// allocated and nothing can fail.
class DeviceLink {
public:
    /// What the device calls, with the owner given here, when it closes.
    typedef void (*Release)(void* owner);

    /// A link in no device's list.
    DeviceLink(Release release, void* owner);
    /// Leaves the device's list.
    ~DeviceLink();

    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    /// Joins the device's list, leaving any earlier one; null only leaves.
    void attach(CTactraDevice* device);
    /// Leaves the device's list, if it is in one; the release function is not called.
    void detach();

private:
    friend class ::CTactraDevice;

    Release m_pfnRelease;      ///< called by the device when it closes
    void* m_pOwner;            ///< the argument of m_pfnRelease
    CTactraDevice* m_pDevice;  ///< the device whose list holds the link, or null
    DeviceLink* m_pPrev;       ///< neighbours in that list
    DeviceLink* m_pNext;
};

}  // namespace tkl
