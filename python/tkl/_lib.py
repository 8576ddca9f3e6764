"""Loading the TKL library and declaring its C functions for ctypes."""

import ctypes
import ctypes.util
import os
import sys

int32, uint32 = ctypes.c_int32, ctypes.c_uint32
handle = ctypes.c_void_p


class Point(ctypes.Structure):
    _fields_ = [("x", int32), ("y", int32)]


class Rect(ctypes.Structure):
    _fields_ = [("left", int32), ("top", int32), ("right", int32), ("bottom", int32)]


class Direction(ctypes.Structure):
    _fields_ = [("form", uint32), ("x", int32), ("y", int32)]


class Envelope(ctypes.Structure):
    _fields_ = [("attack_level", uint32), ("attack_time", uint32),
                ("fade_level", uint32), ("fade_time", uint32)]


class ConditionParams(ctypes.Structure):
    _fields_ = [("coefficient", int32), ("saturation", uint32), ("dead_band", uint32),
                ("center", Point), ("device_units", int32)]


class GridParams(ctypes.Structure):
    _fields_ = [("dead_band", uint32 * 2), ("coefficient", int32 * 2), ("offset", uint32 * 2),
                ("saturation", uint32 * 2)]


class TextureParams(ctypes.Structure):
    _fields_ = [("positive_value1", int32), ("positive_value2", uint32),
                ("positive_roughness", uint32), ("negative_value1", int32),
                ("negative_value2", uint32), ("negative_roughness", uint32), ("offset", Point)]


class ForceParams(ctypes.Structure):
    _fields_ = [("duration", uint32), ("magnitude", int32), ("start", int32), ("end", int32),
                ("period", uint32), ("offset", int32), ("phase", uint32)]


class WallParams(ctypes.Structure):
    _fields_ = [("placement", uint32), ("center", Point), ("width", uint32), ("height", uint32),
                ("rect", Rect), ("stiffness", int32 * 2), ("thickness", uint32 * 2),
                ("saturation", uint32 * 2), ("style", uint32), ("style2", uint32),
                ("inner", handle)]


class BaseParams(ctypes.Structure):
    _fields_ = [("duration", uint32), ("sample_period", uint32), ("gain", uint32),
                ("trigger_button", uint32), ("trigger_repeat_interval", uint32)]


P = ctypes.POINTER
out = P(handle)

# name: (result, argument types)
FUNCTIONS = {
    "tkl_last_error": (int32, []),
    "tkl_error_text": (uint32, [int32, ctypes.c_char_p, uint32]),
    "tkl_set_error_handling": (None, [uint32]),
    "tkl_device_open": (int32, [handle, handle, out]),
    "tkl_device_type": (int32, [handle, P(uint32)]),
    "tkl_device_release": (int32, [handle]),
    "tkl_condition_create": (int32, [handle, int32, P(ConditionParams), P(Direction), out]),
    "tkl_grid_create": (int32, [handle, P(GridParams), out]),
    "tkl_texture_create": (int32, [handle, P(TextureParams), P(Direction), out]),
    "tkl_force_create": (int32, [handle, int32, P(ForceParams), P(Direction), P(Envelope), out]),
    "tkl_wall_create": (int32, [handle, int32, P(WallParams), out]),
    "tkl_effect_from_project": (int32, [handle, ctypes.c_char_p, handle, out]),
    "tkl_condition_change": (int32, [handle, P(ConditionParams), P(Direction)]),
    "tkl_grid_change": (int32, [handle, P(GridParams)]),
    "tkl_texture_change": (int32, [handle, P(TextureParams), P(Direction)]),
    "tkl_force_change": (int32, [handle, P(ForceParams), P(Direction), handle]),
    "tkl_wall_change": (int32, [handle, P(WallParams)]),
    "tkl_wall_set_rect": (int32, [handle, P(Rect)]),
    "tkl_effect_set_center": (int32, [handle, Point]),
    "tkl_effect_set_direction": (int32, [handle, P(Direction)]),
    "tkl_effect_set_envelope": (int32, [handle, P(Envelope)]),
    "tkl_effect_change_base": (int32, [handle, P(BaseParams), P(Direction), handle]),
    "tkl_effect_start": (int32, [handle, uint32, uint32]),
    "tkl_effect_stop": (int32, [handle]),
    "tkl_effect_status": (int32, [handle, P(uint32)]),
    "tkl_effect_kind": (int32, [handle, P(int32)]),
    "tkl_effect_release": (int32, [handle]),
    "tkl_project_open_file": (int32, [handle, ctypes.c_char_p, out]),
    "tkl_project_open_memory": (int32, [handle, ctypes.c_char_p, uint32, out]),
    "tkl_project_open_resource": (int32, [handle, handle, ctypes.c_char_p, out]),
    "tkl_project_load_error": (uint32, [ctypes.c_char_p, uint32]),
    "tkl_project_start": (int32, [handle, ctypes.c_char_p, uint32, uint32]),
    "tkl_project_stop": (int32, [handle, ctypes.c_char_p]),
    "tkl_project_object_count": (int32, [handle, P(uint32)]),
    "tkl_project_object_name": (int32, [handle, uint32, ctypes.c_char_p, uint32, P(uint32)]),
    "tkl_project_close": (int32, [handle]),
    "tkl_project_list_create": (int32, [out]),
    "tkl_project_list_open_file": (int32, [handle, handle, ctypes.c_char_p, P(int32)]),
    "tkl_project_list_get": (int32, [handle, int32, out]),
    "tkl_project_list_stop": (int32, [handle]),
    "tkl_project_list_release": (int32, [handle]),
}

_STDCALL = os.name == "nt" and ctypes.sizeof(ctypes.c_void_p) == 4


def module_file(stem):
    """The file name of one of the project's modules ("tkl", "tactra") on this system."""
    if os.name == "nt":
        return stem + ".dll"
    return "lib%s.%s" % (stem, "dylib" if sys.platform == "darwin" else "so")


def load_module(path):
    """A loaded module; stdcall functions on 32-bit Windows."""
    return ctypes.WinDLL(path) if _STDCALL else ctypes.CDLL(path)


def library_path():
    """Where the library is: $TKL_LIBRARY, else the tree's Linux build, else the system's."""
    given = os.environ.get("TKL_LIBRARY")
    if given:
        return given
    here = os.path.dirname(os.path.abspath(__file__))
    tree = os.path.join(here, "..", "..", "build", "linux", "bin", module_file("tkl"))
    if os.path.exists(tree):
        return os.path.normpath(tree)
    found = ctypes.util.find_library("tkl")
    if not found:
        raise OSError("the TKL library was not found: set TKL_LIBRARY to its file")
    return found


def load():
    """The library with every C function declared."""
    lib = load_module(library_path())
    for name, (restype, argtypes) in FUNCTIONS.items():
        function = getattr(lib, name)
        function.restype = restype
        function.argtypes = argtypes
    return lib
