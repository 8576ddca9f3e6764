// Opens whichever device is attached and a project file, plays the named objects one after
// another (every object when none is named), and prints what each became and how it played.
//
//   projects-play project.tvx [object...]
#include "tkl/tkl.h"

#include "examples/common/example.h"
#include "sim/simclient.h"

#include <cstdio>
#include <cstring>

namespace {

const char* kind_name(const GUID& kind) {
    static const struct {
        const GUID* kind;
        const char* name;
    } names[] = {
        {&GUID_Tactra_ConstantForce, "constant force"}, {&GUID_Tactra_RampForce, "ramp"},
        {&GUID_Tactra_Square, "square wave"},           {&GUID_Tactra_Sine, "sine wave"},
        {&GUID_Tactra_Triangle, "triangle wave"},       {&GUID_Tactra_SawtoothUp, "sawtooth up"},
        {&GUID_Tactra_SawtoothDown, "sawtooth down"},   {&GUID_Tactra_Spring, "spring"},
        {&GUID_Tactra_DeviceSpring, "device spring"},   {&GUID_Tactra_Damper, "damper"},
        {&GUID_Tactra_Inertia, "inertia"},              {&GUID_Tactra_Friction, "friction"},
        {&GUID_Tactra_Texture, "texture"},              {&GUID_Tactra_Grid, "grid"},
        {&GUID_Tactra_CustomForce, "custom force"},     {&GUID_Tactra_Enclosure, "enclosure"},
        {&GUID_Tactra_Ellipse, "ellipse"},
    };
    for (const auto& entry : names)
        if (IsEqualGUID(*entry.kind, kind))
            return entry.name;
    return "unknown kind";
}

// Plays one object by name: the project creates it on the first Start and keeps it.
void play(CTactraProject& project, const char* name) {
    std::printf("\"%s\": ", name);
    if (!example::check(project.Start(name, 1, 0), "playing"))
        return;
    CTactraCompoundEffect* compound = project.GetCreatedEffect(name);
    const LONG count = compound->GetNumberOfContainedEffects();
    std::printf("%ld effect%s (", long(count), count == 1 ? "" : "s");
    for (LONG i = 0; i < count; ++i)
        std::printf("%s%s", i ? ", " : "", kind_name(compound->GetContainedEffect(i)->GetGUID()));
    std::printf("), started");
    std::printf(", ");
    if (example::check(project.Stop(name), "stopping"))
        std::printf("stopped\n");
}

// Every object of the project, by position, then played by its name.
void play_all(CTactraProject& project) {
    for (int index = 0;; ++index) {
        CTactraCompoundEffect* compound = project.CreateEffectByIndex(index);
        if (compound) {
            play(project, compound->GetName());
        } else if (CTKLErrors::GetLastErrorCode() == TKL_ERR_CANT_CREATE_EFFECT) {
            return;  // past the last object
        } else {
            std::printf("object %d: ", index);
            example::check(FALSE, "creating");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: projects-play project.tvx [object...]\n");
        return 2;
    }
    CTKLErrors::SetErrorHandling(0);  // failures are printed here, with what they concern
    CTactraDevice* device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (!example::check(device != nullptr, "opening a force-feedback device"))
        return 1;
    const bool directInput = device->GetDeviceType() == TKL_DEVICE_TYPE_DIRECTINPUT;
    std::printf("device: %s\n", directInput ? "DirectInput" : "force mouse");

    int status = 0;
    {
        CTactraProjects projects;
        const LONG position = projects.OpenFile(argv[1], device);
        if (position < 0) {
            std::printf("project %s: position %ld, ", argv[1], long(position));
            // A file that does not load leaves code 0; the list keeps the loader's reason.
            char reason[256];
            if (projects.GetLoadErrorText(reason, sizeof reason))
                std::printf("not loaded: %s\n", reason);
            else
                example::check(FALSE, "opening");
            status = 1;
        } else {
            std::printf("project %s: position %ld\n", argv[1], long(position));
            CTactraProject& project = *projects.GetProject(position);
            if (argc > 2)
                for (int i = 2; i < argc; ++i)
                    play(project, argv[i]);
            else
                play_all(project);
        }
    }  // the list closes its projects, and they destroy their effects, before the device goes

    SimClient sim = directInput ? SimClient::directInput() : SimClient::mouse();
    if (sim.ok())
        std::printf("closed: %u effects left on the device\n", sim.effect_count());
    delete device;
    return status;
}
