"""Opens whichever device is present, plays a spring and a project object by name, and prints
what it did; on the software force mouse it also reads the forces back (and plots the spring's
with matplotlib when that is installed).

    python3 play.py PROJECT.tvx OBJECT
"""

import sys

import tkl
import tkl.sim


def main(project_file, name):
    mouse = tkl.sim.SoftwareMouse()
    with tkl.Device.open() as device:
        print("device:", device.type)
        with device.spring(coefficient=6000, center=(512, 384)) as spring:
            spring.start()
            mouse.move(612, 384)
            print("spring: force at 100 px right of its center: %d" % mouse.force()[0])
            curve = []
            for x in range(312, 713, 20):
                mouse.move(x, 384)
                curve.append((x, mouse.force()[0]))
            spring.stop()
        with device.project(project_file) as project:
            project.start(name)
            mouse.advance(10)
            print('"%s": force %d, %d' % ((name,) + mouse.force()))
            project.stop(name)
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError:
        return 0
    plt.plot([x for x, _ in curve], [f for _, f in curve])
    plt.xlabel("pointer x (px)")
    plt.ylabel("force x")
    plt.savefig("spring.png")
    print("plot: spring.png")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: play.py PROJECT.tvx OBJECT")
    try:
        sys.exit(main(sys.argv[1], sys.argv[2]))
    except tkl.TklError as error:
        sys.exit("failed: %s" % error)
