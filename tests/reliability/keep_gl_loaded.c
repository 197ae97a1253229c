/* keep_gl_loaded.c - preloaded into the AddressSanitizer runs (scripts/sanitize.sh) so that
 * the GL driver's modules stay mapped until the process ends.
 *
 * SDL unloads the GL library when its last window closes, and with it libglvnd's vendor
 * library and Mesa's driver module. Blocks those modules keep in their own globals (driver
 * names, dispatch entries, a screen record: about 7 KB) then look leaked to LeakSanitizer at
 * exit, from frames in a module that is no longer there and so cannot be named in a
 * suppression. Kept mapped, their globals still hold the blocks and nothing is reported,
 * while every leak of our own is still found. Any other dlclose goes through unchanged.
 * Built without sanitizers: ctest starts other programs (cmake, shells) with it preloaded. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <link.h>
#include <string.h>

static int IsGlModule(void* handle) {
    struct link_map* map = 0;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return 0;
    static const char* const parts[] = {"/dri/",  "libEGL", "libGLX",
                                        "libGL.", "libgbm", "libglapi"};
    for (unsigned i = 0; i < sizeof parts / sizeof parts[0]; i++)
        if (strstr(map->l_name, parts[i])) return 1;
    return 0;
}

int dlclose(void* handle) {
    static int (*next)(void*) = 0;
    if (!next) next = (int (*)(void*))dlsym(RTLD_NEXT, "dlclose");
    if (IsGlModule(handle)) return 0; /* stays loaded */
    return next ? next(handle) : 0;
}
