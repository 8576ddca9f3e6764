"""The package over the library and the software force mouse: forces read back, projects by
name, and failures as exceptions."""

import os

import pytest

import tkl
import tkl.sim

SAMPLES = os.environ.get("TKL_SAMPLE_PROJECTS", "")


@pytest.fixture
def mouse():
    m = tkl.sim.SoftwareMouse()
    m.reset()
    yield m
    assert m.live_objects() == 0, "everything the test opened is released"


def test_a_spring_pulls_the_pointer_to_its_center(mouse):
    with tkl.Device.open() as device, device.spring(coefficient=5000, center=(512, 384)) as s:
        assert device.type == "mouse"
        s.start()
        forces = {}
        for x in (412, 512, 612):
            mouse.move(x, 384)
            forces[x] = mouse.force()
        assert forces[412][0] > 0 > forces[612][0]
        assert forces[512] == (0, 0)
        s.change(coefficient=10000)
        mouse.move(612, 384)
        assert mouse.force()[0] < forces[612][0], "a stiffer spring pulls harder"
        s.stop()
        assert mouse.force() == (0, 0)


def test_a_project_object_plays_by_name(mouse):
    with tkl.Device.open() as device, device.project(os.path.join(SAMPLES, "showcase.tvx")) as p:
        assert "Push Right" in p.names()
        mouse.move(300, 300)
        p.start("Push Right")
        mouse.advance(10)
        x, y = mouse.force()
        assert x > 0 and y == 0
        p.stop("Push Right")
        with p.effect("Syrup") as syrup:
            assert syrup.kind == "damper"
            syrup.start()


def test_failures_raise_with_code_and_text(mouse):
    with tkl.Device.open() as device:
        with pytest.raises(tkl.TklError) as failure:
            device.condition("sine")
        assert (failure.value.code, failure.value.text) == (3, "Invalid Parameter")
        with pytest.raises(tkl.TklError) as failure:
            device.project(data=b"tvxp")
        assert failure.value.reason.startswith("header at byte"), failure.value.reason
        with device.project(os.path.join(SAMPLES, "showcase.tvx")) as showcase:
            with pytest.raises(tkl.TklError) as failure:
                showcase.start("Nowhere")
            assert failure.value.code == 10
        effect = device.force("constant", magnitude=4000)
        project = device.project(os.path.join(SAMPLES, "desktop.tvx"))
    # The device went first: its effects and projects answer with "Device is NULL".
    with pytest.raises(tkl.TklError) as failure:
        effect.start()
    assert (failure.value.code, failure.value.text) == (6, "Device is NULL")
    stale = effect._handle
    effect.close()
    project.close()
    assert tkl._c.tkl_effect_start(stale, 1, 0) == 3, "a released handle is refused"
