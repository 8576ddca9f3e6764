#include "tkl/devices/devicelink.h"

#include "tkl/devices/tactradevice.h"

namespace tkl {

DeviceLink::DeviceLink(Release release, void* owner)
    : m_pfnRelease(release), m_pOwner(owner), m_pDevice(nullptr), m_pPrev(nullptr),
      m_pNext(nullptr) {}

DeviceLink::~DeviceLink() { detach(); }

void DeviceLink::attach(CTactraDevice* device) {
    if (device == m_pDevice)
        return;
    detach();
    if (!device)
        return;
    m_pDevice = device;
    m_pNext = device->m_pLinks;
    if (m_pNext)
        m_pNext->m_pPrev = this;
    device->m_pLinks = this;
}

void DeviceLink::detach() {
    if (!m_pDevice)
        return;
    if (m_pPrev)
        m_pPrev->m_pNext = m_pNext;
    else
        m_pDevice->m_pLinks = m_pNext;
    if (m_pNext)
        m_pNext->m_pPrev = m_pPrev;
    m_pDevice = nullptr;
    m_pPrev = m_pNext = nullptr;
}

}  // namespace tkl
