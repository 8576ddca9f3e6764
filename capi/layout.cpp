// The C interface's structures keep one layout for every compiler of a target: 32-bit fields
// without padding, and the wall's inner handle at its natural alignment last.
#include "tkl/tkl_c.h"

#include <cstddef>

static_assert(sizeof(tkl_point) == 8, "tkl_point");
static_assert(sizeof(tkl_rect) == 16, "tkl_rect");
static_assert(sizeof(tkl_direction) == 12, "tkl_direction");
static_assert(sizeof(tkl_envelope) == 16, "tkl_envelope");
static_assert(sizeof(tkl_condition_params) == 24, "tkl_condition_params");
static_assert(sizeof(tkl_grid_params) == 32, "tkl_grid_params");
static_assert(sizeof(tkl_texture_params) == 32, "tkl_texture_params");
static_assert(sizeof(tkl_force_params) == 28, "tkl_force_params");
static_assert(sizeof(tkl_base_params) == 20, "tkl_base_params");
static_assert(sizeof(tkl_status) == 4 && sizeof(tkl_kind) == 4, "32-bit results and kinds");
static_assert(offsetof(tkl_wall_params, inner) == (sizeof(void*) == 4 ? 68 : 72),
              "tkl_wall_params: the inner handle follows the 68 bytes of values");
static_assert(sizeof(tkl_wall_params) == (sizeof(void*) == 4 ? 72 : 80), "tkl_wall_params");
