// Errors, devices, and what every effect handle does: play, stop, status, kind, release.
#include "capi/convert.h"

using namespace tkl_c;

namespace {

CTactraEffect* effect_object(const Entry* entry) {
    return static_cast<CTactraEffect*>(entry->object);
}

// Whether a live wall still refers to the effect as its inner effect.
bool is_inner_of_live_wall(const Entry* effect) {
    const std::uint32_t slot = slot_of(effect);
    for (std::uint32_t i = 1; i <= capacity(); ++i) {
        const Entry* e = at(i);
        if (e->sort == Sort::Effect && e->object && e->inner == slot) return true;
    }
    return false;
}

// Destroys the effects bound to the device, walls first (they refer to their inner effects),
// leaving their handles to be released.
void end_effects_on(std::uint32_t device) {
    for (int walls = 1; walls >= 0; --walls) {
        for (std::uint32_t i = 1; i <= capacity(); ++i) {
            Entry* e = at(i);
            if (e->sort != Sort::Effect || !e->object || e->device != device) continue;
            if (is_wall(e->kind) != bool(walls)) continue;
            delete effect_object(e);
            e->object = nullptr;
            e->inner = 0;
        }
    }
}

}  // namespace

namespace tkl_c {
// Closes the projects and project lists opened on the device (projects.cpp).
void end_projects_on(std::uint32_t device, CTactraDevice* object);
}

extern "C" {

int32_t TKL_CALL tkl_last_error(void) { return CTKLErrors::GetLastErrorCode(); }

uint32_t TKL_CALL tkl_error_text(int32_t code, char* buffer, uint32_t size) {
    return CTKLErrors::GetErrorText(code, buffer, buffer ? size : 0);
}

void TKL_CALL tkl_set_error_handling(uint32_t flags) { CTKLErrors::SetErrorHandling(flags); }

tkl_status TKL_CALL tkl_device_open(void* instance, void* window, tkl_device* out) {
    if (!out) return fail(TKL_ERR_NULL_PARAMETER);
    *out = nullptr;
    HINSTANCE module = instance ? static_cast<HINSTANCE>(instance) : GetModuleHandleA(nullptr);
    CTactraDevice* device = CTactraDevice::CreateDevice(module, static_cast<HWND>(window));
    if (!device) return result(0);
    return hand_out(Sort::Device, device, reinterpret_cast<void**>(out));
}

tkl_status TKL_CALL tkl_device_type(tkl_device device, uint32_t* type) {
    Entry* entry = nullptr;
    const tkl_status status = find(device, Sort::Device, &entry);
    if (status != TKL_OK) return status;
    if (!type) return fail(TKL_ERR_NULL_PARAMETER);
    *type = static_cast<CTactraDevice*>(entry->object)->GetDeviceType();
    return TKL_OK;
}

tkl_status TKL_CALL tkl_device_release(tkl_device device) {
    Entry* entry = nullptr;
    const tkl_status status = find(device, Sort::Device, &entry);
    if (status != TKL_OK) return status;
    CTactraDevice* object = static_cast<CTactraDevice*>(entry->object);
    end_effects_on(slot_of(entry));
    end_projects_on(slot_of(entry), object);
    delete object;
    remove(entry);
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    return TKL_OK;
}

tkl_status TKL_CALL tkl_effect_start(tkl_effect effect, uint32_t iterations, uint32_t flags) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, nullptr, &entry);
    if (status != TKL_OK) return status;
    if (iterations == 1 && entry->kind == TKL_KIND_ELLIPSE)
        return result(static_cast<CTactraEllipse*>(entry->object)->Start(flags));
    if (iterations == 1 && is_wall(entry->kind))
        return result(static_cast<CTactraEnclosure*>(entry->object)->Start(flags));
    return result(effect_object(entry)->Start(iterations, flags));
}

tkl_status TKL_CALL tkl_effect_stop(tkl_effect effect) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, nullptr, &entry);
    return status != TKL_OK ? status : result(effect_object(entry)->Stop());
}

tkl_status TKL_CALL tkl_effect_status(tkl_effect effect, uint32_t* bits) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, nullptr, &entry);
    if (status != TKL_OK) return status;
    if (!bits) return fail(TKL_ERR_NULL_PARAMETER);
    DWORD value = 0;
    const tkl_status got = result(effect_object(entry)->GetStatus(&value));
    *bits = got == TKL_OK ? value : 0;
    return got;
}

tkl_status TKL_CALL tkl_effect_kind(tkl_effect effect, tkl_kind* kind) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, nullptr, &entry);
    if (status != TKL_OK) return status;
    if (!kind) return fail(TKL_ERR_NULL_PARAMETER);
    *kind = entry->kind;
    return TKL_OK;
}

tkl_status TKL_CALL tkl_effect_release(tkl_effect effect) {
    Entry* entry = nullptr;
    const tkl_status status = find(effect, Sort::Effect, &entry, true);
    if (status != TKL_OK) return status;
    if (is_inner_of_live_wall(entry)) return fail(TKL_ERR_INVALID_PARAMETER);
    delete effect_object(entry);
    remove(entry);
    return TKL_OK;
}

}  // extern "C"
