// Plays a spring that centers on the cursor each time it starts, and a grid, and prints what
// the device received. A DirectInput device (--directinput) takes the spring in its own units
// across the screen and refuses the grid, which it has no counterpart for.
#include "examples/common/example.h"

namespace {

using example::check;

const LONG kNotGiven = LONG(TKL_NOT_GIVEN);

void play(CTactraDevice* device) {
    const POINT atCursor = {TKL_CURSOR_POINT, TKL_CURSOR_POINT};
    CTactraSpring spring;
    SetCursorPos(300, 200);
    // Stiffness 6000 on both axes, full saturation, a dead band of 20.
    if (!check(spring.Initialize(device, 6000, 10000, 20, 3, atCursor, 0, 0, 0), "spring"))
        return;
    std::printf("spring centered on the cursor at (300, 200)\n");
    check(spring.Start(1, 0), "starting the spring");
    check(spring.Stop(), "stopping the spring");
    SetCursorPos(700, 500);
    std::printf("cursor moved to (700, 500); starting again re-centers the spring\n");
    check(spring.Start(1, 0), "starting the spring again");
    // Softer, same center.
    const POINT keepCenter = {TKL_NO_POINT, TKL_NO_POINT};
    check(spring.ChangeParameters(keepCenter, 3000, TKL_NOT_GIVEN, TKL_NOT_GIVEN, kNotGiven,
                                  kNotGiven),
          "softening the spring");

    CTactraGrid grid;
    // Lines on both axes: dead bands 10 and 20, stiffness 5000 and 4000, saturation 8000.
    if (check(grid.Initialize(device, 10, 20, 5000, 4000, 0, 0, 8000, 8000), "grid")) {
        check(grid.Start(1, 0), "starting the grid");
        check(grid.ChangeParameters(TKL_NOT_GIVEN, TKL_NOT_GIVEN, kNotGiven, 2000, TKL_NOT_GIVEN,
                                    TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN),
              "changing the grid's Y stiffness");
        check(grid.Stop(), "stopping the grid");
    }
    check(spring.Stop(), "stopping the spring");
}

}  // namespace

int main(int argc, char** argv) { return example::run(argc, argv, play); }
