// Opens whichever force-feedback device is present and plays one constant force on it.
#include <tkl/tkl.h>

#include <cstdio>

int main() {
    CTactraDevice* device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (!device) {
        std::fprintf(stderr, "no force-feedback device: error %ld\n",
                     long(CTKLErrors::GetLastErrorCode()));
        return 1;
    }
    const bool directInput = device->GetDeviceType() == TKL_DEVICE_TYPE_DIRECTINPUT;
    std::printf("device: %s\n", directInput ? "DirectInput" : "force mouse");

    int result = 1;
    {
        // Half strength for two seconds from 9000 (the right), so it pushes left; the effect
        // goes before its device.
        CTactraConstant push;
        DWORD status = 0;
        if (push.InitializePolar(device, 9000, 2000, 5000, nullptr) && push.Start(1, 0) &&
            push.GetStatus(&status)) {
            std::printf("playing: %s\n", (status & TACTRA_EGES_PLAYING) ? "yes" : "no");
            if (push.Stop())
                result = 0;
        }
        if (result != 0)
            std::fprintf(stderr, "the constant force failed: error %ld\n",
                         long(CTKLErrors::GetLastErrorCode()));
    }
    delete device;
    return result;
}
