// The API's entry point: exported undecorated, looked up by name.
#include "sim/tactra/objects.h"

extern "C" SIM_EXPORT HRESULT WINAPI TactraCreateA(HINSTANCE, DWORD version, ITactra** out,
                                                  IUnknown* outer) {
    return sim_call_create_root<SimTactra>("TactraCreateA", false, version, tactra_check_version,
                                           out, outer);
}
