/* The C interface's header as a strict C99 program sees it (built, never run). */
#include <tkl/tkl_c.h>

tkl_status header_c99_use(tkl_device device);

tkl_status header_c99_use(tkl_device device) {
    tkl_effect effect = 0;
    tkl_condition_params spring = {5000, 10000, 0, {TKL_C_CURSOR_POINT, TKL_C_CURSOR_POINT}, 0};
    tkl_direction xy = {TKL_FORM_XY, 0, 0};
    tkl_status status = tkl_condition_create(device, TKL_KIND_SPRING, &spring, &xy, &effect);
    if (status == TKL_OK) status = tkl_effect_release(effect);
    return status;
}
