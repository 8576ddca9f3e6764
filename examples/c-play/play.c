/* Plays a spring and a project object by name through the C interface, on whichever device
 * is present, and says what it did:  c-play PROJECT.tvx OBJECT */
#include <tkl/tkl_c.h>

#include <stdio.h>

static int failed(const char* what, tkl_status status) {
    char text[128];
    tkl_error_text(status, text, sizeof text);
    fprintf(stderr, "%s failed: %s (code %ld)\n", what, text, (long)status);
    return 1;
}

int main(int argc, char** argv) {
    tkl_device device = NULL;
    tkl_effect spring = NULL;
    tkl_project project = NULL;
    tkl_condition_params values = {6000, 10000, 0, {512, 384}, 0};
    tkl_direction both = {TKL_FORM_XY, 0, 0};
    uint32_t type = 0, count = 0;
    tkl_status status;

    if (argc != 3) {
        fprintf(stderr, "usage: c-play PROJECT.tvx OBJECT\n");
        return 2;
    }
    tkl_set_error_handling(0);
    if ((status = tkl_device_open(NULL, NULL, &device)) != TKL_OK) return failed("opening", status);
    tkl_device_type(device, &type);
    printf("device: %s\n", type == TKL_C_DEVICE_MOUSE ? "force mouse" : "DirectInput");

    status = tkl_condition_create(device, TKL_KIND_SPRING, &values, &both, &spring);
    if (status == TKL_OK) status = tkl_effect_start(spring, 1, 0);
    if (status != TKL_OK) return failed("the spring", status);
    printf("spring: playing at (512, 384)\n");
    tkl_effect_stop(spring);
    tkl_effect_release(spring);

    status = tkl_project_open_file(device, argv[1], &project);
    if (status != TKL_OK) return failed("opening the project", status);
    tkl_project_object_count(project, &count);
    status = tkl_project_start(project, argv[2], 1, 0);
    if (status != TKL_OK) return failed(argv[2], status);
    printf("\"%s\": started, one of %lu objects\n", argv[2], (unsigned long)count);
    tkl_project_stop(project, argv[2]);
    tkl_project_close(project);
    tkl_device_release(device);
    printf("released\n");
    return 0;
}
