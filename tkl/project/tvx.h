#pragma once
/// @file
/// The project library: loads projects (named effect objects in the binary project format) from
/// a file, a module resource of type "TACTRA" or memory, and hands out copies of each object's
/// effect records, or creates the object's effects on a product device.
///
/// Every function is stdcall. On Windows tkl.dll exports them under their decorated names
/// (_TVXLoadProjectFile@8, ...) through tkl.def; no function sets the library's error code.
/// BOOL results are 1 for success and 0 for failure.

#include "tkl/platform/win32.h"
#include "tkl/devices/tactraapi.h"

#if defined(_WIN32)
// Exported through tkl.def, which fixes the decorated export names.
#  define TVXAPI
#else
#  define TVXAPI __attribute__((visibility("default")))
#endif

/// One effect of an object: its kind and its record. The record and all its sub-blocks belong
/// to the TVXEffect.
struct TVXEffect {
    GUID guid;                ///< the effect kind (GUID_Tactra_*)
    TACTRA_EFFECT* lpEffect;  ///< owned; its own guid field stays zero in lists handed out
};

/// A loaded project. Applications treat it as opaque (tkl/project/tvxproject.h lays it out).
typedef struct TVXProject* HTVXPROJECT;

/// Where and why a load failed (the TVXLoadProject*Ex functions).
struct TVXLoadError {
    LONG lObject;        ///< index of the object record at fault, -1 for the project header,
                         ///< -2 when no data was had (the file or resource itself)
    DWORD dwOffset;      ///< byte offset of the faulty field from the start of the data
    char szObject[64];   ///< the object's name when it could be read, otherwise empty
    char szReason[96];   ///< what is wrong, one line without a newline
};

extern "C" {

/// Loads a project file; null when it can't be read or is malformed.
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectFile(const char* path, ITactraDevice* device);

/// As TVXLoadProjectFile; on failure also says why: no such file, a folder, not readable,
/// or where the data is at fault (error may be null).
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectFileEx(const char* path, ITactraDevice* device,
                                               TVXLoadError* error);

/// Loads the resource of type "TACTRA" with that name from the module (null: the program).
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectResource(HINSTANCE module, const char* name,
                                                 ITactraDevice* device);

/// As TVXLoadProjectResource; on failure also says why (error may be null).
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectResourceEx(HINSTANCE module, const char* name,
                                                   ITactraDevice* device, TVXLoadError* error);

/// Loads project data of unknown size; each record is checked against its own length only.
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectPointer(const void* data, ITactraDevice* device);

/// Loads `size` bytes of project data; nothing outside them is read.
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectPointerSized(const void* data, DWORD size,
                                                     ITactraDevice* device);

/// As TVXLoadProjectPointerSized; on failure also says where (error may be null).
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectPointerEx(const void* data, DWORD size,
                                                  ITactraDevice* device, TVXLoadError* error);

/// Writes the failure as one line, NUL-terminated and cut to fit size bytes (buffer may be
/// null when size is 0), and returns the length of the whole line, as snprintf does:
/// "object 2 \"Bump\" at byte 120: <reason>", "header at byte 0: <reason>", or the reason
/// alone when no data was had. A null error gives an empty line.
TVXAPI DWORD WINAPI TVXFormatLoadError(const TVXLoadError* error, char* buffer, DWORD size);

/// Loads one object record (no header) as a project of one object; compounds stay empty.
TVXAPI HTVXPROJECT WINAPI TVXLoadProjectObjectPointer(const void* data, ITactraDevice* device);

/// Releases a loaded project; lists handed out earlier stay valid. 0 for a null project.
TVXAPI BOOL WINAPI TVXReleaseProject(HTVXPROJECT project);

/// The name of the object at that index, owned by the project; null when out of range.
TVXAPI const char* WINAPI TVXGetObjectNameByIndex(HTVXPROJECT project, int index);

/// Fresh copies of the effects of the first object with that name: count + 1 entries, the last
/// null; the count goes to *count when count is not null. Null when there is no such object.
TVXAPI TVXEffect** WINAPI TVXCreateEffectStructs(HTVXPROJECT project, const char* name,
                                                 int* count);

/// As TVXCreateEffectStructs for the object at that index.
TVXAPI TVXEffect** WINAPI TVXCreateEffectStructsByIndex(HTVXPROJECT project, int index,
                                                        int* count);

/// Releases a list from TVXCreateEffectStructs*; 0 for a null project or list.
TVXAPI BOOL WINAPI TVXReleaseEffectStructs(HTVXPROJECT project, TVXEffect** effects);

/// Creates the named object's effects on the project's device: count + 1 interfaces, the last
/// null, one reference each. Null (after one debugger line for a failed creation) on failure.
TVXAPI ITactraEffect** WINAPI TVXCreateEffects(HTVXPROJECT project, const char* name,
                                               int* count);

/// Releases each interface of a list from TVXCreateEffects and the list; 0 for null arguments.
TVXAPI BOOL WINAPI TVXReleaseEffects(HTVXPROJECT project, ITactraEffect** effects);

}  // extern "C"
