#pragma once

#include "tkl/platform/export.h"
#include "tkl/projects/tactraproject.h"

/// CTactraProjects: a list of projects opened from files, addressed by their position (0 is
/// the first opened). The list owns its projects.
class TKL_API CTactraProjects {
public:
    /// An empty list.
    CTactraProjects();
    /// Closes every project (see Close).
    ~CTactraProjects();

    CTactraProjects(const CTactraProjects&) = delete;
    CTactraProjects& operator=(const CTactraProjects&) = delete;

    /// Opens a project file on the device and appends it: its position, or -4 for a null
    /// device, -3 when out of memory, -2 when it does not open (with the project's code;
    /// GetLoadError says why it did not load).
    LONG OpenFile(const char* path, CTactraDevice* device);
    /// Why the last OpenFile did not load, as CTactraProject::GetLoadError.
    const TVXLoadError& GetLoadError() const;
    /// GetLoadError as one line, as CTactraProject::GetLoadErrorText.
    DWORD GetLoadErrorText(char* buffer, DWORD size) const;
    /// The project at that position, still owned by the list; null with
    /// TKL_ERR_INVALID_PARAMETER when there is none.
    CTactraProject* GetProject(int position);
    /// Stops every compound of every project; non-zero only if all stopped.
    int Stop();
    /// Closes and destroys every project; the list is empty afterwards.
    void Close();

protected:
    CTactraProject* m_pProjects;  ///< head of the projects, oldest first; owned

private:
    TVXLoadError m_LoadError;  ///< the loader's reason for the last failed OpenFile
};
