"""The software force mouse's control API: move the pointer, advance the clock, read the force.

The module is the same one the library loads (found beside it), so what is set here is what
the library's effects see:

    mouse = tkl.sim.SoftwareMouse()
    mouse.reset()
    with tkl.Device.open() as device, device.spring(center=(512, 384)) as spring:
        spring.start()
        mouse.move(612, 384)
        print(mouse.force())   # pulls left, toward the center
"""

import ctypes
import os

from tkl import _lib


class Pointer(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int32), ("y", ctypes.c_int32), ("vx", ctypes.c_int32),
                ("vy", ctypes.c_int32), ("ax", ctypes.c_int32), ("ay", ctypes.c_int32),
                ("buttons", ctypes.c_uint32)]


class Force(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int32), ("y", ctypes.c_int32)]


class SoftwareMouse:
    """The software force mouse beside the library (tactra.dll / libtactra.so)."""

    def __init__(self, path=None):
        if path is None:
            folder = os.path.dirname(_lib.library_path())
            path = os.path.join(folder, _lib.module_file("tactra"))
        self._m = ctypes.CDLL(path)  # the control API is cdecl on every target
        self._m.tactrasim_now.restype = ctypes.c_ulonglong
        self._m.tactrasim_advance.argtypes = [ctypes.c_uint32]
        self._m.tactrasim_set_pointer.argtypes = [ctypes.POINTER(Pointer)]
        self._m.tactrasim_force.argtypes = [ctypes.POINTER(Force), ctypes.c_void_p,
                                            ctypes.c_uint]
        self._m.tactrasim_force.restype = ctypes.c_uint
        self._m.tactrasim_live_objects.restype = ctypes.c_uint

    def reset(self):
        """One device attached, clock at 0, nothing logged."""
        self._m.tactrasim_reset()

    def move(self, x, y, vx=0, vy=0, ax=0, ay=0, buttons=0):
        """Puts the pointer (and the cursor) at (x, y) with that motion, in pixels per second."""
        self._m.tactrasim_set_pointer(ctypes.byref(Pointer(x, y, vx, vy, ax, ay, buttons)))

    def advance(self, milliseconds):
        """Moves the device's clock on."""
        self._m.tactrasim_advance(int(milliseconds * 1000))

    @property
    def now(self):
        """The clock, in milliseconds."""
        return self._m.tactrasim_now() / 1000.0

    def force(self):
        """The force on the pointer now, (x, y): 10000 is full force, x right, y down."""
        total = Force()
        self._m.tactrasim_force(ctypes.byref(total), None, 0)
        return (total.x, total.y)

    def live_objects(self):
        """The device's objects not yet released."""
        return self._m.tactrasim_live_objects()
