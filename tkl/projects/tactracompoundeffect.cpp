#include "tkl/projects/tactracompoundeffect.h"

#include "tkl/core/tklerrors.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

namespace {

void set_code(LONG code) { CTKLErrors::SetErrorCode(code); }

// Why the constructor left a slot empty, told from the record it was given.
LONG empty_slot_code(const TVXEffect* record) {
    if (!record)
        return TKL_ERR_NULL_PARAMETER;
    if (!tkl::find_effect_kind(record->guid))
        return TKL_ERR_INVALID_GUID;
    return TKL_ERR_ALLOCATION_FAILED;
}

}  // namespace

CTactraCompoundEffect::CTactraCompoundEffect(TVXEffect** records, LONG count)
    : m_paEffects(nullptr), m_lNumEffects(0), m_pszName(nullptr), m_pNext(nullptr) {
    set_code(TKL_ERR_NONE);
    if (count <= 0) {
        set_code(count == 0 ? TKL_ERR_NULL_PARAMETER : TKL_ERR_INVALID_PARAMETER);
        return;
    }
    m_paEffects = static_cast<CTactraEffect**>(std::calloc(size_t(count), sizeof(CTactraEffect*)));
    if (!m_paEffects) {
        set_code(TKL_ERR_ALLOCATION_FAILED);
        return;
    }
    m_lNumEffects = count;
    if (!records)
        return;
    for (LONG i = 0; i < count; ++i) {
        if (records[i])
            m_paEffects[i] = CTactraEffect::NewObjectFromGUID(records[i]->guid);
        else
            set_code(TKL_ERR_NULL_PARAMETER);
    }
}

CTactraCompoundEffect::~CTactraCompoundEffect() {
    if (m_lNumEffects != 0) {
        assert(m_paEffects);
        for (LONG i = 0; i < m_lNumEffects; ++i) {
            delete m_paEffects[i];
            m_paEffects[i] = nullptr;
        }
        std::free(m_paEffects);
        m_paEffects = nullptr;
        m_lNumEffects = 0;
    }
    std::free(m_pszName);
    m_pszName = nullptr;
}

int CTactraCompoundEffect::initialize(CTactraDevice* device, TVXEffect** records) {
    BOOL all = TRUE;
    LONG emptyCode = TKL_ERR_NONE;
    for (LONG i = 0; i < m_lNumEffects; ++i) {
        const TVXEffect* record = records ? records[i] : nullptr;
        if (!m_paEffects[i] || !record || !record->lpEffect) {
            // Never a device call through an empty slot or without a record; the cause must
            // survive the later slots, which clear the code.
            if (emptyCode == TKL_ERR_NONE)
                emptyCode = m_paEffects[i] ? LONG(TKL_ERR_NULL_PARAMETER) : empty_slot_code(record);
            all = FALSE;
            continue;
        }
        if (!m_paEffects[i]->Initialize(device, *record->lpEffect))
            all = FALSE;
    }
    if (emptyCode != TKL_ERR_NONE)
        set_code(emptyCode);
    return all;
}

// Start and Stop walk the slots alike: in order, up to the first effect that fails.
int CTactraCompoundEffect::play(bool start, DWORD iterations, DWORD flags) {
    set_code(TKL_ERR_NONE);
    for (LONG i = 0; i < m_lNumEffects; ++i) {
        assert(m_paEffects[i]);
        if (!m_paEffects[i]) {
            set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
            return 0;
        }
        if (!(start ? m_paEffects[i]->Start(iterations, flags) : m_paEffects[i]->Stop()))
            return 0;
    }
    return 1;
}

int CTactraCompoundEffect::Start(DWORD iterations, DWORD flags) {
    return play(true, iterations, flags);
}

int CTactraCompoundEffect::Stop() { return play(false, 0, 0); }

CTactraEffect* CTactraCompoundEffect::GetContainedEffect(LONG index) {
    if (index < 0 || index >= m_lNumEffects) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return nullptr;
    }
    // Empty only in a compound that never entered a project's list: null then.
    return m_paEffects[index];
}

LONG CTactraCompoundEffect::GetNumberOfContainedEffects() const { return m_lNumEffects; }

const char* CTactraCompoundEffect::GetName() const { return m_pszName; }

int CTactraCompoundEffect::set_contained_effect(CTactraEffect* effect, int index) {
    set_code(TKL_ERR_NONE);
    if (!effect) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return 0;
    }
    if (index < 0 || index >= m_lNumEffects) {
        set_code(TKL_ERR_INVALID_PARAMETER);
        return 0;
    }
    m_paEffects[index] = effect;
    return 1;
}

int CTactraCompoundEffect::set_name(const char* name) {
    set_code(TKL_ERR_NONE);
    if (!name) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return 0;
    }
    // Copied before the old copy goes: the name may be the compound's own.
    const size_t size = std::strlen(name) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy)
        std::memcpy(copy, name, size);
    std::free(m_pszName);
    m_pszName = copy;
    if (!copy) {
        set_code(TKL_ERR_ALLOCATION_FAILED);
        return 0;
    }
    return 1;
}

void CTactraCompoundEffect::set_next(CTactraCompoundEffect* next) { m_pNext = next; }

CTactraCompoundEffect* CTactraCompoundEffect::get_next() const { return m_pNext; }
