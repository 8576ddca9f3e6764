#ifndef TKL_TKL_C_H
#define TKL_TKL_C_H
/** @file
 * The class library's C interface, for any compiler and any language with a foreign-function
 * interface. Each function is a thin road onto the classes: the same calls reach the device.
 *
 * Calling convention: on 32-bit Windows every function is __stdcall (as Win32's own) and
 * tkl.dll exports it under its plain name (tkl_device_open, not _tkl_device_open@8), so
 * GetProcAddress and any FFI find it by the name written here; the import library links C and
 * C++ callers as usual. On 64-bit Windows the platform's one convention applies, names plain.
 * On Linux: the C convention of the platform, exported by libtkl.so.
 *
 * Results: every function that can fail returns a tkl_status: TKL_OK (0), or the failure code
 * it also leaves as the library's last error code (tkl_last_error, tkl_error_text): 1 to 15 the
 * library's own codes, anything else a lower layer's HRESULT. A null handle or null pointer
 * where one is needed gives TKL_ERR_NULL_PARAMETER (4); a handle that is stale (released),
 * foreign (not made by this library) or of the wrong sort (an effect given as a device), or an
 * operation the effect's kind does not have, gives TKL_ERR_INVALID_PARAMETER (3). Nothing
 * crashes on such a handle.
 *
 * Lifetimes: every handle made by an open or create function is released by its release or
 * close function exactly once; a second release fails with 3. Releasing a device first
 * destroys the effects and closes the projects and project lists opened on it; their handles
 * stay valid for one thing only, their own release, and every other call on them fails with
 * TKL_ERR_DEVICE_IS_NULL (6). A project handle got from a project list belongs to the list:
 * releasing it only forgets the handle, and releasing the list ends it. An effect used as a
 * wall's inner effect cannot be released while the wall refers to it (3): release the wall or
 * change its inner effect first.
 *
 * Threads: like the classes, the interface takes no lock; use it from one thread at a time.
 *
 * Markers: TKL_C_NOT_GIVEN in a number of a change keeps the stored value, as in the classes.
 * Structures have a fixed layout: 32-bit fields, pointers and handles at their natural size.
 */

#include <stddef.h>
#include <stdint.h>

/** The calling convention of every function: __stdcall on 32-bit Windows, else the platform's. */
#if defined(_WIN32) && !defined(_WIN64)
#  define TKL_CALL __stdcall
#else
#  define TKL_CALL
#endif

/** Marks a function of the interface as exported by the library. */
#if defined(_WIN32)
#  if defined(TKL_BUILDING)
#    define TKL_C_API /* exported through the module definition file */
#  else
#    define TKL_C_API __declspec(dllimport)
#  endif
#else
#  define TKL_C_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** TKL_OK, or the failure code (see the file's note). */
typedef int32_t tkl_status;
/** Success. */
#define TKL_OK 0

/** @name Opaque handles */
/** @{ */
typedef struct tkl_device_handle* tkl_device;              /**< an open device */
typedef struct tkl_effect_handle* tkl_effect;              /**< a single effect */
typedef struct tkl_project_handle* tkl_project;            /**< a project */
typedef struct tkl_project_list_handle* tkl_project_list;  /**< a list of projects */
/** @} */

/** In a number of a change: no value, the stored one is kept. */
#define TKL_C_NOT_GIVEN ((int32_t)0x80000000)
/** Both coordinates of a center: follow the cursor, re-centered at every start. */
#define TKL_C_CURSOR_POINT 0x7FFFFFFF
/** A coordinate of a condition's center or a texture's offset in a change: keep the stored. */
#define TKL_C_NO_POINT (-1)
/** A wall's thickness, or a center form's height: the default for the rectangle. */
#define TKL_C_WALL_DEFAULT 0xFFFFFFFFu
/** Durations: play until stopped. */
#define TKL_C_INFINITE 0xFFFFFFFFu
/** As the envelope of a change: keep the stored envelope (null removes it). */
#define TKL_C_ENVELOPE_KEEP ((const tkl_envelope*)(~(uintptr_t)0))
/** As the inner effect of a wall change: keep the stored one (null: none). */
#define TKL_C_INNER_KEEP ((tkl_effect)(~(uintptr_t)0))

/* Device types (tkl_device_type). */
#define TKL_C_DEVICE_MOUSE 2u        /**< device type: the product's force mouse */
#define TKL_C_DEVICE_DIRECTINPUT 3u  /**< device type: a DirectInput force-feedback device */

/** The kinds of effect, one per class (the five waves share the periodic class). */
typedef enum tkl_kind {
    TKL_KIND_OTHER = 0,  /**< a project's kind with no class operations of its own */
    TKL_KIND_SPRING = 1,
    TKL_KIND_DAMPER = 2,
    TKL_KIND_INERTIA = 3,
    TKL_KIND_FRICTION = 4,
    TKL_KIND_GRID = 5,
    TKL_KIND_TEXTURE = 6,
    TKL_KIND_CONSTANT = 7,
    TKL_KIND_RAMP = 8,
    TKL_KIND_SQUARE = 9,
    TKL_KIND_SINE = 10,
    TKL_KIND_TRIANGLE = 11,
    TKL_KIND_SAWTOOTH_UP = 12,
    TKL_KIND_SAWTOOTH_DOWN = 13,
    TKL_KIND_ENCLOSURE = 14,
    TKL_KIND_BOX = 15,
    TKL_KIND_ELLIPSE = 16,
    /** Not a kind: makes the type hold any 32-bit value, so that a number a caller passes from
        another language is refused as a code, never undefined behaviour. */
    TKL_KIND_FORCE_32BIT = 0x7FFFFFFF
} tkl_kind;

/** @name Plain structures */
/** @{ */
/** A screen point in pixels. */
typedef struct tkl_point {
    int32_t x;  /**< pixels from the screen's left edge */
    int32_t y;  /**< pixels from the screen's top edge */
} tkl_point;
/** A screen rectangle in pixels, right and bottom inside. */
typedef struct tkl_rect {
    int32_t left;    /**< pixels */
    int32_t top;     /**< pixels */
    int32_t right;   /**< pixels, inside */
    int32_t bottom;  /**< pixels, inside */
} tkl_rect;

/** Forms of a direction. */
#define TKL_FORM_X 1u          /**< one record on the X axis (conditions, textures) */
#define TKL_FORM_Y 2u          /**< one record on the Y axis */
#define TKL_FORM_XY 3u         /**< an X and a Y record */
#define TKL_FORM_CARTESIAN 4u  /**< along the direction (x, y), screen orientation */
#define TKL_FORM_POLAR 5u      /**< along the angle x, hundredths of a degree, 0 up, 9000 right */

/** A direction: in a change only TKL_FORM_CARTESIAN and TKL_FORM_POLAR; a null direction
 * in a change keeps the stored one. Forces take only those two forms. */
typedef struct tkl_direction {
    uint32_t form;  /**< TKL_FORM_* */
    int32_t x;      /**< Cartesian x, or the polar angle */
    int32_t y;      /**< Cartesian y; unused in the polar form */
} tkl_direction;

/** An envelope; times as the device takes them (microseconds). */
typedef struct tkl_envelope {
    uint32_t attack_level;  /**< the level the effect starts at, 10000 is full: 0..10000 */
    uint32_t attack_time;   /**< microseconds from the attack level to the effect's own */
    uint32_t fade_level;    /**< the level the effect ends at, 10000 is full: 0..10000 */
    uint32_t fade_time;     /**< microseconds from the effect's own level to the fade level */
} tkl_envelope;

/** Spring, damper, inertia and friction values (each kind reads what its class takes). */
typedef struct tkl_condition_params {
    int32_t coefficient;   /**< strength per pixel (spring), per speed (damper, friction) or
                                per acceleration (inertia), 10000 is full; negative pushes
                                away: -10000..10000 */
    uint32_t saturation;   /**< spring, damper, inertia: the largest force, 0..10000 */
    uint32_t dead_band;    /**< pixels around the center without force (device units for
                                the device-unit spring) */
    tkl_point center;      /**< spring only: offsets in forms 1 to 3, a line point in 4 and 5 */
    int32_t device_units;  /**< spring only, at creation: device units on DirectInput */
} tkl_condition_params;

/** Grid values, index 0 the X axis and 1 the Y axis. */
typedef struct tkl_grid_params {
    uint32_t dead_band[2];   /**< the spacing of the lines in pixels, 1..screen size */
    int32_t coefficient[2];  /**< the pull toward a line, 10000 is full: -10000..10000 */
    uint32_t offset[2];      /**< pixels: where the first line lies */
    uint32_t saturation[2];  /**< the largest pull, 0..10000 */
} tkl_grid_params;

/** Texture values; the offset's x goes to the X record, its y to the Y record. */
typedef struct tkl_texture_params {
    int32_t positive_value1;      /**< the force the positive side adds, -10000..10000 */
    uint32_t positive_value2;     /**< the spacing of its ridges in pixels; 0 means 20 */
    uint32_t positive_roughness;  /**< its ridges' force in hundredths of full, 0..100 */
    int32_t negative_value1;      /**< as positive_value1, for the negative side */
    uint32_t negative_value2;     /**< as positive_value2, for the negative side */
    uint32_t negative_roughness;  /**< as positive_roughness, for the negative side */
    tkl_point offset;             /**< pixels: where the two sides meet */
} tkl_texture_params;

/** Constant, ramp and periodic values (each kind reads what its class takes). */
typedef struct tkl_force_params {
    uint32_t duration;   /**< milliseconds, or TKL_C_INFINITE: until stopped */
    int32_t magnitude;   /**< constant: -10000..10000; periodic: middle to peak, 0..10000 */
    int32_t start;       /**< ramp: the force at the start, -10000..10000 */
    int32_t end;         /**< ramp: the force at the end, -10000..10000 */
    uint32_t period;     /**< periodic: milliseconds, 1..4294967 */
    int32_t offset;      /**< periodic: the level the wave swings about, -10000..10000 */
    uint32_t phase;      /**< periodic: degrees where the wave starts, 0..359 */
} tkl_force_params;

/** Where a wall stands. */
#define TKL_WALL_AT_CENTER 0u  /**< center, width and height */
#define TKL_WALL_ON_RECT 1u    /**< the rectangle */

/** Enclosure, box and ellipse values: index 0 the top and bottom walls (the one wall of a box
 * or an ellipse), index 1 the left and right walls. A box reads stiffness[0] and
 * thickness[0] only; an ellipse no index-1 value. */
typedef struct tkl_wall_params {
    uint32_t placement;  /**< TKL_WALL_AT_CENTER or TKL_WALL_ON_RECT */
    tkl_point center;    /**< at a center; TKL_C_CURSOR_POINT follows the cursor */
    uint32_t width;      /**< at a center: pixels */
    uint32_t height;     /**< at a center: pixels; TKL_C_WALL_DEFAULT: the width */
    tkl_rect rect;       /**< on a rectangle */
    int32_t stiffness[2];    /**< how hard a wall pushes, 10000 is full: -10000..10000 */
    uint32_t thickness[2];   /**< pixels on either side of the edge, 0 no wall;
                                  TKL_C_WALL_DEFAULT: a fifth of the extent across, plus 1 */
    uint32_t saturation[2];  /**< the largest force of a wall, 0..10000 */
    uint32_t style;      /**< the walls' bits, as the enclosure and ellipse records have them */
    uint32_t style2;     /**< the second word of bits */
    tkl_effect inner;    /**< an effect played inside, on the same device; null: none */
} tkl_wall_params;
/** @} */

/** @name Errors */
/** @{ */
/** The library's last error code (0: none). */
TKL_C_API int32_t TKL_CALL tkl_last_error(void);
/** Writes the code's text ("Null Parameter", or a lower layer's code in hex with its names)
 * into buffer, terminated and cut to fit size bytes (buffer may be null when size is 0), and
 * returns the whole text's length without the terminator, as snprintf does. */
TKL_C_API uint32_t TKL_CALL tkl_error_text(int32_t code, char* buffer, uint32_t size);
/** Replaces the error reporting flags (1: debugger output, 2: message box). */
TKL_C_API void TKL_CALL tkl_set_error_handling(uint32_t flags);
/** @} */

/** @name Devices */
/** @{ */
/** Opens the force mouse, else the first DirectInput force-feedback device; instance and
 * window may be null (the program, no window). */
TKL_C_API tkl_status TKL_CALL tkl_device_open(void* instance, void* window, tkl_device* out);
/** The device's type: TKL_C_DEVICE_MOUSE or TKL_C_DEVICE_DIRECTINPUT. */
TKL_C_API tkl_status TKL_CALL tkl_device_type(tkl_device device, uint32_t* type);
/** Destroys the device's effects, closes its projects, then releases the device. */
TKL_C_API tkl_status TKL_CALL tkl_device_release(tkl_device device);
/** @} */

/** @name Creating effects; each leaves a new handle in *out, null on failure */
/** @{ */
/** A spring, damper, inertia or friction in any form. */
TKL_C_API tkl_status TKL_CALL tkl_condition_create(tkl_device device, tkl_kind kind,
                                                   const tkl_condition_params* params,
                                                   const tkl_direction* direction,
                                                   tkl_effect* out);
/** A grid on each axis whose dead band and coefficient are both nonzero. */
TKL_C_API tkl_status TKL_CALL tkl_grid_create(tkl_device device, const tkl_grid_params* params,
                                              tkl_effect* out);
/** A texture in any form. */
TKL_C_API tkl_status TKL_CALL tkl_texture_create(tkl_device device,
                                                 const tkl_texture_params* params,
                                                 const tkl_direction* direction,
                                                 tkl_effect* out);
/** A constant, ramp or periodic force, Cartesian or polar; envelope may be null. */
TKL_C_API tkl_status TKL_CALL tkl_force_create(tkl_device device, tkl_kind kind,
                                               const tkl_force_params* params,
                                               const tkl_direction* direction,
                                               const tkl_envelope* envelope, tkl_effect* out);
/** An enclosure, box or ellipse. */
TKL_C_API tkl_status TKL_CALL tkl_wall_create(tkl_device device, tkl_kind kind,
                                              const tkl_wall_params* params, tkl_effect* out);
/** The single effect of a project object, on the device (null: the project's). */
TKL_C_API tkl_status TKL_CALL tkl_effect_from_project(tkl_project project, const char* name,
                                                      tkl_device device, tkl_effect* out);
/** @} */

/** @name Changing effects: numbers TKL_C_NOT_GIVEN keep their value; only what changes is sent */
/** @{ */
/** Changes a spring, damper, inertia or friction. */
TKL_C_API tkl_status TKL_CALL tkl_condition_change(tkl_effect effect,
                                                   const tkl_condition_params* params,
                                                   const tkl_direction* direction);
/** Changes a grid's given axes. */
TKL_C_API tkl_status TKL_CALL tkl_grid_change(tkl_effect effect, const tkl_grid_params* params);
/** Changes a texture. */
TKL_C_API tkl_status TKL_CALL tkl_texture_change(tkl_effect effect,
                                                 const tkl_texture_params* params,
                                                 const tkl_direction* direction);
/** Changes a force; envelope TKL_C_ENVELOPE_KEEP keeps it, null removes it. */
TKL_C_API tkl_status TKL_CALL tkl_force_change(tkl_effect effect, const tkl_force_params* params,
                                               const tkl_direction* direction,
                                               const tkl_envelope* envelope);
/** Changes a wall; inner TKL_C_INNER_KEEP keeps the inner effect. */
TKL_C_API tkl_status TKL_CALL tkl_wall_change(tkl_effect effect, const tkl_wall_params* params);
/** Moves a wall to the rectangle (it stops following the cursor). */
TKL_C_API tkl_status TKL_CALL tkl_wall_set_rect(tkl_effect effect, const tkl_rect* rect);
/** Moves a condition's center, a texture's offset or a wall's center. */
TKL_C_API tkl_status TKL_CALL tkl_effect_set_center(tkl_effect effect, tkl_point center);
/** Changes the direction only (Cartesian or polar). */
TKL_C_API tkl_status TKL_CALL tkl_effect_set_direction(tkl_effect effect,
                                                       const tkl_direction* direction);
/** Sets the envelope; null removes it. */
TKL_C_API tkl_status TKL_CALL tkl_effect_set_envelope(tkl_effect effect,
                                                      const tkl_envelope* envelope);
/** The values every effect shares. */
typedef struct tkl_base_params {
    uint32_t duration;        /**< milliseconds, or TKL_C_INFINITE */
    uint32_t sample_period;   /**< microseconds, as the device takes it; 0: the device's */
    uint32_t gain;            /**< 10000 is full: 0..10000 */
    uint32_t trigger_button;  /**< button index that starts the effect; 0xFFFFFFFF: none */
    uint32_t trigger_repeat_interval;  /**< microseconds between repeats while it is held */
} tkl_base_params;
/** Changes the shared values, the direction when given (null: kept) and the envelope. */
TKL_C_API tkl_status TKL_CALL tkl_effect_change_base(tkl_effect effect,
                                                     const tkl_base_params* params,
                                                     const tkl_direction* direction,
                                                     const tkl_envelope* envelope);
/** @} */

/** @name Playing effects */
/** @{ */
/** Plays the effect `iterations` times; a wall started once first re-centers on the cursor
 * when it follows it. */
TKL_C_API tkl_status TKL_CALL tkl_effect_start(tkl_effect effect, uint32_t iterations,
                                               uint32_t flags);
/** Stops the effect. */
TKL_C_API tkl_status TKL_CALL tkl_effect_stop(tkl_effect effect);
/** The device's status bits of the effect. */
TKL_C_API tkl_status TKL_CALL tkl_effect_status(tkl_effect effect, uint32_t* status);
/** The effect's kind. */
TKL_C_API tkl_status TKL_CALL tkl_effect_kind(tkl_effect effect, tkl_kind* kind);
/** Destroys the effect and its device-side effect. */
TKL_C_API tkl_status TKL_CALL tkl_effect_release(tkl_effect effect);
/** @} */

/** @name Projects */
/** @{ */
/** Opens a project file on the device. */
TKL_C_API tkl_status TKL_CALL tkl_project_open_file(tkl_device device, const char* path,
                                                    tkl_project* out);
/** Opens `size` bytes of project data (read during the call only). */
TKL_C_API tkl_status TKL_CALL tkl_project_open_memory(tkl_device device, const void* data,
                                                      uint32_t size, tkl_project* out);
/** Opens the module's resource of type "TACTRA" with that name (module null: the program). */
TKL_C_API tkl_status TKL_CALL tkl_project_open_resource(tkl_device device, void* module,
                                                        const char* name, tkl_project* out);
/** Why the last project open of this interface that reached the loader (file, memory,
 * resource, or a list's file) did not load: one line such as "object 2 "Bump" at byte 120:
 * <reason>", or the reason alone ("no such file"); empty after an open that loaded. Written
 * into buffer as tkl_error_text writes; returns the whole line's length without the
 * terminator. One line for the whole program, like tkl_last_error. */
TKL_C_API uint32_t TKL_CALL tkl_project_load_error(char* buffer, uint32_t size);
/** Starts the named object, made on first use; name null starts every made one. */
TKL_C_API tkl_status TKL_CALL tkl_project_start(tkl_project project, const char* name,
                                                uint32_t iterations, uint32_t flags);
/** Stops the named object; name null stops every one. */
TKL_C_API tkl_status TKL_CALL tkl_project_stop(tkl_project project, const char* name);
/** The number of objects in the project. */
TKL_C_API tkl_status TKL_CALL tkl_project_object_count(tkl_project project, uint32_t* count);
/** Copies the name of the object at `index` into buffer (always terminated when size > 0) and
 * sets *length to its full length; buffer may be null when size is 0. */
TKL_C_API tkl_status TKL_CALL tkl_project_object_name(tkl_project project, uint32_t index,
                                                      char* buffer, uint32_t size,
                                                      uint32_t* length);
/** Stops and destroys the project's effects and closes it; the handle ends. */
TKL_C_API tkl_status TKL_CALL tkl_project_close(tkl_project project);
/** @} */

/** @name Project lists */
/** @{ */
/** A new, empty list. */
TKL_C_API tkl_status TKL_CALL tkl_project_list_create(tkl_project_list* out);
/** Opens a project file on the device and appends it; *position is its place. */
TKL_C_API tkl_status TKL_CALL tkl_project_list_open_file(tkl_project_list list,
                                                         tkl_device device, const char* path,
                                                         int32_t* position);
/** A handle on the list's project at that place, owned by the list. */
TKL_C_API tkl_status TKL_CALL tkl_project_list_get(tkl_project_list list, int32_t position,
                                                   tkl_project* out);
/** Stops every effect of every project of the list. */
TKL_C_API tkl_status TKL_CALL tkl_project_list_stop(tkl_project_list list);
/** Closes every project and ends the list and its project handles. */
TKL_C_API tkl_status TKL_CALL tkl_project_list_release(tkl_project_list list);
/** @} */

#ifdef __cplusplus
}
#endif

#endif
