// Opens whichever device is attached, puts a box and an ellipse around the cursor (the
// ellipse plays a wave inside it), moves the cursor and starts both again, so that they follow
// it, and prints the rectangles the device received, read from the software device's log.
#include "tkl/tkl.h"

#include "sim/simclient.h"

#include <cstdio>
#include <cstring>

namespace {

bool check(BOOL ok, const char* what) {
    if (!ok)
        std::printf("%s failed: error 0x%08lX\n", what,
                    static_cast<unsigned long>(CTKLErrors::GetLastErrorCode()));
    return ok != FALSE;
}

void print_block(const SimEffectParams& p) {
    if (!p.hasTypeSpecific)
        return;
    if (p.cbTypeSpecificParams == sizeof(TACTRA_ENCLOSURE)) {
        TACTRA_ENCLOSURE b;
        std::memcpy(&b, p.typeSpecific, sizeof b);
        std::printf("    box (%ld, %ld)-(%ld, %ld)  walls %lu/%lu px  stiffness %ld/%ld"
                    "  inner %s\n",
                    long(b.rectBoundary.left), long(b.rectBoundary.top),
                    long(b.rectBoundary.right), long(b.rectBoundary.bottom),
                    static_cast<unsigned long>(b.dwTopAndBottomWallThickness),
                    static_cast<unsigned long>(b.dwLeftAndRightWallThickness),
                    long(b.lTopAndBottomWallStiffness), long(b.lLeftAndRightWallStiffness),
                    b.piInnerEffect ? "yes" : "none");
    } else if (p.cbTypeSpecificParams == sizeof(TACTRA_ELLIPSE)) {
        TACTRA_ELLIPSE b;
        std::memcpy(&b, p.typeSpecific, sizeof b);
        std::printf("    ellipse (%ld, %ld)-(%ld, %ld)  wall %lu px  stiffness %ld  inner %s\n",
                    long(b.rectBoundary.left), long(b.rectBoundary.top),
                    long(b.rectBoundary.right), long(b.rectBoundary.bottom),
                    static_cast<unsigned long>(b.dwWallThickness), long(b.lWallStiffness),
                    b.piInnerEffect ? "yes" : "none");
    }
}

void print_log(const SimClient& sim) {
    sim.for_each_call([](const SimCall& call) {
        if (std::strcmp(call.op, "AddRef") == 0 || std::strcmp(call.op, "Release") == 0)
            return;
        std::printf("%3u %-14s object %u  result 0x%08lX", call.seq, call.op, call.object,
                    static_cast<unsigned long>(call.result));
        if (std::strcmp(call.op, "SetParameters") == 0)
            std::printf("  mask 0x%03lX", static_cast<unsigned long>(call.args[0]));
        if (std::strcmp(call.op, "Start") == 0)
            std::printf("  iterations %lu", static_cast<unsigned long>(call.args[0]));
        if (std::strcmp(call.op, "CreateEffect") == 0 && call.result == 0)
            std::printf("  -> effect %lu", static_cast<unsigned long>(call.args[0]));
        std::printf("\n");
        if (call.hasParams)
            print_block(call.params);
    });
}

// The walls, created around the cursor, started at two cursor positions and stopped; destroyed
// before the device (the ellipse before the wave it refers to).
void play(CTactraDevice* device) {
    const POINT followCursor = {TKL_CURSOR_POINT, TKL_CURSOR_POINT};
    CTactraPeriodic wave;
    if (!check(wave.InitializePolar(device, 2000, 40, TACTRA_INFINITE, 0, 0, 0, nullptr),
               "wave"))
        return;

    CTactraBox box;
    if (!check(box.Initialize(device, 200, TKL_WALL_DEFAULT, 6000, TKL_WALL_DEFAULT,
                              followCursor, nullptr),
               "box"))
        return;
    CTactraEllipse ellipse;
    if (!check(ellipse.Initialize(device, 120, 80, 4000, TKL_WALL_DEFAULT, 10000, 0, 0,
                                  followCursor, &wave),
               "ellipse"))
        return;

    const POINT stops[] = {{300, 200}, {640, 480}};
    for (const POINT& at : stops) {
        SetCursorPos(at.x, at.y);
        std::printf("cursor at (%ld, %ld)\n", long(at.x), long(at.y));
        check(box.Start(0), "starting the box");
        check(ellipse.Start(0), "starting the ellipse");
    }
    // Pinned where it is: the box stops following, and grows.
    const RECT pinned = {100, 100, 399, 299};
    check(box.SetRect(&pinned), "pinning the box");
    check(ellipse.Stop(), "stopping the ellipse");
    check(box.Stop(), "stopping the box");
}

}  // namespace

int main() {
    CTactraDevice* device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (!device) {
        std::printf("no force-feedback device: error 0x%08lX\n",
                    static_cast<unsigned long>(CTKLErrors::GetLastErrorCode()));
        return 1;
    }
    const bool directInput = device->GetDeviceType() == TKL_DEVICE_TYPE_DIRECTINPUT;
    std::printf("device: %s\n", directInput ? "DirectInput (it has no walls)" : "force mouse");
    SimClient sim = directInput ? SimClient::directInput() : SimClient::mouse();
    if (sim.ok())
        sim.log_clear();

    play(device);

    if (sim.ok()) {
        std::printf("what the device received (a change reads only the fields in its mask):\n");
        print_log(sim);
    } else {
        std::printf("(a hardware device: no call log to show)\n");
    }
    delete device;
    return 0;
}
