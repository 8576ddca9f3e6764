#pragma once

#include "tkl/effects/tactraeffect.h"
#include "tkl/platform/export.h"
#include "tkl/project/tvx.h"

class CTactraProject;

/// CTactraCompoundEffect: a named group of single effects, started and stopped as one. Only
/// CTactraProject makes and fills compounds; applications get them from a project, which owns
/// them, and never delete them. The slot order is the order of the records the compound was
/// built from, and every operation visits the slots in it.
class TKL_API CTactraCompoundEffect {
    friend class CTactraProject;

public:
    /// Destroys every contained effect (and so its device-side effect) and the name.
    ~CTactraCompoundEffect();

    CTactraCompoundEffect(const CTactraCompoundEffect&) = delete;
    CTactraCompoundEffect& operator=(const CTactraCompoundEffect&) = delete;

    /// The effect in slot `index`, still owned by the compound; null with
    /// TKL_ERR_NULL_PARAMETER for an index out of range. Does not clear the error code.
    CTactraEffect* GetContainedEffect(LONG index);
    /// The number of slots.
    LONG GetNumberOfContainedEffects() const;
    /// The compound's name, or null when it has none.
    const char* GetName() const;

    /// Starts every effect in slot order with the same two values; stops at the first that
    /// fails (earlier ones keep playing, later ones are not started) with that effect's code.
    int Start(DWORD iterations, DWORD flags);
    /// Stops every effect in slot order; stops at the first that fails, with its code.
    int Stop();

protected:
    /// One slot per record, each holding a new unbound object for the record's kind (empty
    /// for a null record or an unknown kind); null `records`: `count` empty slots. A count
    /// of 0 or less, or no memory for the slots, gives an empty compound with a code.
    CTactraCompoundEffect(TVXEffect** records, LONG count);

    /// Loads each record into the effect of its slot on the device; every slot is tried even
    /// after a failure. 0 when any failed; an empty slot counts as a failure, and its cause
    /// (TKL_ERR_NULL_PARAMETER, TKL_ERR_INVALID_GUID or TKL_ERR_ALLOCATION_FAILED) is the code
    /// left. Otherwise the code is the one the last Initialize left.
    int initialize(CTactraDevice* device, TVXEffect** records);
    /// Puts the effect, which the compound then owns, into an empty slot.
    int set_contained_effect(CTactraEffect* effect, int index);
    /// Replaces the name by a copy of `name`; without memory the compound has no name.
    int set_name(const char* name);
    /// The next compound of the owning project's list (not owned).
    void set_next(CTactraCompoundEffect* next);
    /// The next compound of the owning project's list, or null.
    CTactraCompoundEffect* get_next() const;

    CTactraEffect** m_paEffects;     ///< one effect per slot; null when there are no slots
    LONG m_lNumEffects;              ///< number of slots
    char* m_pszName;                 ///< owned copy of the name, or null
    CTactraCompoundEffect* m_pNext;  ///< next in the project's list; not owned

private:
    int play(bool start, DWORD iterations, DWORD flags);
};
