#pragma once

#include "tkl/devices/tactradevice.h"
#include "tkl/platform/export.h"
#include "tkl/project/tvx.h"
#include "tkl/projects/tactracompoundeffect.h"

class CTactraEffect;
class CTactraProjects;

/// CTactraProject: one effect project, loaded through the project library, with a default
/// device. It creates a compound effect from a named project object on demand, keeps every
/// compound it created or was given (newest first), starts and stops them by name, and
/// destroys them all when it is closed. The device must outlive the project's compounds.
class TKL_API CTactraProject {
    friend class CTactraProjects;
    friend class CTactraEffect;

public:
    /// A closed project with no device and no compounds.
    CTactraProject();
    /// Closes the project.
    ~CTactraProject();

    CTactraProject(const CTactraProject&) = delete;
    CTactraProject& operator=(const CTactraProject&) = delete;

    /// Loads a project file; the device becomes the default device even when the load fails
    /// (then 0 with code 0, and GetLoadError says why). Refuses a null or empty path, a null
    /// device and an open project.
    int OpenFile(const char* path, CTactraDevice* device);
    /// As OpenFile, from the resource of type "TACTRA" with that name in the module
    /// (null: the program).
    int OpenResource(HINSTANCE module, const char* name, CTactraDevice* device);
    /// As OpenFile, from `size` bytes of project data in memory (read during the call only).
    int OpenPointer(const void* data, DWORD size, CTactraDevice* device);
    /// Loads one object record from memory as a project of that object, replacing an open
    /// project (its compounds stay). A null device keeps the stored one; none at all:
    /// TKL_ERR_DEVICE_IS_NULL.
    int LoadProjectObjectPointer(unsigned char* data, CTactraDevice* device);
    /// Stops and destroys every compound, then releases the project data; keeps the device.
    void Close();

    /// Why the last OpenFile, OpenResource or OpenPointer did not load (they leave code 0):
    /// the loader's record, with an empty szReason when that call loaded or was refused with a
    /// code. Cleared by each of them.
    const TVXLoadError& GetLoadError() const;
    /// GetLoadError as one line (see TVXFormatLoadError): NUL-terminated, cut to fit size
    /// bytes; returns the length of the whole line, 0 when there is no reason.
    DWORD GetLoadErrorText(char* buffer, DWORD size) const;

    /// Non-zero while project data is loaded.
    int GetIsOpen() const;
    /// The default device (not owned), or null.
    CTactraDevice* GetDevice() const;

    /// A new compound from the first object with exactly that name, bound to the device
    /// (null: the default one) and listed under the name; null with a code on failure.
    CTactraCompoundEffect* CreateEffect(const char* name, CTactraDevice* device = nullptr);
    /// As CreateEffect for the object at that position, listed under the object's name.
    CTactraCompoundEffect* CreateEffectByIndex(int index, CTactraDevice* device = nullptr);
    /// Lists the application's effect as a one-effect compound under the name; from then on
    /// the project owns the effect. Needs no open project. Null (the caller keeps the effect)
    /// for a null name or effect, an effect the project already owns, or no memory.
    CTactraCompoundEffect* AddEffect(const char* name, CTactraEffect* effect);
    /// The compound listed last under exactly that name (case-sensitive), or null.
    CTactraCompoundEffect* GetCreatedEffect(const char* name);

    /// Starts the named compound, creating it on first use on the device (null: the default
    /// one); a null name starts every compound, all even after a failure.
    int Start(const char* name, DWORD iterations, DWORD flags, CTactraDevice* device = nullptr);
    /// Stops the named compound (0 with code 0 when there is none; nothing is created); a
    /// null name stops every compound, all even after a failure.
    int Stop(const char* name);

protected:
    /// Puts the compound at the head of the list.
    void append_effect_to_list(CTactraCompoundEffect* compound);
    /// Fresh records of the named object and their count, or null (to be given back).
    TVXEffect** create_effect_structs(const char* name, int& count);
    /// Fresh records of the object at that position and their count, or null.
    TVXEffect** create_effect_structs_by_index(int index, int& count);
    /// Gives records from create_effect_structs* back.
    int release_effect_structs(TVXEffect** records);
    /// The next project of the owning list (not owned).
    void set_next(CTactraProject* next);
    /// The next project of the owning list, or null.
    CTactraProject* get_next() const;

    HTVXPROJECT m_hProject;                    ///< the loaded project, or null when closed
    CTactraCompoundEffect* m_pCreatedEffects;  ///< head of the compounds, newest first; owned
    CTactraDevice* m_pDevice;                  ///< the default device; not owned
    CTactraProject* m_pNext;                   ///< next in the owning list; not owned

private:
    bool may_open(bool sourceGiven, CTactraDevice* device);
    bool may_create();
    int loaded(HTVXPROJECT project);
    CTactraCompoundEffect* create_compound(TVXEffect** records, int count, const char* name,
                                           CTactraDevice* device);
    void give_back(TVXEffect** records, int count);
    bool owns_effect(const CTactraEffect* effect) const;

    TVXLoadError m_LoadError;  ///< the loader's reason for the last failed open
};
