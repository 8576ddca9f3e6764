"""Force-feedback effects through the TKL library's C interface.

    import tkl
    with tkl.Device.open() as device, device.spring(coefficient=5000) as spring:
        spring.start()

Every failure raises TklError with the library's code and its text. Devices, effects,
projects and project lists are context managers that release what they hold.
"""

import ctypes

from tkl import _lib
from tkl._lib import Point, Rect, Direction, Envelope

__all__ = ["TklError", "Device", "Effect", "Project", "ProjectList", "NOT_GIVEN", "CURSOR",
           "INFINITE", "WALL_DEFAULT"]

NOT_GIVEN = -0x80000000      # in a change: keep the stored value
CURSOR = (0x7FFFFFFF, 0x7FFFFFFF)  # a center that follows the cursor
INFINITE = 0xFFFFFFFF        # a duration: until stopped
WALL_DEFAULT = 0xFFFFFFFF    # a wall's thickness, or a height: the default
_KEEP = ctypes.c_void_p(-1 & ((1 << (8 * ctypes.sizeof(ctypes.c_void_p))) - 1))

KINDS = {"other": 0, "spring": 1, "damper": 2, "inertia": 3, "friction": 4, "grid": 5,
         "texture": 6, "constant": 7, "ramp": 8, "square": 9, "sine": 10, "triangle": 11,
         "sawtooth_up": 12, "sawtooth_down": 13, "enclosure": 14, "box": 15, "ellipse": 16}
_KIND_NAMES = {v: k for k, v in KINDS.items()}
FORMS = {"x": 1, "y": 2, "xy": 3}

_c = _lib.load()
_c.tkl_set_error_handling(0)  # errors are exceptions here, not debugger lines


class TklError(Exception):
    """A failure of the library: `code` as tkl_last_error gives it, `text` its message, and
    for a project that did not load, `reason`: the loader's line that says why."""

    def __init__(self, code, reason=""):
        self.code = code
        self.text = error_text(code)
        self.reason = reason
        message = "%s (code %d)" % (self.text, code)
        super().__init__(message + ": " + reason if reason else message)


def _whole_text(function, *args):
    """A text the library writes as snprintf does: asked for its length, then whole."""
    size = function(*args, None, 0)
    buffer = ctypes.create_string_buffer(size + 1)
    function(*args, buffer, size + 1)
    return buffer.value.decode("latin-1")


def error_text(code):
    """The library's text for a code."""
    return _whole_text(_c.tkl_error_text, code)


def _check(status):
    if status != 0:
        raise TklError(status)


def load_error():
    """Why the last project open did not load ("" after one that did)."""
    return _whole_text(_c.tkl_project_load_error)


def _u32(value):
    return value & 0xFFFFFFFF


def _direction(direction, angle):
    """A direction from an (x, y) pair, an angle, or a form name ("x", "y", "xy")."""
    if angle is not None:
        return Direction(5, angle, 0)
    if isinstance(direction, str):
        return Direction(FORMS[direction], 0, 0)
    if direction is None:
        return None
    return Direction(4, direction[0], direction[1])


def _envelope(envelope):
    if envelope is None:
        return None
    return Envelope(*envelope)


def _text(value):
    return value.encode() if isinstance(value, str) else value


class _Handle:
    """A handle of the library, released once by close() or at the end of a with block."""

    _release = None

    def __init__(self, value):
        self._handle = value

    def close(self):
        if self._handle is not None:
            value, self._handle = self._handle, None
            _check(type(self)._release(value))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Device(_Handle):
    """An open device: the force mouse if present, else a DirectInput force-feedback device."""

    _release = _c.tkl_device_release

    @classmethod
    def open(cls):
        value = ctypes.c_void_p()
        _check(_c.tkl_device_open(None, None, ctypes.byref(value)))
        return cls(value)

    @property
    def type(self):
        """"mouse" or "directinput"."""
        kind = ctypes.c_uint32()
        _check(_c.tkl_device_type(self._handle, ctypes.byref(kind)))
        return {2: "mouse", 3: "directinput"}.get(kind.value, kind.value)

    def _made(self, status, value, kind):
        _check(status)
        return Effect(value, kind)

    def condition(self, kind, coefficient=5000, saturation=10000, dead_band=0, center=(0, 0),
                  direction="xy", angle=None, device_units=False):
        """A spring, damper, inertia or friction; direction is "x", "y", "xy", (x, y), or angle."""
        params = _lib.ConditionParams(coefficient, saturation, dead_band, Point(*center),
                                      int(device_units))
        value = ctypes.c_void_p()
        status = _c.tkl_condition_create(self._handle, KINDS[kind], ctypes.byref(params),
                                         _direction(direction, angle), ctypes.byref(value))
        return self._made(status, value, kind)

    def spring(self, **values):
        return self.condition("spring", **values)

    def damper(self, **values):
        return self.condition("damper", **values)

    def inertia(self, **values):
        return self.condition("inertia", **values)

    def friction(self, **values):
        return self.condition("friction", **values)

    def grid(self, dead_band=(10, 10), coefficient=(5000, 5000), offset=(0, 0),
             saturation=(10000, 10000)):
        params = _lib.GridParams((ctypes.c_uint32 * 2)(*dead_band),
                                 (ctypes.c_int32 * 2)(*coefficient),
                                 (ctypes.c_uint32 * 2)(*offset),
                                 (ctypes.c_uint32 * 2)(*saturation))
        value = ctypes.c_void_p()
        status = _c.tkl_grid_create(self._handle, ctypes.byref(params), ctypes.byref(value))
        return self._made(status, value, "grid")

    def texture(self, positive=(3000, 20, 40), negative=(3000, 20, 40), offset=(0, 0),
                direction="xy", angle=None):
        params = _lib.TextureParams(*positive, *negative, Point(*offset))
        value = ctypes.c_void_p()
        status = _c.tkl_texture_create(self._handle, ctypes.byref(params),
                                       _direction(direction, angle), ctypes.byref(value))
        return self._made(status, value, "texture")

    def force(self, kind, direction=(1, 0), angle=None, duration=INFINITE, magnitude=5000,
              start=0, end=0, period=100, offset=0, phase=0, envelope=None):
        """A constant, ramp or periodic force ("sine", "square", ...); durations in ms."""
        params = _lib.ForceParams(duration, magnitude, start, end, period, offset, phase)
        value = ctypes.c_void_p()
        status = _c.tkl_force_create(self._handle, KINDS[kind], ctypes.byref(params),
                                     _direction(direction, angle), _envelope(envelope),
                                     ctypes.byref(value))
        return self._made(status, value, kind)

    def wall(self, kind, center=None, size=(100, 100), rect=None, stiffness=(5000, 5000),
             thickness=(WALL_DEFAULT, WALL_DEFAULT), saturation=(10000, 10000), style=255,
             style2=0, inner=None):
        """An enclosure, box or ellipse around a center (CURSOR follows it) or on a rect."""
        params = _wall_params(center, size, rect, stiffness, thickness, saturation, style,
                              style2, inner)
        value = ctypes.c_void_p()
        status = _c.tkl_wall_create(self._handle, KINDS[kind], ctypes.byref(params),
                                    ctypes.byref(value))
        return self._made(status, value, kind)

    def project(self, path=None, data=None, resource=None, module=None):
        """A project from a file, from bytes, or from a module's "TACTRA" resource."""
        value = ctypes.c_void_p()
        if path is not None:
            status = _c.tkl_project_open_file(self._handle, _text(str(path)), ctypes.byref(value))
        elif data is not None:
            status = _c.tkl_project_open_memory(self._handle, bytes(data), len(data),
                                                ctypes.byref(value))
        else:
            status = _c.tkl_project_open_resource(self._handle, module, _text(resource),
                                                  ctypes.byref(value))
        if status != 0:
            raise TklError(status, load_error())
        return Project(value)


def _wall_params(center, size, rect, stiffness, thickness, saturation, style, style2, inner):
    at_center = rect is None
    return _lib.WallParams(
        0 if at_center else 1, Point(*(center or (-1, -1))), _u32(size[0]), _u32(size[1]),
        Rect(*(rect or (0, 0, 0, 0))), (ctypes.c_int32 * 2)(*stiffness),
        (ctypes.c_uint32 * 2)(*map(_u32, thickness)), (ctypes.c_uint32 * 2)(*saturation),
        style, style2, inner._handle if isinstance(inner, Effect) else inner)


class Effect(_Handle):
    """A single effect. Changes take keyword values; what is not given keeps its value."""

    _release = _c.tkl_effect_release

    def __init__(self, value, kind):
        super().__init__(value)
        self.kind = kind

    def start(self, iterations=1, flags=0):
        _check(_c.tkl_effect_start(self._handle, iterations, flags))

    def stop(self):
        _check(_c.tkl_effect_stop(self._handle))

    @property
    def status(self):
        bits = ctypes.c_uint32()
        _check(_c.tkl_effect_status(self._handle, ctypes.byref(bits)))
        return bits.value

    def change(self, direction=None, angle=None, **values):
        """Changes the kind's values (the names of the creating call) and the direction."""
        d = _direction(direction, angle)
        g = lambda name: values.pop(name, NOT_GIVEN)
        if self.kind in ("spring", "damper", "inertia", "friction"):
            params = _lib.ConditionParams(g("coefficient"), _u32(g("saturation")),
                                          _u32(g("dead_band")), Point(*values.pop("center", (-1, -1))), 0)
            status = _c.tkl_condition_change(self._handle, ctypes.byref(params), d)
        elif self.kind in ("constant", "ramp", "square", "sine", "triangle", "sawtooth_up",
                           "sawtooth_down"):
            envelope = values.pop("envelope", _KEEP)
            params = _lib.ForceParams(_u32(g("duration")), g("magnitude"), g("start"), g("end"),
                                      _u32(g("period")), g("offset"), _u32(g("phase")))
            env = _KEEP if envelope is _KEEP else (
                ctypes.cast(ctypes.pointer(Envelope(*envelope)), ctypes.c_void_p)
                if envelope else None)
            status = _c.tkl_force_change(self._handle, ctypes.byref(params), d, env)
        else:
            raise TypeError("change() takes the values of springs, dampers, inertia, friction "
                            "and forces; use the kind's own operations for %s" % self.kind)
        if values:
            raise TypeError("unknown values: %s" % ", ".join(values))
        _check(status)

    def set_center(self, x, y):
        _check(_c.tkl_effect_set_center(self._handle, Point(x, y)))

    def set_direction(self, direction=None, angle=None):
        _check(_c.tkl_effect_set_direction(self._handle, _direction(direction, angle)))

    def set_envelope(self, envelope):
        _check(_c.tkl_effect_set_envelope(self._handle, _envelope(envelope)))


class Project(_Handle):
    """A project: its objects started and stopped by name."""

    _release = _c.tkl_project_close

    def start(self, name=None, iterations=1, flags=0):
        _check(_c.tkl_project_start(self._handle, _text(name), iterations, flags))

    def stop(self, name=None):
        _check(_c.tkl_project_stop(self._handle, _text(name)))

    def names(self):
        count = ctypes.c_uint32()
        _check(_c.tkl_project_object_count(self._handle, ctypes.byref(count)))
        found = []
        for index in range(count.value):
            length = ctypes.c_uint32()
            _check(_c.tkl_project_object_name(self._handle, index, None, 0, ctypes.byref(length)))
            buffer = ctypes.create_string_buffer(length.value + 1)
            _check(_c.tkl_project_object_name(self._handle, index, buffer, len(buffer),
                                              ctypes.byref(length)))
            found.append(buffer.value.decode("latin-1"))
        return found

    def effect(self, name, device=None):
        """The single effect of an object, as its own Effect."""
        value = ctypes.c_void_p()
        _check(_c.tkl_effect_from_project(self._handle, _text(name),
                                          device._handle if device else None,
                                          ctypes.byref(value)))
        kind = ctypes.c_int32()
        _check(_c.tkl_effect_kind(value, ctypes.byref(kind)))
        return Effect(value, _KIND_NAMES.get(kind.value, "other"))


class ProjectList(_Handle):
    """A list of project files, by place; the list owns its projects."""

    _release = _c.tkl_project_list_release

    def __init__(self):
        value = ctypes.c_void_p()
        _check(_c.tkl_project_list_create(ctypes.byref(value)))
        super().__init__(value)

    def open(self, device, path):
        """Opens a project file on the device; returns its place."""
        place = ctypes.c_int32()
        _check(_c.tkl_project_list_open_file(self._handle, device._handle, _text(str(path)),
                                             ctypes.byref(place)))
        return place.value

    def __getitem__(self, place):
        value = ctypes.c_void_p()
        _check(_c.tkl_project_list_get(self._handle, place, ctypes.byref(value)))
        return Project(value)

    def stop(self):
        _check(_c.tkl_project_list_stop(self._handle))
