#include "tkl/projects/tactraprojects.h"

#include "tkl/core/tklerrors.h"

#include <new>

namespace {

const LONG kFailedToOpen = -2;
const LONG kNoMemory = -3;
const LONG kNoDevice = -4;

}  // namespace

CTactraProjects::CTactraProjects() : m_pProjects(nullptr), m_LoadError() {}

CTactraProjects::~CTactraProjects() { Close(); }

LONG CTactraProjects::OpenFile(const char* path, CTactraDevice* device) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    m_LoadError = TVXLoadError();
    if (!device) {
        CTKLErrors::SetErrorCode(TKL_ERR_DEVICE_IS_NULL);
        return kNoDevice;
    }
    CTactraProject* project = new (std::nothrow) CTactraProject;
    if (!project) {
        CTKLErrors::SetErrorCode(TKL_ERR_ALLOCATION_FAILED);
        return kNoMemory;
    }
    if (!project->OpenFile(path, device)) {
        m_LoadError = project->GetLoadError();
        delete project;
        return kFailedToOpen;
    }
    LONG position = 0;
    CTactraProject** tail = &m_pProjects;
    for (; *tail; tail = &(*tail)->m_pNext)
        ++position;
    *tail = project;
    return position;
}

const TVXLoadError& CTactraProjects::GetLoadError() const { return m_LoadError; }

DWORD CTactraProjects::GetLoadErrorText(char* buffer, DWORD size) const {
    return TVXFormatLoadError(m_LoadError.szReason[0] ? &m_LoadError : nullptr, buffer, size);
}

CTactraProject* CTactraProjects::GetProject(int position) {
    CTactraProject* project = position < 0 ? nullptr : m_pProjects;
    for (int i = 0; project && i < position; ++i)
        project = project->get_next();
    if (!project)
        CTKLErrors::SetErrorCode(TKL_ERR_INVALID_PARAMETER);
    return project;
}

int CTactraProjects::Stop() {
    int all = 1;
    for (CTactraProject* p = m_pProjects; p; p = p->get_next())
        if (!p->Stop(nullptr))
            all = 0;
    return all;
}

void CTactraProjects::Close() {
    while (m_pProjects) {
        CTactraProject* project = m_pProjects;
        m_pProjects = project->get_next();
        delete project;
    }
}
