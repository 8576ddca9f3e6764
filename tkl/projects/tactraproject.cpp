#include "tkl/projects/tactraproject.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/effectkinds.h"

#include <cstring>
#include <new>

namespace {

void set_code(LONG code) { CTKLErrors::SetErrorCode(code); }

bool same_kind(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

// A DirectInput device takes a project's springs in device units: the device-unit spring kind,
// which the factory makes as a plain condition.
void to_device_springs(TVXEffect** records, int count) {
    for (int i = 0; i < count; ++i)
        if (records[i] && same_kind(records[i]->guid, GUID_Tactra_Spring))
            records[i]->guid = GUID_Tactra_DeviceSpring;
}

// Back to the project's own kind before the records go back, so that the library releases each
// block through its kind's row. The library never hands out the device-unit kind itself, so
// every such record is one rewritten above.
void to_project_springs(TVXEffect** records, int count) {
    for (int i = 0; i < count; ++i)
        if (records[i] && same_kind(records[i]->guid, GUID_Tactra_DeviceSpring))
            records[i]->guid = GUID_Tactra_Spring;
}

}  // namespace

CTactraProject::CTactraProject()
    : m_hProject(nullptr), m_pCreatedEffects(nullptr), m_pDevice(nullptr), m_pNext(nullptr),
      m_LoadError() {}

CTactraProject::~CTactraProject() { Close(); }

bool CTactraProject::may_open(bool sourceGiven, CTactraDevice* device) {
    set_code(TKL_ERR_NONE);
    m_LoadError = TVXLoadError();
    if (!sourceGiven) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return false;
    }
    if (!device) {
        set_code(TKL_ERR_DEVICE_IS_NULL);
        return false;
    }
    if (m_hProject) {
        set_code(TKL_ERR_PROJECT_ALREADY_OPEN);
        return false;
    }
    // Stored before loading, so that it stays when the load fails.
    m_pDevice = device;
    return true;
}

// A failed load sets no code of its own.
int CTactraProject::loaded(HTVXPROJECT project) {
    m_hProject = project;
    return m_hProject != nullptr;
}

int CTactraProject::OpenFile(const char* path, CTactraDevice* device) {
    if (!may_open(path && *path, device))
        return 0;
    return loaded(TVXLoadProjectFileEx(path, device->GetDevice(), &m_LoadError));
}

int CTactraProject::OpenResource(HINSTANCE module, const char* name, CTactraDevice* device) {
    if (!may_open(name != nullptr, device))
        return 0;
    return loaded(TVXLoadProjectResourceEx(module, name, device->GetDevice(), &m_LoadError));
}

int CTactraProject::OpenPointer(const void* data, DWORD size, CTactraDevice* device) {
    if (!may_open(data && size, device))
        return 0;
    return loaded(TVXLoadProjectPointerEx(data, size, device->GetDevice(), &m_LoadError));
}

int CTactraProject::LoadProjectObjectPointer(unsigned char* data, CTactraDevice* device) {
    set_code(TKL_ERR_NONE);
    if (device)
        m_pDevice = device;
    if (!m_pDevice) {
        set_code(TKL_ERR_DEVICE_IS_NULL);
        return 0;
    }
    // The compounds made so far hold their own records and outlive the data they came from.
    if (m_hProject) {
        TVXReleaseProject(m_hProject);
        m_hProject = nullptr;
    }
    return loaded(TVXLoadProjectObjectPointer(data, m_pDevice->GetDevice()));
}

void CTactraProject::Close() {
    Stop(nullptr);
    while (m_pCreatedEffects) {
        CTactraCompoundEffect* compound = m_pCreatedEffects;
        m_pCreatedEffects = compound->get_next();
        delete compound;
    }
    if (m_hProject) {
        TVXReleaseProject(m_hProject);
        m_hProject = nullptr;
    }
}

const TVXLoadError& CTactraProject::GetLoadError() const { return m_LoadError; }

DWORD CTactraProject::GetLoadErrorText(char* buffer, DWORD size) const {
    return TVXFormatLoadError(m_LoadError.szReason[0] ? &m_LoadError : nullptr, buffer, size);
}

int CTactraProject::GetIsOpen() const { return m_hProject != nullptr; }

CTactraDevice* CTactraProject::GetDevice() const { return m_pDevice; }

bool CTactraProject::may_create() {
    set_code(TKL_ERR_NONE);
    if (!m_hProject)
        set_code(TKL_ERR_PROJECT_NOT_OPEN);
    return m_hProject != nullptr;
}

CTactraCompoundEffect* CTactraProject::CreateEffect(const char* name, CTactraDevice* device) {
    if (!may_create())
        return nullptr;
    int count = 0;
    TVXEffect** records = create_effect_structs(name, count);
    return create_compound(records, count, name, device);
}

CTactraCompoundEffect* CTactraProject::CreateEffectByIndex(int index, CTactraDevice* device) {
    if (!may_create())
        return nullptr;
    int count = 0;
    TVXEffect** records = create_effect_structs_by_index(index, count);
    const char* name = records ? TVXGetObjectNameByIndex(m_hProject, index) : nullptr;
    return create_compound(records, count, name, device);
}

// Builds, names and binds a compound from the records, which it always gives back. Only a
// compound with a name and an effect in every slot enters the list, so that lookups and plays
// never meet a nameless compound or an empty slot.
CTactraCompoundEffect* CTactraProject::create_compound(TVXEffect** records, int count,
                                                       const char* name,
                                                       CTactraDevice* device) {
    if (!records) {  // no such object
        set_code(TKL_ERR_CANT_CREATE_EFFECT);
        return nullptr;
    }
    CTactraDevice* target = device ? device : m_pDevice;
    if (!target || !name) {
        give_back(records, count);
        set_code(!target ? TKL_ERR_DEVICE_IS_NULL : TKL_ERR_CANT_CREATE_EFFECT);
        return nullptr;
    }
    if (target->GetDeviceType() == TKL_DEVICE_TYPE_DIRECTINPUT)
        to_device_springs(records, count);

    CTactraCompoundEffect* compound = new (std::nothrow) CTactraCompoundEffect(records, count);
    if (!compound || (count > 0 && compound->GetNumberOfContainedEffects() != count)) {
        delete compound;
        give_back(records, count);
        set_code(TKL_ERR_ALLOCATION_FAILED);
        return nullptr;
    }
    if (!compound->set_name(name) || !compound->initialize(target, records)) {
        // A compound whose first effect failed and last succeeded leaves no code: the
        // refusal still needs one.
        if (CTKLErrors::GetLastErrorCode() == TKL_ERR_NONE)
            set_code(TKL_ERR_CANT_CREATE_EFFECT);
        delete compound;
        give_back(records, count);
        return nullptr;
    }
    append_effect_to_list(compound);
    give_back(records, count);
    return compound;
}

void CTactraProject::give_back(TVXEffect** records, int count) {
    to_project_springs(records, count);
    release_effect_structs(records);
}

bool CTactraProject::owns_effect(const CTactraEffect* effect) const {
    for (CTactraCompoundEffect* c = m_pCreatedEffects; c; c = c->get_next())
        for (LONG i = 0; i < c->m_lNumEffects; ++i)
            if (c->m_paEffects[i] == effect)
                return true;
    return false;
}

CTactraCompoundEffect* CTactraProject::AddEffect(const char* name, CTactraEffect* effect) {
    set_code(TKL_ERR_NONE);
    if (!name || !effect) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return nullptr;
    }
    // Listed twice, it would be destroyed twice.
    if (owns_effect(effect)) {
        set_code(TKL_ERR_INVALID_PARAMETER);
        return nullptr;
    }
    CTactraCompoundEffect* compound = new (std::nothrow) CTactraCompoundEffect(nullptr, 1);
    if (!compound || compound->GetNumberOfContainedEffects() != 1) {
        delete compound;
        set_code(TKL_ERR_ALLOCATION_FAILED);
        return nullptr;
    }
    // Named first: a compound that can't be named is destroyed before it owns the effect.
    if (!compound->set_name(name)) {
        delete compound;
        return nullptr;
    }
    compound->set_contained_effect(effect, 0);
    append_effect_to_list(compound);
    return compound;
}

CTactraCompoundEffect* CTactraProject::GetCreatedEffect(const char* name) {
    set_code(TKL_ERR_NONE);
    if (!name) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return nullptr;
    }
    for (CTactraCompoundEffect* c = m_pCreatedEffects; c; c = c->get_next())
        if (c->GetName() && std::strcmp(c->GetName(), name) == 0)
            return c;
    return nullptr;
}

int CTactraProject::Start(const char* name, DWORD iterations, DWORD flags,
                          CTactraDevice* device) {
    if (name) {
        CTactraCompoundEffect* compound = GetCreatedEffect(name);
        if (!compound)
            compound = CreateEffect(name, device);
        return compound ? compound->Start(iterations, flags) : 0;
    }
    int all = 1;
    for (CTactraCompoundEffect* c = m_pCreatedEffects; c; c = c->get_next())
        if (!c->Start(iterations, flags))
            all = 0;
    return all;
}

int CTactraProject::Stop(const char* name) {
    if (name) {
        CTactraCompoundEffect* compound = GetCreatedEffect(name);
        return compound ? compound->Stop() : 0;
    }
    int all = 1;
    for (CTactraCompoundEffect* c = m_pCreatedEffects; c; c = c->get_next())
        if (!c->Stop())
            all = 0;
    return all;
}

void CTactraProject::append_effect_to_list(CTactraCompoundEffect* compound) {
    compound->set_next(m_pCreatedEffects);
    m_pCreatedEffects = compound;
}

TVXEffect** CTactraProject::create_effect_structs(const char* name, int& count) {
    return TVXCreateEffectStructs(m_hProject, name, &count);
}

TVXEffect** CTactraProject::create_effect_structs_by_index(int index, int& count) {
    return TVXCreateEffectStructsByIndex(m_hProject, index, &count);
}

int CTactraProject::release_effect_structs(TVXEffect** records) {
    return TVXReleaseEffectStructs(m_hProject, records);
}

void CTactraProject::set_next(CTactraProject* next) { m_pNext = next; }

CTactraProject* CTactraProject::get_next() const { return m_pNext; }
